#pragma once
// The help texts, written from the tables: the program's usage from the table of commands, a
// command's help from its row, the option lines from its option rows and the exit-status lines
// from kExitStatuses. The man page is made from these texts, and bash's completion reads them.

#include <iosfwd>
#include <string>

#include "cli/command.h"
#include "cli/options.h"

namespace tarnivel {

// Every command takes it; its help lists it last.
inline constexpr OptionSpec kHelpOption{"help", 'h', "", "this help", ""};

// What `tarnivel COMMAND --help` prints.
void WriteCommandHelp(std::ostream& out, const Command& command);

// How to call the program, for --help and for the window's "no display" message.
std::string UsageText();

}  // namespace tarnivel
