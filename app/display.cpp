#include "app/display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace tarnivel {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Connects to a local socket; `abstract` uses Linux's abstract namespace, where X servers
// listen beside the file in /tmp/.X11-unix.
bool Accepts(const std::string& path, bool abstract = false) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.empty() || path.size() + offset >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const auto length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  ::close(fd);
  return connected;
}

bool X11Reachable(std::string_view display) {
  // [host]:number[.screen]; a host other than the local machine is taken on trust.
  const std::size_t colon = display.rfind(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view host = display.substr(0, colon);
  std::string_view number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  if (!host.empty() && host != "unix") return true;
  const std::string socket = "/tmp/.X11-unix/X" + std::string(number);
  return Accepts(socket, /*abstract=*/true) || Accepts(socket);
}

bool WaylandReachable(std::string display) {
  if (display.empty()) display = "wayland-0";
  if (display.front() != '/') display = Env("XDG_RUNTIME_DIR") + "/" + display;
  return Accepts(display);
}

}  // namespace

bool DisplayReachable(std::span<const std::string> qt_args) {
  std::string platform = Env("QT_QPA_PLATFORM");
  for (std::size_t i = 0; i + 1 < qt_args.size(); ++i) {
    if (qt_args[i] == "-platform" || qt_args[i] == "--platform") platform = qt_args[i + 1];
  }
  std::string_view name = platform;
  name = name.substr(0, name.find(':'));  // "xcb:option=value"
  if (name == "xcb") return X11Reachable(Env("DISPLAY"));
  if (name.starts_with("wayland")) return WaylandReachable(Env("WAYLAND_DISPLAY"));
  if (!name.empty()) return true;  // offscreen, vnc, eglfs...: no display server to ask
  return (!Env("DISPLAY").empty() && X11Reachable(Env("DISPLAY"))) ||
         (!Env("WAYLAND_DISPLAY").empty() && WaylandReachable(Env("WAYLAND_DISPLAY")));
}

}  // namespace tarnivel
