#pragma once
// What the program looks up in the window's library: one C function, so that the two agree
// on it without sharing anything but this name and signature.

extern "C" {
// Runs the calculator window until it is closed; returns the exit status. Qt takes its own
// options (-style, -platform...) from `argv`.
using TarnivelRunWindow = int(int argc, char** argv);
TarnivelRunWindow tarnivel_run_window;
}

namespace tarnivel {
// The library's file name, in TARNIVEL_WINDOW_LIBRARY_DIR relative to the program's folder.
inline constexpr const char* kWindowLibrary = "tarnivel-window.so";
inline constexpr const char* kWindowEntry = "tarnivel_run_window";
}  // namespace tarnivel
