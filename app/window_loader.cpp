#include "app/window_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "app/window/window_entry.h"
#include "cli/exit_status.h"
#include "system/report.h"

namespace tarnivel {
namespace {

// The library by its full path from the program's own file, wherever the program was started
// from: never searched for, so that no other folder can hand the program a library.
std::filesystem::path WindowLibraryPath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (program.parent_path() / TARNIVEL_WINDOW_LIBRARY_DIR / kWindowLibrary).lexically_normal();
}

}  // namespace

int RunWindowLibrary(int argc, char** argv) {
  // Never unloaded: Qt's own libraries keep state until the process ends.
  const std::filesystem::path path = WindowLibraryPath();
  void* library = path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
  void* entry = library != nullptr ? ::dlsym(library, kWindowEntry) : nullptr;
  if (entry == nullptr) {
    const char* why = path.empty() ? nullptr : ::dlerror();
    Report(std::cerr, std::string("the window cannot be opened: its library did not load (") +
                          (why != nullptr ? why : "the program's own path is unknown") + ").");
    return kExitUnavailable;
  }
  return reinterpret_cast<TarnivelRunWindow*>(entry)(argc, argv);
}

}  // namespace tarnivel
