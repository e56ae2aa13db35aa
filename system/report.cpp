// The texts of the messages on standard error, the same on every system: a line with the
// program's name, an echoed text with its control characters spelled out, and the warning for
// a value read only in part.

#include "system/report.h"

#include <cstdio>

#include "core/numeric.h"

namespace tarnivel {

std::string ReportLine(std::string_view message) {
  std::string line(kReportPrefix);
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

std::string IgnoredTextWarning(std::string_view subject, std::string_view text, double value) {
  std::string message(subject);
  message.append(" \"")
      .append(Escaped(text))
      .append("\" was read as ")
      .append(FormatGeneral(value));
  return ReportLine(message);
}

}  // namespace tarnivel
