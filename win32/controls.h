#pragma once
// The window's controls are those of the core's layout table, each with the identifier of its
// row, so that the window, and whatever looks at it from outside (the tests), can tell them by
// the table's names.

#include <cstddef>
#include <string_view>

#include "core/layout.h"

namespace tarnivel {

inline constexpr int kFirstControlId = 100;

// The identifier of the control `name`, a row of kLayout.
constexpr int ControlId(std::string_view name) {
  for (std::size_t i = 0; i < kLayout.size(); ++i) {
    if (kLayout[i].control == name) return kFirstControlId + static_cast<int>(i);
  }
  return 0;
}

// The name of the control with identifier `id`; empty for none of the table's.
constexpr std::string_view ControlNamed(int id) {
  const int row = id - kFirstControlId;
  if (row < 0 || row >= static_cast<int>(kLayout.size())) return {};
  return kLayout[static_cast<std::size_t>(row)].control;
}

}  // namespace tarnivel
