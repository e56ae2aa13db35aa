#pragma once
// The words of CSV every table shares: how column names and keywords in cells are compared
// (ignoring case and surrounding blanks), what the program's own columns are called beside a
// user's, how a cell is written, and a whole text split into records (RFC 4180).

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarnivel {

// No such column in the input, or not an added one.
inline constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

// Where the first column called `name` is among `names`, or kNoColumn.
[[nodiscard]] std::size_t FirstNamed(std::span<const std::string> names, std::string_view name);

// `name` without surrounding blanks, in lower case (ASCII).
[[nodiscard]] std::string NormalisedName(std::string_view name);

// The first name `names` holds twice, ignoring case and surrounding blanks, as it is first
// written; none when every name is unique. Blank names (a header's trailing commas) are no names
// and may repeat. A header that names a column twice is malformed: which of the two a reader
// takes would be a guess.
[[nodiscard]] std::optional<std::string> RepeatedName(std::span<const std::string> names);

// The name of a column the program writes, `name`, unless a user's column has it: the program
// never overwrites a user's cell, so its own column then becomes tarnivel_NAME, or
// tarnivel_NAME_2, _3 ... while that too is taken. `taken` holds normalised names.
[[nodiscard]] std::string OwnColumnName(std::span<const std::string> taken, std::string_view name);

// Appends `cell` to `out`, quoted when it holds a comma, a quote or a line break.
void AppendCsvCell(std::string& out, std::string_view cell);
// The same written at `to`, which has room for CsvCellBound(cell.size()) bytes; returns the end.
char* WriteCsvCell(char* to, std::string_view cell);
constexpr std::size_t CsvCellBound(std::size_t size) { return 2 * size + 2; }
// Appends one row of `cells` and its line end, \n.
void AppendCsvRow(std::string& out, std::span<const std::string> cells);

// One record of a text read whole, and the line it starts on.
struct CsvRecord {
  std::vector<std::string> cells;
  std::size_t line = 1;
};
// The records of `text` (a UTF-8 byte order mark skipped, CRLF or LF line ends; a blank line is
// a record of one empty cell), or what is wrong with it, «line 3: a quoted cell is never
// closed», in the words of the streaming reader of the batch (tables/csv.h).
[[nodiscard]] std::variant<std::vector<CsvRecord>, std::string> CsvRecords(std::string_view text);

}  // namespace tarnivel
