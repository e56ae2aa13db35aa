// The program's table of commands, made once from each command's own row.

#include "cli/commands.h"

#include <algorithm>
#include <vector>

#include "cli/batch_command.h"
#include "cli/calculation_command.h"
#include "cli/drop_command.h"
#include "cli/line/line_command.h"
#include "cli/pipe_arguments.h"
#include "core/quantities.h"

namespace tarnivel {

std::span<const Command> Commands() {
  static const std::vector<Command> commands = [] {
    std::vector<Command> all;
    for (const CalculationInfo& info : kCalculations) all.push_back(CalculationCommand(info));
    all.push_back(BatchCommand());
    all.push_back(PipeCommand());
    all.push_back(DropCommand());
    all.push_back(LineCommand());
    return all;
  }();
  return commands;
}

const Command* CommandNamed(std::string_view name) {
  const auto commands = Commands();
  const auto found = std::ranges::find(commands, name, &Command::name);
  return found != commands.end() ? &*found : nullptr;
}

}  // namespace tarnivel
