#pragma once
// `tarnivel line`: a gas line of segments in series, read as CSV, computed from its inlet on,
// its unsized segments sized, and checked against the allowed drop.
//
//   options + CSV of segments --> GasLineTexts --> ComputeGasLine (core/line/line.h)
//           --> a table with the line's parameters and totals, or CSV --> stdout + status

#include "cli/command.h"

namespace tarnivel {

Command LineCommand();

}  // namespace tarnivel
