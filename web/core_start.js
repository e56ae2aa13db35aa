// The core is compiled from the page's own bytes (see make_page.py) when it is first needed,
// or once the page is ready, whichever comes first: the window is built from the tables
// written into the page (TARNIVEL_TABLES), so nothing before ready waits for the WebAssembly.
const tarnivelCore = (function () {
  let imports = null, receive = null, instance = null;

  function bytes() {
    const element = document.getElementById('wasm');
    const encoded = element.content.textContent;  // the parser may split it in several texts
    element.remove();  // 90 KB of text the document no longer needs
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(encoded);  // native: a tenth the time
    const text = atob(encoded);
    const decoded = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) decoded[i] = text.charCodeAt(i);
    return decoded;
  }

  function start() {
    if (!instance) {
      // Compiled at once: a few milliseconds, and the caller is waiting for an answer.
      instance = new WebAssembly.Instance(new WebAssembly.Module(bytes()), imports);
      receive(instance);  // emscripten sets up memory and runs the core's constructors
    }
    return instance;
  }

  // emscripten binds each of the core's functions when this returns: each binding starts the
  // core on its first call.
  Module.instantiateWasm = function (info, receiveInstance) {
    imports = info;
    receive = receiveInstance;
    return new Proxy({}, {get: function (unused, name) {
      return function () { return start().exports[name].apply(null, arguments); };
    }});
  };
  return {start: start};
})();
