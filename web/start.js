// The page is built once every part of its script is in place: the sections listening for
// the build, and emscripten's glue waiting to compile the core.
tarnivelPage.build();
