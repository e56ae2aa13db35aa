#pragma once
// `tarnivel drop`: the pressure left at the end of a gas line, and with --explain the working.
//
//   options --> DropTexts --> ComputeDrop --> the outlet gauge pressure, or where the gauge
//                                             pressure runs out --> stdout / stderr + status

#include "cli/command.h"

namespace tarnivel {

Command DropCommand();

}  // namespace tarnivel
