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

// How a batch ended, from the best to the worst; each after every row before it was written.
// The batch command tells a script by its exit status.
enum class BatchOutcome {
  AllComputed,  // every row computed
  // some row ended in a prompt, a fault, an unknown calculation or series or no pipe large
  // enough
  SomeRowEnded,
  Malformed,  // malformed CSV, a header without a calc column, a cell or row over its limit
  ReadOrWriteFailed,
};

// Reads CSV from `in` (named `input_name` in messages) and writes the computed table to `out`;
// problems with the input as a whole, and cells read only in part, go to `err`. A row's
// `series` cell names one of `series`.
BatchOutcome RunBatch(std::istream& in, std::ostream& out, std::ostream& err,
                      std::string_view input_name = "-",
                      std::span<const PipeSeries> series = BuiltInSeries());

}  // namespace tarnivel
