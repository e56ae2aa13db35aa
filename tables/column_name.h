#pragma once
// How CSV column names and keywords in cells are compared: ignoring case and surrounding blanks.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>

namespace tarnivel {

// No such column in the input, or not an added one.
inline constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

// Where the first column called `name` is among `names`, or kNoColumn.
inline std::size_t FirstNamed(std::span<const std::string> names, std::string_view name) {
  const auto found = std::ranges::find(names, name);
  return found == names.end() ? kNoColumn : static_cast<std::size_t>(found - names.begin());
}

inline std::string NormalisedName(std::string_view name) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The first name `names` holds twice, ignoring case and surrounding blanks, as it is first
// written; none when every name is unique. Blank names (a header's trailing commas) are no names
// and may repeat. A header that names a column twice is malformed: which of the two a reader
// takes would be a guess.
inline std::optional<std::string> RepeatedName(std::span<const std::string> names) {
  std::unordered_set<std::string> seen;  // a header may have 65536 cells
  for (const std::string& name : names) {
    std::string normalised = NormalisedName(name);
    if (!normalised.empty() && !seen.insert(std::move(normalised)).second) return name;
  }
  return std::nullopt;
}

// The name of a column the batch writes, `name`, unless a user's column has it: the batch
// never overwrites a user's cell, so its own column then becomes tarnivel_NAME, or
// tarnivel_NAME_2, _3 ... while that too is taken. `taken` holds normalised names.
inline std::string OwnColumnName(std::span<const std::string> taken, std::string_view name) {
  const auto free = [&](const std::string& candidate) {
    return std::ranges::find(taken, candidate) == taken.end();
  };
  std::string candidate(name);
  if (free(candidate)) return candidate;
  candidate = "tarnivel_" + candidate;
  for (int n = 2; !free(candidate); ++n) {
    candidate = "tarnivel_" + std::string(name) + "_" + std::to_string(n);
  }
  return candidate;
}

}  // namespace tarnivel
