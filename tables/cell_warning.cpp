// The batch's warning for a cell whose number was read only in part.

#include "tables/cell_warning.h"

#include "core/numeric.h"
#include "system/report.h"

namespace tarnivel {
namespace {

// Whether the lenient reading of `text` may pass over something: anything but digits and at
// most one period. Most cells are plain numbers, and this spares them a second reading.
bool MayHaveIgnoredText(std::string_view text) {
  bool period = false;
  for (char c : text) {
    if (c == '.' && !period) {
      period = true;
    } else if (c < '0' || c > '9') {
      return true;
    }
  }
  return false;
}

}  // namespace

void WarnAboutCell(std::string_view column, std::string_view text, std::size_t line,
                   std::string& err) {
  if (!MayHaveIgnoredText(text)) return;
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.fault || !number.ignored_text) return;
  err += IgnoredTextWarning("batch: line " + std::to_string(line) + ": " + std::string(column),
                            text, number.value);
}

}  // namespace tarnivel
