#pragma once
// The batch's warning about a cell whose number was read only in part, as the command line
// warns about an option's value: "tarnivel: batch: line N: COLUMN: ...".

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnivel {

// Appends to `err` the warning for `text`, the cell of column `column` on input line `line`,
// when its reading passes over something. A cell that cannot be read at all gets none: the
// row's message says so.
void WarnAboutCell(std::string_view column, std::string_view text, std::size_t line,
                   std::string& err);

}  // namespace tarnivel
