#pragma once
// What the program says on standard error. Every line begins with the program's name, so that
// a message can be told from other programs' in a script's log; that name is written here only.
//
// The layers above call these without knowing the system: the texts are the same everywhere
// (report.cpp), while writing them and spelling a system error is the system's
// (report_posix.cpp; a Windows build puts its own beside it).

#include <iosfwd>
#include <string>
#include <string_view>

namespace tarnivel {

// What every line begins with.
inline constexpr std::string_view kReportPrefix = "tarnivel: ";

// «tarnivel: <message>» on a line of its own.
void Report(std::ostream& err, std::string_view message);
// The same line as text, for messages gathered before they are written (on a second thread).
std::string ReportLine(std::string_view message);

// A name or text a message echoes, with its control characters spelled out (\n, \t, \r,
// \x01, ...), so that the message stays on one line and says what was typed.
std::string Escaped(std::string_view text);
// A file that could not be opened, read or written: «tarnivel: FILE: <system message>».
void ReportFileError(std::ostream& err, std::string_view file, int error);
// A failed write to standard output: «tarnivel: write error: <system message>»; EIO when the
// cause is not known.
void ReportWriteError(std::ostream& err, int error);
// Memory ran out; says so without asking for more.
void ReportOutOfMemory(std::ostream& err) noexcept;

// The warning for a value the number reading took only in part, so that a script never
// computes silently with «1,000» read as 1: «tarnivel: <subject> "<text>" was read as <value>».
std::string IgnoredTextWarning(std::string_view subject, std::string_view text, double value);

}  // namespace tarnivel
