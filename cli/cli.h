#pragma once
// The command line: the calculations of the window and the commands built on them, one per
// run, for scripts and terminals.
//
//   arguments --> the command's row (commands.h) --> its options read, or its help
//             --> its run function --> stdout / stderr + exit status

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/help.h"

namespace tarnivel {

// Runs the command line on `args` (without the program name) and returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace tarnivel
