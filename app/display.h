#pragma once
// Whether the window has a display to open on. Qt aborts the process when the display it is
// pointed at cannot be reached; asking first lets the program say so and exit cleanly.

#include <span>
#include <string>

namespace tarnivel {

// True when the platform Qt will use (from -platform among `qt_args`, QT_QPA_PLATFORM, or the
// environment's DISPLAY / WAYLAND_DISPLAY) has a server that accepts a connection.
bool DisplayReachable(std::span<const std::string> qt_args);

}  // namespace tarnivel
