#pragma once
// Batch sizing: one calculation per CSV row, streamed from input to output.
//
//   CSV rows --> TextFields (pressure, velocity, diameter, flow) --> Calculate(calc)
//            --> the same row with the fields as the calculation left them + message

#include <iosfwd>
#include <span>
#include <string_view>

#include "core/pipes.h"

namespace tarnivel {

// Reads CSV from `in` (named `input_name` in messages) and writes the computed table to `out`;
// problems with the input as a whole, and cells read only in part, go to `err`. Returns
// kExitOk when every row computed, kExitPrompt when some row ended in a prompt, a fault, an
// unknown calculation or series or no pipe large enough, kExitDataError for malformed CSV or a
// header without a calc column, kExitIoError when reading or writing failed; each after every
// row before it was written. A row's `series` cell names one of `series`.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err,
             std::string_view input_name = "-",
             std::span<const PipeSeries> series = BuiltInSeries());

}  // namespace tarnivel
