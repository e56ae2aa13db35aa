#pragma once
// Starting the window: the application's identity, the window centred on its screen, the event
// loop. Shared by the program and by the start-up benchmark, so that both start the same way.

#include <functional>

class QIcon;
class QWidget;

namespace tarnivel {

// The program's icon: the icon theme's, at every size installed; the built-in one when none is
// installed.
QIcon ApplicationIcon();

// Shows `window`. Its icon follows once the window has been painted (or half a second later):
// looking the icon up in the theme and handing every size of it to the window system costs
// more than building and painting the whole window, and nothing in the window shows it.
void ShowCalculatorWindow(QWidget& window);

// Runs the calculator window until it is closed and returns the exit status. `on_shown`, when
// given, is called once the event loop has started with the window shown.
int RunCalculatorWindow(int& argc, char** argv,
                        const std::function<void(QWidget& window)>& on_shown = {});

}  // namespace tarnivel
