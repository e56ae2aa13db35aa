// A line's table of segments: its CSV read whole and checked, the segment columns found by
// name, and the header and rows of what the line command writes.

#include "tables/segment_table.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "system/io_error.h"
#include "system/report.h"
#include "tables/column_name.h"
#include "tables/csv.h"

namespace tarnivel {
namespace {

// Builds the table record by record. Each step returns what is wrong with the input, to be
// said after «tarnivel: INPUT: », or nothing.
struct TableBuilder {
  SegmentTable table;
  bool have_header = false;

  std::string Header(std::span<const std::string> cells) {
    table.header.assign(cells.begin(), cells.end());
    if (const std::optional<std::string> twice = RepeatedName(table.header)) {
      return "the header names the column '" + Escaped(*twice) + "' twice";
    }
    std::vector<std::string> names;
    for (const std::string& name : table.header) names.push_back(NormalisedName(name));
    for (const SegmentColumnInfo& info : kSegmentColumns) {
      table.columns[static_cast<std::size_t>(info.column)] = FirstNamed(names, info.name);
    }
    for (SegmentColumn column : kRequiredSegmentColumns) {
      if (table.columns[static_cast<std::size_t>(column)] == kNoColumn) {
        return "the header has no '" + std::string(SegmentColumnOf(column).name) + "' column";
      }
    }
    have_header = true;
    return {};
  }

  std::string Row(std::span<const std::string> cells, std::size_t line) {
    if (cells.size() == 1 && IsBlank(cells[0])) return {};  // a blank line
    if (cells.size() > table.header.size()) {
      return "line " + std::to_string(line) + " has " + std::to_string(cells.size()) +
             " cells, the header " + std::to_string(table.header.size());
    }
    if (table.rows.size() == kMaxLineSegments) {
      return "a line holds at most " + std::to_string(kMaxLineSegments) + " segments";
    }
    std::vector<std::string>& row = table.rows.emplace_back(cells.begin(), cells.end());
    row.resize(table.header.size());
    return {};
  }

  static bool IsBlank(const std::string& cell) {
    return std::ranges::all_of(cell, [](char c) { return c == ' ' || c == '\t'; });
  }
};

// Reads the table from `source` up to its end or a failed read, which the caller asks the
// source about. Returns what is wrong with it, or nothing.
std::string Parse(std::streambuf& source, TableBuilder& builder) {
  std::vector<char> chunk(1 << 16);
  CsvReader reader;
  for (;;) {
    switch (reader.Next()) {
      case CsvReader::Status::Record: {
        std::string error = builder.have_header ? builder.Row(reader.record(), reader.record_line())
                                                : builder.Header(reader.record());
        if (!error.empty()) return error;
        break;
      }
      case CsvReader::Status::Error:
        return "line " + std::to_string(reader.error_line()) + ": " + reader.error();
      case CsvReader::Status::NeedMore:
        if (const std::streamsize got =
                source.sgetn(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            got > 0) {
          reader.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
        } else {
          reader.Finish();
        }
        break;
      case CsvReader::Status::End:
        if (!builder.have_header) return "the input is empty; it needs a header row";
        return {};
    }
  }
}

}  // namespace

std::variant<SegmentTable, SegmentTableFailure> ReadSegmentTable(std::istream& in,
                                                                 std::string_view input_name,
                                                                 std::ostream& err) {
  TableBuilder builder;
  std::streambuf& source = *in.rdbuf();
  const std::string error = Parse(source, builder);
  if (const int io_error = IoErrorOf(&source); io_error != 0) {
    ReportFileError(err, input_name, io_error);
    return SegmentTableFailure::ReadFailed;
  }
  if (!error.empty()) {
    Report(err, Escaped(input_name) + ": " + error);
    return SegmentTableFailure::Malformed;
  }
  return std::move(builder.table);
}

std::vector<SegmentTexts> SegmentTextsOf(const SegmentTable& table) {
  std::vector<SegmentTexts> segments(table.rows.size());
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    for (std::size_t c = 0; c < kSegmentColumns.size(); ++c) {
      if (const std::size_t column = table.columns[c]; column != kNoColumn) {
        segments[r].texts[c] = table.rows[r][column];
      }
    }
  }
  return segments;
}

std::vector<std::string> LineOutputHeader(std::span<const std::string> header) {
  std::vector<std::string> names;
  for (const std::string& name : header) names.push_back(NormalisedName(name));
  std::vector<std::string> out(header.begin(), header.end());
  for (std::string_view name : kLineOutputNames) out.push_back(OwnColumnName(names, name));
  return out;
}

void AppendCsvRow(std::string& out, std::span<const std::string> cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += ',';
    AppendCsvCell(out, cells[i]);
  }
  out += '\n';
}

}  // namespace tarnivel
