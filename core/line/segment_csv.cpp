// A line's segments read from and written as CSV, by the line command's rules.

#include "core/line/segment_csv.h"

#include <algorithm>

#include "core/csv_text.h"
#include "core/numeric.h"

namespace tarnivel {

std::variant<SegmentColumns, std::string> FindSegmentColumns(std::span<const std::string> header) {
  if (const std::optional<std::string> twice = RepeatedName(header)) {
    return "the header names the column '" + *twice + "' twice";
  }
  std::vector<std::string> names;
  for (const std::string& name : header) names.push_back(NormalisedName(name));
  SegmentColumns columns{};
  for (const SegmentColumnInfo& info : kSegmentColumns) {
    columns[static_cast<std::size_t>(info.column)] = FirstNamed(names, info.name);
  }
  for (SegmentColumn column : kRequiredSegmentColumns) {
    if (columns[static_cast<std::size_t>(column)] == kNoColumn) {
      return "the header has no '" + std::string(SegmentColumnOf(column).name) + "' column";
    }
  }
  return columns;
}

bool IsBlankRow(std::span<const std::string> cells) {
  return cells.size() == 1 && std::all_of(cells[0].begin(), cells[0].end(),
                                          [](char c) { return c == ' ' || c == '\t'; });
}

std::string SegmentRowFault(std::size_t cells, std::size_t width, std::size_t line,
                            std::size_t segments) {
  if (cells > width) {
    return "line " + std::to_string(line) + " has " + std::to_string(cells) +
           " cells, the header " + std::to_string(width);
  }
  if (segments == kMaxLineSegments) {
    return "a line holds at most " + std::to_string(kMaxLineSegments) + " segments";
  }
  return {};
}

SegmentTexts SegmentTextsOf(std::span<const std::string> row, const SegmentColumns& columns) {
  SegmentTexts segment;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (columns[k] < row.size()) segment.texts[k] = row[columns[k]];
  }
  return segment;
}

std::variant<std::vector<SegmentTexts>, std::string> ReadSegmentCsv(std::string_view text) {
  auto read = CsvRecords(text);
  if (auto* error = std::get_if<std::string>(&read)) return std::move(*error);
  const auto& records = std::get<std::vector<CsvRecord>>(read);
  const auto header = std::find_if(records.begin(), records.end(), [](const CsvRecord& record) {
    return !IsBlankRow(record.cells);
  });
  if (header == records.end()) return std::string("the file is empty; it needs a header row");
  const auto columns = FindSegmentColumns(header->cells);
  if (const auto* error = std::get_if<std::string>(&columns)) return *error;
  std::vector<SegmentTexts> segments;
  for (auto record = header + 1; record != records.end(); ++record) {
    if (IsBlankRow(record->cells)) continue;
    std::string fault =
        SegmentRowFault(record->cells.size(), header->cells.size(), record->line, segments.size());
    if (!fault.empty()) return fault;
    segments.push_back(SegmentTextsOf(record->cells, std::get<SegmentColumns>(columns)));
  }
  return segments;
}

std::string SegmentCsv(std::span<const SegmentTexts> segments) {
  std::vector<std::string> names;
  for (const SegmentColumnInfo& info : kSegmentColumns) names.emplace_back(info.name);
  std::string text;
  AppendCsvRow(text, names);
  for (const SegmentTexts& segment : segments) AppendCsvRow(text, segment.texts);
  return text;
}

std::vector<std::string> LineOutputHeader(std::span<const std::string> header) {
  std::vector<std::string> names;
  for (const std::string& name : header) names.push_back(NormalisedName(name));
  std::vector<std::string> out(header.begin(), header.end());
  for (std::string_view name : kLineOutputNames) out.push_back(OwnColumnName(names, name));
  return out;
}

void GiveLineSeries(std::vector<SegmentTexts>& segments, std::string_view series) {
  if (IsBlankText(series)) return;
  for (SegmentTexts& segment : segments) {
    if (IsBlankText(segment[SegmentColumn::Bore]) && IsBlankText(segment[SegmentColumn::Series])) {
      segment[SegmentColumn::Series] = std::string(series);
    }
  }
}

}  // namespace tarnivel
