#pragma once
// A command's options, read as getopt_long reads them: -p0.3, -p 0.3, --pressure=0.3,
// --pressure 0.3, unambiguous abbreviations (--pres), and -- ending the options. A value that
// starts with '-' is still a value (-p -0.1). Options stop at the first operand.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnivel {

// One option of a command, written once: the reading and the help both come from it.
struct OptionSpec {
  std::string_view name;    // the long name, without the dashes
  char short_name;          // '\0' for none
  std::string_view value;   // what its value is called in the help, «TEXT»; empty: it takes none
  std::string_view what;    // what it is, for the help
  std::string_view unit{};  // the unit of its value, when it has one: «gauge pressure, MPa»
  // Read, but left out of the help: a calculation accepts every field's option so that it
  // can name the ones it does not read.
  bool hidden = false;

  constexpr bool takes_value() const { return !value.empty(); }
};

struct ParsedOption {
  std::size_t index;  // into the known options given
  std::string value;  // empty for an option without a value
};

struct ParsedArguments {
  std::vector<ParsedOption> options;  // in the order given
  std::vector<std::string> operands;  // what follows the options
  std::string error;                  // what is wrong, for a usage error; empty when all is well
};

// Reads `args`, the arguments after the command's name, against the `known` options.
ParsedArguments ParseOptions(std::span<const std::string> args, std::span<const OptionSpec> known);

}  // namespace tarnivel
