// A line's table of segments: its CSV read whole and checked, the segment columns found by
// name, and the header and rows of what the line command writes.

#include "tables/segment_table.h"

#include <istream>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "system/io_error.h"
#include "system/report.h"
#include "tables/csv.h"

namespace tarnivel {
namespace {

// Builds the table record by record. Each step returns what is wrong with the input, to be
// said after «tarnivel: INPUT: », or nothing.
struct TableBuilder {
  SegmentTable table;
  bool have_header = false;

  std::string Header(std::span<const std::string> cells) {
    if (IsBlankRow(cells)) return {};  // blank lines before it
    table.header.assign(cells.begin(), cells.end());
    auto columns = FindSegmentColumns(table.header);
    if (auto* error = std::get_if<std::string>(&columns)) return Escaped(*error);
    table.columns = std::get<SegmentColumns>(columns);
    have_header = true;
    return {};
  }

  std::string Row(std::span<const std::string> cells, std::size_t line) {
    if (IsBlankRow(cells)) return {};
    std::string fault = SegmentRowFault(cells.size(), table.header.size(), line, table.rows.size());
    if (!fault.empty()) return fault;
    std::vector<std::string>& row = table.rows.emplace_back(cells.begin(), cells.end());
    row.resize(table.header.size());
    return {};
  }
};

// Reads the table from `source` up to its end or a failed read, which the caller asks the
// source about. Returns what is wrong with it, or nothing.
std::string Parse(std::streambuf& source, TableBuilder& builder) {
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
        FeedFrom(source, reader);
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
  std::vector<SegmentTexts> segments;
  segments.reserve(table.rows.size());
  for (const auto& row : table.rows) segments.push_back(SegmentTextsOf(row, table.columns));
  return segments;
}

}  // namespace tarnivel
