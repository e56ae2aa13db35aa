#pragma once
// Starting the window: the application's identity, the window centred on its screen, the event
// loop. Shared by the program and by the start-up benchmark, so that both start the same way.

#include <functional>

class QWidget;

namespace tarnivel {

// Runs the calculator window until it is closed and returns the exit status. `on_shown`, when
// given, is called once the event loop has started with the window shown.
int RunCalculatorWindow(int& argc, char** argv,
                        const std::function<void(QWidget& window)>& on_shown = {});

}  // namespace tarnivel
