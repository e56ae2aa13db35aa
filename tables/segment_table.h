#pragma once
// A gas line's segments as CSV, read as it streams but kept whole, since a line is computed
// from its inlet on and sized as a whole before its first row can be written. The rules of the
// table are the core's (core/line/segment_csv.h), for the window and the page alike.
//
//   CSV --> ReadSegmentTable --> SegmentTable --> SegmentTextsOf --> core's GasLineTexts

#include <array>
#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/line/line.h"
#include "core/line/segment_csv.h"
#include "core/pressure_drop.h"

namespace tarnivel {

struct SegmentTable {
  std::vector<std::string> header;             // as typed
  std::vector<std::vector<std::string>> rows;  // each as wide as the header, a short row padded
  SegmentColumns columns;                      // by SegmentColumn; kNoColumn: none
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

}  // namespace tarnivel
