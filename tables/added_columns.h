#pragma once
// Columns the batch adds before the message for a part of its work (the chosen pipe's, the
// drop's): where they stand in the output, their names for the header, and a row's texts.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/csv_text.h"

namespace tarnivel {

template <std::size_t N>
class AddedColumns {
 public:
  // Adds the columns `names` from `output_count` on; a user's column of the same name keeps
  // it, and the batch's own is renamed (OwnColumnName). `header` holds normalised names.
  void Add(std::span<const std::string> header, const std::array<std::string_view, N>& names,
           std::size_t& output_count) {
    first_ = output_count;
    output_count += N;
    for (std::string_view name : names) names_.push_back(OwnColumnName(header, name));
  }

  // The names of the columns added, in order, for the header row; none when not added.
  const std::vector<std::string>& Names() const { return names_; }

  // The text of output column `column` when it is one of these; nullptr otherwise.
  const std::string* CellFor(std::size_t column) const {
    if (first_ == kNoColumn || column < first_ || column - first_ >= N) return nullptr;
    return &texts[column - first_];
  }

  void Clear() {
    for (std::string& text : texts) text.clear();
  }

  // This row's texts, in the order of the names.
  std::array<std::string, N> texts;

 private:
  std::size_t first_ = kNoColumn;
  std::vector<std::string> names_;
};

}  // namespace tarnivel
