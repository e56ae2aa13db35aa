#include "app/window_loader.h"

#include <filesystem>
#include <iostream>
#include <string>

#include "app/window/window_entry.h"
#include "cli/exit_status.h"
#include "system/platform.h"
#include "system/report.h"

namespace tarnivel {
namespace {

// The library by its full path from the program's own file, wherever the program was started
// from: never searched for, so that no other folder can hand the program a library.
std::filesystem::path WindowLibraryPath() {
  const std::filesystem::path program = ProgramPath();
  if (program.empty()) return {};
  return (program.parent_path() / TARNIVEL_WINDOW_LIBRARY_DIR / kWindowLibrary).lexically_normal();
}

}  // namespace

int RunWindowLibrary(int argc, char** argv) {
  // Never unloaded: Qt's own libraries keep state until the process ends.
  const std::filesystem::path path = WindowLibraryPath();
  std::string why = "the program's own path is unknown";
  void* entry = path.empty() ? nullptr : LoadLibraryFunction(path, kWindowEntry, why);
  if (entry == nullptr) {
    Report(std::cerr, "the window cannot be opened: its library did not load (" + why + ").");
    return kExitUnavailable;
  }
  return reinterpret_cast<TarnivelRunWindow*>(entry)(argc, argv);
}

}  // namespace tarnivel
