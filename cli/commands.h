#pragma once
// The program's table of commands, in the order its help lists them. A new command is one
// more row here and a file of its own that makes the row.

#include <span>
#include <string_view>

#include "cli/command.h"

namespace tarnivel {

std::span<const Command> Commands();
// The command called `name`, exactly as written; nullptr when there is none.
const Command* CommandNamed(std::string_view name);

}  // namespace tarnivel
