#pragma once
// The batch's optional `series` column: a diameter row that names a built-in series gets
// the chosen pipe of that series, its bore and the velocity in it, in the columns `pipe`,
// `bore` and `pipe_velocity` (added before `message` when the input lacks them).

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/quantities.h"

namespace tarnivel {

class BatchPipes {
 public:
  static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
  static constexpr std::array<std::string_view, 3> kOutputNames = {"pipe", "bore", "pipe_velocity"};

  // Takes in the header's column names, normalised (lower case, no surrounding blanks), and
  // appends the output columns the input lacks from `output_count` on, only when the input
  // has a series column.
  void Locate(std::span<const std::string> normalised_names, std::size_t& output_count);
  // The names of the columns added, in order, for the header row.
  std::vector<std::string_view> AddedNames(std::size_t input_count) const;

  // Works out a row's pipe cells from its input cells, after its calculation ended as
  // `outcome_message` says (empty: computed). Returns the row's message: an unknown series,
  // or empty.
  std::string_view Fill(std::span<const std::string> cells, std::optional<Calculation> calculation,
                        std::string_view outcome_message);
  // The text of output column `column` when it is a pipe column; nullptr otherwise.
  const std::string* CellFor(std::size_t column) const;

 private:
  std::size_t series_ = kNoColumn;
  std::array<std::size_t, 3> input_{kNoColumn, kNoColumn, kNoColumn};  // pressure, velocity, flow
  std::array<std::size_t, kOutputNames.size()> output_{kNoColumn, kNoColumn, kNoColumn};
  std::array<std::string, kOutputNames.size()> texts_;
  std::string message_;
};

}  // namespace tarnivel
