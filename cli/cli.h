#pragma once
// The command line: the calculations of the window, one per run, for scripts and terminals.
//
//   arguments --> field texts (TextFields) --> Run(calculation) --> stdout / stderr + status

#include <iosfwd>
#include <string>
#include <vector>

namespace tarnivel {

// Exit statuses of the command line.
enum ExitStatus : int {
  kExitOk = 0,      // result printed
  kExitPrompt = 1,  // the calculation asked for more data
  kExitFault = 2,   // an arithmetic fault
  kExitUsage = 64,  // bad subcommand, option or missing value (EX_USAGE)
};

// Runs the command line on `args` (without the program name) and returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

// How to call the program, for --help and for error messages.
const char* UsageText();

}  // namespace tarnivel
