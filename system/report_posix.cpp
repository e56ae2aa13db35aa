// The messages on standard error as a POSIX system writes them: its own words for an errno.

#include <cerrno>
#include <cstring>
#include <ostream>

#include "system/report.h"

namespace tarnivel {

void Report(std::ostream& err, std::string_view message) {
  err << kReportPrefix << message << '\n';
}

void ReportFileError(std::ostream& err, std::string_view file, int error) {
  err << kReportPrefix << Escaped(file) << ": " << std::strerror(error) << '\n';
}

void ReportWriteError(std::ostream& err, int error) {
  err << kReportPrefix << "write error: " << std::strerror(error != 0 ? error : EIO) << '\n';
}

void ReportOutOfMemory(std::ostream& err) noexcept {
  try {
    err.write(kReportPrefix.data(), static_cast<std::streamsize>(kReportPrefix.size()));
    err.write("out of memory\n", 14);
    err.flush();
  } catch (...) {  // nothing more can be said
  }
}

}  // namespace tarnivel
