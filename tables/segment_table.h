#pragma once
// A gas line's segments as CSV: the table read whole, since a line is computed from its inlet
// on and sized as a whole before its first row can be written; the segment columns its header
// names (core/line.h: kSegmentColumns); and the columns the line command adds after the input's.
//
//   CSV --> ReadSegmentTable --> SegmentTable --> SegmentTextsOf --> core's GasLineTexts
//                                              --> LineOutputHeader: the input's names + added

#include <array>
#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/line.h"
#include "core/pressure_drop.h"

namespace tarnivel {

// Segments enough for any real line, and few enough that a huge input is refused, not held.
inline constexpr std::size_t kMaxLineSegments = 100'000;

struct SegmentTable {
  std::vector<std::string> header;             // as typed
  std::vector<std::vector<std::string>> rows;  // each as wide as the header, a short row padded
  std::array<std::size_t, kSegmentColumns.size()> columns;  // by SegmentColumn; kNoColumn: none
};

// Why a table of segments cannot be used; the command tells a script by its exit status.
enum class SegmentTableFailure {
  Malformed,   // malformed CSV, a header naming a column twice or lacking one, over its limit
  ReadFailed,  // reading the input failed part way
};

// Reads the table from `in`, named `input_name` in messages, and says on `err` why it cannot
// be used. Blank lines are no segments.
std::variant<SegmentTable, SegmentTableFailure> ReadSegmentTable(std::istream& in,
                                                                 std::string_view input_name,
                                                                 std::ostream& err);

// The texts of each row's segment columns; a column the header lacks is blank.
std::vector<SegmentTexts> SegmentTextsOf(const SegmentTable& table);

// The output's header: the input's names as typed, then the added ones, each renamed
// tarnivel_NAME when the input already has a column of that name (tables/column_name.h).
std::vector<std::string> LineOutputHeader(std::span<const std::string> header);

// Appends one CSV row of `cells` and its line end to `out`.
void AppendCsvRow(std::string& out, std::span<const std::string> cells);

}  // namespace tarnivel
