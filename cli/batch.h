#pragma once
// Batch sizing: one calculation per CSV row, streamed from input to output.
//
//   CSV rows --> TextFields (pressure, velocity, diameter, flow) --> Calculate(calc)
//            --> the same row with the fields as the calculation left them + message

#include <iosfwd>

namespace tarnivel {

// Reads CSV from `in` and writes the computed table to `out`; problems with the input as a
// whole go to `err`. Returns kExitOk when every row computed, kExitPrompt when some row ended in
// a prompt, a fault or an unknown calculation, kExitUsage for malformed CSV or a header without
// a calc column.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tarnivel
