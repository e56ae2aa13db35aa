#pragma once
// A line's segments as the CSV the line command reads, for front ends without the tables
// layer (the window, the page): the text read into segments and the segments written back.
//
//   CSV text --> ReadSegmentCsv --> SegmentTexts per row (or what is wrong with the text)
//   SegmentTexts --> SegmentCsv --> CSV text with a column per kSegmentColumns entry
//
// The rules are the line command's: a header naming segment, length and flow (any case,
// surrounding blanks ignored), the other segment columns optional, other columns passed over,
// quoted cells as RFC 4180 has them, blank lines no segments.

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/line.h"

namespace tarnivel {

// The segments of `text`, or an English sentence saying what is wrong with it.
[[nodiscard]] std::variant<std::vector<SegmentTexts>, std::string> ReadSegmentCsv(
    std::string_view text);

// The segments as CSV: a header of kSegmentColumns' names, then a row each, lines ended by \n.
[[nodiscard]] std::string SegmentCsv(std::span<const SegmentTexts> segments);

// Gives the segments that name neither a bore nor a series the line's `series`, as the line
// command's --series does; a blank `series` gives none.
void GiveLineSeries(std::vector<SegmentTexts>& segments, std::string_view series);

}  // namespace tarnivel
