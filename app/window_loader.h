#pragma once
// Opening the window from the program, which does not link Qt itself.

namespace tarnivel {

// Loads the window's library and runs the calculator window until it is closed; returns its
// exit status. When the library cannot be loaded (a broken installation), says so on standard
// error and returns kExitUnavailable.
int RunWindowLibrary(int argc, char** argv);

}  // namespace tarnivel
