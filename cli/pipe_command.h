#pragma once
// `tarnivel pipe`: the standard pipe for a diameter calculation, with the velocity in it.
//
//   PipeRequest --> RunPipe: required bore --> each series' choice (by velocity, and by the
//                   drop along the line when a limit is given), with each pipe's outlet pressure
//               --> a small table per series, or CSV of every pipe --> stdout / stderr + status
//
// Its options and help are in pipe_arguments.h.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/sheet/sheet_output.h"
#include "core/pressure_drop.h"

namespace tarnivel {

struct PipeRequest {
  // The texts of the fields, read as the diameter calculation reads them; empty when not given.
  std::string pressure, velocity, flow;
  std::vector<std::string> series;       // in the order given; none: every series known
  std::optional<std::string> catalogue;  // a user's catalogue file
  bool csv = false;
  // The line's length, the drop's other parameters and the limit on it; a length adds the
  // pressure at the end of each pipe, a limit the choice by both checks.
  DropParameters drop;
  SheetRequest sheet;  // a calculation sheet of the sizing, when a FILE is named
};

// Sizes the pipes and writes them to `out`; messages and warnings go to `err`. A blank text is
// the option's default. Returns an ExitStatus: ok; prompt (a request, or an input out of range,
// a pipe's roughness among them, said once with nothing written); fault (in the diameter, or a
// step of a pipe's drop, said once with nothing written); no pipe (a series shown has none large
// enough, or none within the drop allowed); runs out (a chosen pipe has no outlet pressure);
// usage (an unknown series, a drop option without a length); data error (a malformed
// catalogue); no input (a catalogue that cannot be opened) or I/O error.
int RunPipe(const PipeRequest& request, std::ostream& out, std::ostream& err);

}  // namespace tarnivel
