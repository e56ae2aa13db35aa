#include "cli/command.h"

namespace tarnivel {

Command CommandReadingItsOwnArguments(std::string_view name, std::string_view summary,
                                      int (*run)(std::span<const std::string> args,
                                                 std::ostream& out, std::ostream& err)) {
  Command command;
  command.name = name;
  command.summary = summary;
  command.run = [run](const ParsedArguments& arguments, const Streams& streams) {
    return run(arguments.operands, streams.out, streams.err);
  };
  command.reads_own_arguments = true;
  return command;
}

}  // namespace tarnivel
