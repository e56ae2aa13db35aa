#include "cli/report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>

#include "core/numeric.h"

namespace tarnivel {
namespace {

constexpr std::string_view kProgram = "tarnivel: ";

}  // namespace

void Report(std::ostream& err, std::string_view message) { err << kProgram << message << '\n'; }

std::string ReportLine(std::string_view message) {
  std::string line(kProgram);
  line.append(message);
  line.push_back('\n');
  return line;
}

std::string Escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\t') {
      escaped += "\\t";
    } else if (c == '\r') {
      escaped += "\\r";
    } else if (byte < 0x20 || byte == 0x7f) {
      char code[5];
      std::snprintf(code, sizeof code, "\\x%02x", byte);
      escaped += code;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

void ReportFileError(std::ostream& err, std::string_view file, int error) {
  err << kProgram << Escaped(file) << ": " << std::strerror(error) << '\n';
}

void ReportWriteError(std::ostream& err, int error) {
  err << kProgram << "write error: " << std::strerror(error != 0 ? error : EIO) << '\n';
}

void ReportOutOfMemory(std::ostream& err) noexcept {
  try {
    err.write(kProgram.data(), static_cast<std::streamsize>(kProgram.size()));
    err.write("out of memory\n", 14);
    err.flush();
  } catch (...) {  // nothing more can be said
  }
}

std::string IgnoredTextWarning(std::string_view subject, std::string_view text, double value) {
  std::string message(subject);
  message.append(" \"")
      .append(Escaped(text))
      .append("\" was read as ")
      .append(FormatGeneral(value));
  return ReportLine(message);
}

}  // namespace tarnivel
