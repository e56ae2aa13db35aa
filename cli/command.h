#pragma once
// A command of the command line as one row of the program's table of commands: its name and
// summary for the program's help, its options, help texts and exit statuses for its own help,
// the man page and the shell's completion, and the function that runs it.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/options.h"

namespace tarnivel {

// The standard streams a command works with.
struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  std::string name;     // as typed after the program's name: "velocity"
  std::string summary;  // its line in the program's help
  // What its usage line shows after [OPTION]..., "[FILE]"; empty when it takes no operand, in
  // which case an operand is a usage error before anything else.
  std::string operands;
  // Its help: the paragraphs before the options and after them. A paragraph is reflowed to
  // the terminal's width unless it starts with a blank, which keeps its lines as written.
  std::string description;
  std::string notes;
  std::vector<OptionSpec> options;   // -h, --help is added to them
  std::vector<ExitStatus> statuses;  // those it can return
  // Whether it computes a table of rows, whose statuses mean what they mean for a batch
  // (ExitStatusMeaning::batch).
  bool reads_rows = false;
  // Runs the command once its options have been read and --help has been answered.
  std::function<int(const ParsedArguments& arguments, const Streams& streams)> run;
};

}  // namespace tarnivel
