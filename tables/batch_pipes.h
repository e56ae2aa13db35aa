#pragma once
// The batch's optional `series` column: a diameter row that names a series (built in or from
// the catalogue, by name or label) gets the chosen pipe of that series, its bore and the
// velocity in it. The batch's columns `pipe`, `bore` and `pipe_velocity` are added before the
// message; a user's column of the same name is carried through untouched, and the batch's own
// column is then called `tarnivel_pipe` and so on (core/csv_text.h: OwnColumnName).

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipes.h"
#include "core/quantities.h"
#include "core/sizing.h"
#include "tables/added_columns.h"

namespace tarnivel {

class BatchPipes {
 public:
  static constexpr std::array<std::string_view, 3> kOutputNames = {"pipe", "bore", "pipe_velocity"};

  // Takes in the header's column names, normalised (lower case, no surrounding blanks), and,
  // only when the input has a series column, appends the output columns from `output_count` on.
  // `series` are the series a row may name; they outlive this.
  void Locate(std::span<const std::string> normalised_names, std::span<const PipeSeries> series,
              std::size_t& output_count);

  // Works out a row's pipe cells from its input cells, after its calculation ended as
  // `outcome_message` says (empty: computed); with `drop`, the line's length and parameters, by
  // both checks. Returns the row's message: an unknown series, no pipe large enough (or within
  // the drop allowed), a fault in a pipe's velocity or the line's parameters; or empty.
  std::string_view Fill(std::span<const std::string_view> cells,
                        std::optional<Calculation> calculation, std::string_view outcome_message,
                        const DropParameters* drop = nullptr);
  // The drop in the pipe the last Fill chose, when it had a line to check; nullptr otherwise.
  const PipeDrop* ChosenDrop() const { return chosen_drop_ ? &*chosen_drop_ : nullptr; }
  // The pipe columns: their names for the header, and the last Fill's texts.
  const AddedColumns<kOutputNames.size()>& Added() const { return added_; }

 private:
  std::span<const PipeSeries> known_;
  std::size_t series_ = kNoColumn;
  std::array<std::size_t, 3> input_{kNoColumn, kNoColumn, kNoColumn};  // pressure, velocity, flow
  AddedColumns<kOutputNames.size()> added_;
  std::string message_;
  std::optional<PipeDrop> chosen_drop_;
};

}  // namespace tarnivel
