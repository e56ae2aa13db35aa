#pragma once
// The command line: the calculations of the window, one per run, for scripts and terminals.
//
//   arguments --> field texts (TextFields) --> Run(calculation) --> stdout / stderr + status

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/exit_status.h"
#include "core/quantities.h"

namespace tarnivel {

// Runs the command line on `args` (without the program name) and returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

// Reports a usage error in two lines, "tarnivel: <what>" and where to find help; returns
// kExitUsage.
int UsageError(std::ostream& err, std::string_view what);

// One line of a command's help: the option, then what it is, in a column of their own.
void OptionLine(std::ostream& out, std::string_view option, std::string_view what);
// The help line of an input field's option: «-p, --pressure=TEXT   gauge pressure, MPa».
void OptionLine(std::ostream& out, const InputField& input);

// Tells the user when an option's value held characters the number reading passed over, so
// that a script never computes silently with «1,000» read as 1.
void WarnAboutIgnoredText(const InputField& input, std::string_view text, std::ostream& err);

// How to call the program, for --help and for the window's "no display" message.
std::string UsageText();

}  // namespace tarnivel
