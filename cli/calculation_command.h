#pragma once
// `tarnivel velocity|flow|diameter`: one calculation of the window, once.
//
//   options --> field texts (TextFields) --> Calculate --> the result on stdout, or a prompt
//           or a fault on stderr, and the status

#include "cli/command.h"
#include "core/quantities.h"

namespace tarnivel {

// The command of the calculation `info`.
Command CalculationCommand(const CalculationInfo& info);

}  // namespace tarnivel
