#pragma once
// How CSV column names and keywords in cells are compared: ignoring case and surrounding blanks.

#include <cctype>
#include <string>
#include <string_view>

namespace tarnivel {

inline std::string NormalisedName(std::string_view name) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace tarnivel
