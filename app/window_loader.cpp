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

// The library's function `name`, or nullptr with why it did not load.
void* WindowLibraryEntry(const char* name, std::string& why) {
  // Never unloaded: Qt's own libraries keep state until the process ends.
  const std::filesystem::path path = WindowLibraryPath();
  if (path.empty()) {
    why = "the program's own path is unknown";
    return nullptr;
  }
  return LoadLibraryFunction(path, name, why);
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
  const int status = reinterpret_cast<TarnivelWriteSheetPdf*>(entry)(text.c_str(), pattern.c_str(),
                                                                     name.c_str(), &Append, &bytes);
  (status == 0 ? pdf.bytes : pdf.error) = std::move(bytes);
  return pdf;
}

}  // namespace tarnivel
