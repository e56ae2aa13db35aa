#pragma once
// A line's segments as CSV, by one set of rules for every front end: a header naming segment,
// length and flow (any case, surrounding blanks ignored) and no column twice, the other segment
// columns optional, other columns passed over, a row no wider than the header, blank lines no
// segments. The line command reads its input as it streams (tables/segment_table.h); the window
// and the page read a file whole:
//
//   CSV text --> ReadSegmentCsv --> SegmentTexts per row (or what is wrong with the text)
//   SegmentTexts --> SegmentCsv --> CSV text with a column per kSegmentColumns entry
//   the input's header --> LineOutputHeader --> the header of what `tarnivel line --csv` writes

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/line/line.h"

namespace tarnivel {

// Segments enough for any real line, and few enough that a huge input is refused, not held.
inline constexpr std::size_t kMaxLineSegments = 100'000;

// Where each of kSegmentColumns is in a header; kNoColumn (core/csv_text.h) for one it lacks.
using SegmentColumns = std::array<std::size_t, kSegmentColumns.size()>;

// The segment columns of `header`, or what is wrong with it.
[[nodiscard]] std::variant<SegmentColumns, std::string> FindSegmentColumns(
    std::span<const std::string> header);

// A blank line: one cell of nothing but blanks.
[[nodiscard]] bool IsBlankRow(std::span<const std::string> cells);
// What is wrong with a row of `cells` cells, on `line`, under a header `width` wide, after
// `segments` segments; empty when nothing is.
[[nodiscard]] std::string SegmentRowFault(std::size_t cells, std::size_t width, std::size_t line,
                                          std::size_t segments);

// The texts of a row's segment columns; a column the header lacks, or the row is short of, is
// blank.
[[nodiscard]] SegmentTexts SegmentTextsOf(std::span<const std::string> row,
                                          const SegmentColumns& columns);

// The segments of `text`, or an English sentence saying what is wrong with it.
[[nodiscard]] std::variant<std::vector<SegmentTexts>, std::string> ReadSegmentCsv(
    std::string_view text);

// The segments as CSV: a header of kSegmentColumns' names, then a row each, lines ended by \n.
[[nodiscard]] std::string SegmentCsv(std::span<const SegmentTexts> segments);

// The header of what the line command writes: the input's names as typed, then the added ones
// (kLineOutputNames), each renamed tarnivel_NAME when the input already has a column of that
// name (OwnColumnName).
[[nodiscard]] std::vector<std::string> LineOutputHeader(std::span<const std::string> header);

// Gives the segments that name neither a bore nor a series the line's `series`, as the line
// command's --series does; a blank `series` gives none.
void GiveLineSeries(std::vector<SegmentTexts>& segments, std::string_view series);

}  // namespace tarnivel
