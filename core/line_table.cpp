// A line's segments read from and written as CSV, by the line command's rules.

#include "core/line_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <optional>

#include "core/numeric.h"

namespace tarnivel {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::string Normalised(std::string_view name) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool IsBlankRecord(const std::vector<std::string>& cells) {
  return cells.size() == 1 && std::all_of(cells[0].begin(), cells[0].end(),
                                          [](char c) { return c == ' ' || c == '\t'; });
}

// The records of `text`, or what is wrong with it: a quote left open, or text after a
// closing quote.
std::variant<std::vector<std::vector<std::string>>, std::string> Records(std::string_view text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> cells(1);
  std::size_t line = 1;
  std::size_t i = 0;
  const auto end_record = [&] {
    records.push_back(std::move(cells));
    cells.assign(1, std::string());
  };
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' && cells.back().empty()) {
      const std::size_t opened = line;
      for (++i;; ++i) {
        if (i >= text.size()) return "line " + std::to_string(opened) + ": a quote is not closed";
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            cells.back() += '"';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        if (text[i] == '\n') ++line;
        cells.back() += text[i];
      }
      if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
        return "line " + std::to_string(line) + ": text after a closing quote";
      }
      continue;
    }
    if (c == ',') {
      cells.emplace_back();
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      end_record();
      ++line;
    } else {
      cells.back() += c;
    }
    ++i;
  }
  if (cells.size() > 1 || !cells[0].empty()) end_record();
  return records;
}

// A cell as CSV writes it: quoted when it holds a comma, a quote or a line end.
std::string Cell(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

}  // namespace

std::variant<std::vector<SegmentTexts>, std::string> ReadSegmentCsv(std::string_view text) {
  auto read = Records(text);
  if (auto* error = std::get_if<std::string>(&read)) return std::move(*error);
  auto& records = std::get<std::vector<std::vector<std::string>>>(read);
  std::erase_if(records, IsBlankRecord);
  if (records.empty()) return std::string("the file has no header");
  std::array<std::size_t, kSegmentColumns.size()> columns{};
  columns.fill(kNone);
  const std::vector<std::string>& header = records.front();
  for (std::size_t c = 0; c < header.size(); ++c) {
    const std::string name = Normalised(header[c]);
    for (const SegmentColumnInfo& info : kSegmentColumns) {
      std::size_t& column = columns[static_cast<std::size_t>(info.column)];
      if (name != info.name) continue;
      if (column != kNone) return "the header names the column '" + name + "' twice";
      column = c;
    }
  }
  for (SegmentColumn required : kRequiredSegmentColumns) {
    if (columns[static_cast<std::size_t>(required)] == kNone) {
      return "the header has no '" + std::string(SegmentColumnOf(required).name) + "' column";
    }
  }
  std::vector<SegmentTexts> segments;
  for (std::size_t r = 1; r < records.size(); ++r) {
    SegmentTexts& segment = segments.emplace_back();
    for (std::size_t k = 0; k < columns.size(); ++k) {
      if (columns[k] < records[r].size()) segment.texts[k] = records[r][columns[k]];
    }
  }
  return segments;
}

std::string SegmentCsv(std::span<const SegmentTexts> segments) {
  std::string text;
  const auto row = [&text](const auto& cells) {
    bool first = true;
    for (const auto& cell : cells) {
      text += (first ? "" : ",") + Cell(cell);
      first = false;
    }
    text += '\n';
  };
  std::array<std::string_view, kSegmentColumns.size()> names;
  // The iterator forms throughout: the page's C++ library has no ranges.
  std::transform(kSegmentColumns.begin(), kSegmentColumns.end(), names.begin(),
                 [](const SegmentColumnInfo& info) { return info.name; });
  row(names);
  for (const SegmentTexts& segment : segments) row(segment.texts);
  return text;
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
