#pragma once
// The help texts, written from the tables: the program's usage from the table of commands, a
// command's help from its row, the option lines from its option rows and the exit-status lines
// from kExitStatuses. The man page is made from these texts, and bash's completion reads them.

#include <iosfwd>
#include <span>
#include <string>

#include "cli/command.h"
#include "cli/exit_status.h"
#include "cli/options.h"

namespace tarnivel {

// Every command takes it; its help lists it last.
inline constexpr OptionSpec kHelpOption{"help", 'h', "", "this help", ""};

// «  -p, --pressure=TEXT     gauge pressure, MPa»: the option, then what it is in a column of
// its own, wrapped to the terminal's width.
void WriteOptionLine(std::ostream& out, const OptionSpec& option);
// Whose statuses a list of exit statuses describes: one command's or a batch's, or every
// command's, where a status that means something else for a batch says both.
enum class StatusesOf { Command, Batch, Program };
// «Exit status:» and a line for each of `statuses`, in the order of kExitStatuses.
void WriteExitStatuses(std::ostream& out, std::span<const ExitStatus> statuses,
                       StatusesOf whose = StatusesOf::Command);
// What `tarnivel COMMAND --help` prints.
void WriteCommandHelp(std::ostream& out, const Command& command);

// How to call the program, for --help and for the window's "no display" message.
std::string UsageText();

}  // namespace tarnivel
