#pragma once
// `tarnivel pipe`: the standard pipe for a diameter calculation, with the velocity in it.
//
//   arguments --> PipeRequest --> RunPipe: required bore --> each series' choice
//             --> a small table per series, or CSV of every pipe --> stdout / stderr + status

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tarnivel {

struct PipeRequest {
  // The texts of the fields, read as the diameter calculation reads them; empty when not given.
  std::string pressure, velocity, flow;
  std::vector<std::string> series;       // in the order given; none: every series known
  std::optional<std::string> catalogue;  // a user's catalogue file
  bool csv = false;
  bool help = false;  // --help: the command's usage instead
};

// A usage error in pipe's arguments, in words.
struct PipeUsageError {
  std::string message;
};

// Reads pipe's arguments, the command name excluded, as getopt_long does: -p/--pressure,
// -v/--velocity, -q/--flow TEXT, -s/--series NAME (repeatable), -c/--catalogue FILE, --csv,
// -h/--help.
std::variant<PipeRequest, PipeUsageError> ParsePipeArguments(std::span<const std::string> args);

// Sizes the pipes and writes them to `out`; messages go to `err`. Returns an ExitStatus:
// ok, prompt, fault, usage (an unknown series), data error (a malformed catalogue), no input
// (a catalogue that cannot be opened) or I/O error.
int RunPipe(const PipeRequest& request, std::ostream& out, std::ostream& err);

// The whole command: `args` after the command's name. A usage error is reported in two lines.
int RunPipeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tarnivel
