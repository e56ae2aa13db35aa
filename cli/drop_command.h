#pragma once
// `tarnivel drop`: the pressure left at the end of a gas line, and with --explain the working.
//
//   arguments --> DropTexts --> ComputeDrop --> the outlet gauge pressure, or where the gauge
//                                               pressure runs out --> stdout / stderr + status

#include <iosfwd>
#include <span>
#include <string>

namespace tarnivel {

// The whole command: `args` after the command's name. Returns an ExitStatus: ok, prompt (a
// missing or out-of-range input), fault, runs out, or usage (an unknown option or series).
int RunDropCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tarnivel
