// The window's way in, loaded by the program only when it opens the window: the command line
// thereby never maps Qt's libraries, which would cost it their relocations and start-up work
// in time and memory.
#include "app/window/window_entry.h"

#include "ui/application.h"

extern "C" __attribute__((visibility("default"))) int tarnivel_run_window(int argc, char** argv) {
  return tarnivel::RunCalculatorWindow(argc, argv);
}
