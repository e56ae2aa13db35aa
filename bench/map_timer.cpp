// Times a window program on a real X display: starts it, waits for its first top-level window
// to be mapped, and one second later reads how much private memory the process holds.
//
//   map_timer PROGRAM [ARG]...
//
// Prints one line, "MILLISECONDS ANONYMOUS_KB PRIVATE_DIRTY_KB", then ends the program. The
// clock starts just before the fork, so the figure includes loading the program's libraries.
// With no window manager on the display, a top-level window is a child of the root window, so
// watching the root's substructure sees it mapped as soon as the server does.
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

struct Connection {
  xcb_connection_t* x;
  ~Connection() { xcb_disconnect(x); }
};

// A field of /proc/PID/smaps_rollup, in kB.
long long RollupKb(pid_t pid, const std::string& field) {
  std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
  std::string name;
  long long kb = 0;
  while (rollup >> name) {
    if (name == field + ":" && rollup >> kb) return kb;
    rollup.ignore(1 << 20, '\n');
  }
  return -1;
}

// Waits for the first window mapped on the display; nullopt if the program ended first or the
// display went away.
std::optional<std::chrono::steady_clock::time_point> AwaitMap(xcb_connection_t* x, pid_t pid) {
  while (true) {
    std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(x),
                                                                     &std::free);
    if (event) {
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) return std::chrono::steady_clock::now();
      continue;
    }
    if (xcb_connection_has_error(x) != 0) return std::nullopt;
    if (waitpid(pid, nullptr, WNOHANG) == pid) return std::nullopt;
    // Polling keeps the wake-up latency far below the differences being measured.
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: map_timer PROGRAM [ARG]...\n");
    return 64;
  }
  Connection display{xcb_connect(nullptr, nullptr)};
  if (xcb_connection_has_error(display.x) != 0) {
    std::fprintf(stderr, "map_timer: cannot open the display\n");
    return 69;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(display.x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(display.x, root, XCB_CW_EVENT_MASK, &mask);
  // A round trip, so that the server watches before the program starts.
  std::free(xcb_get_input_focus_reply(display.x, xcb_get_input_focus(display.x), nullptr));

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    close(xcb_get_file_descriptor(display.x));
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  const auto mapped = AwaitMap(display.x, pid);
  if (!mapped) {
    std::fprintf(stderr, "map_timer: %s ended without mapping a window\n", argv[1]);
    return 1;
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long long anonymous = RollupKb(pid, "Anonymous");
  const long long private_dirty = RollupKb(pid, "Private_Dirty");
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  std::printf("%.2f %lld %lld\n",
              std::chrono::duration<double, std::milli>(*mapped - start).count(), anonymous,
              private_dirty);
  return 0;
}
