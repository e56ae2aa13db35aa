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

// The library's function `name`, or nullptr with why it did not load.
void* WindowLibraryEntry(const char* name, std::string& why) {
  // Never unloaded: Qt's own libraries keep state until the process ends.
  const std::filesystem::path path = WindowLibraryPath();
  void* library = path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
  void* entry = library != nullptr ? ::dlsym(library, name) : nullptr;
  if (entry == nullptr) {
    const char* error = path.empty() ? nullptr : ::dlerror();
    why = error != nullptr ? error : "the program's own path is unknown";
  }
  return entry;
}

void Append(void* context, const char* bytes, std::size_t size) {
  static_cast<std::string*>(context)->append(bytes, size);
}

}  // namespace

int RunWindowLibrary(int argc, char** argv) {
  std::string why;
  void* entry = WindowLibraryEntry(kWindowEntry, why);
  if (entry == nullptr) {
    Report(std::cerr, "the window cannot be opened: its library did not load (" + why + ").");
    return kExitUnavailable;
  }
  return reinterpret_cast<TarnivelRunWindow*>(entry)(argc, argv);
}

SheetPdf WriteSheetPdfThroughWindowLibrary(std::string_view rich_text,
                                           std::string_view page_pattern, std::string_view title) {
  SheetPdf pdf;
  void* entry = WindowLibraryEntry(kSheetPdfEntry, pdf.error);
  if (entry == nullptr) {
    pdf.error = "the window's library, which writes it, did not load (" + pdf.error + ")";
    return pdf;
  }
  const std::string text(rich_text), pattern(page_pattern), name(title);
  std::string bytes;
  const int status = reinterpret_cast<TarnivelWriteSheetPdf*>(entry)(
      text.c_str(), pattern.c_str(), name.c_str(), &Append, &bytes);
  (status == 0 ? pdf.bytes : pdf.error) = std::move(bytes);
  return pdf;
}

}  // namespace tarnivel
