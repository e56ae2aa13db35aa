#include "cli/csv.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarnivel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Bytes are looked up rather than compared one by one: the batch spends much of its time
// scanning cells.
constexpr std::array<bool, 256> ByteSet(std::string_view bytes) {
  std::array<bool, 256> set{};
  for (char c : bytes) set[static_cast<unsigned char>(c)] = true;
  return set;
}
constexpr auto kEndsUnquotedCell = ByteSet(",\r\n");
constexpr auto kNeedsQuotes = ByteSet(",\"\r\n");

std::string Mebibytes(std::size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace

void CsvReader::Feed(std::string_view data) { pending_ = data; }

void CsvReader::Finish() { finished_ = true; }

void CsvReader::Append(char c) {
  if (cell_count_ == 0) EndCell();  // the first cell of a record opens on its first byte
  cells_[cell_count_ - 1].push_back(c);
  ++record_bytes_;
}

void CsvReader::EndCell() {
  if (cell_count_ > 0) ++record_bytes_;  // the comma before it
  if (cell_count_ == cells_.size()) cells_.emplace_back();
  cells_[cell_count_++].clear();
}

// Whether the record being read has passed a limit; the error says which, with its line.
bool CsvReader::OverLimit() {
  std::string what;
  if (cell_count_ > kMaxRecordCells) {
    what = "a row has more than " + std::to_string(kMaxRecordCells) + " cells";
  } else if (cell_count_ > 0 && cells_[cell_count_ - 1].size() > kMaxCellBytes) {
    what = "a cell is longer than " + Mebibytes(kMaxCellBytes);
  } else if (record_bytes_ > kMaxRecordBytes) {
    what = "a row is longer than " + Mebibytes(kMaxRecordBytes);
  } else {
    return false;
  }
  Fail(std::move(what), record_line_);
  return true;
}

// The cells keep their buffers from record to record, which spares the batch an allocation
// per cell; after many bytes they are given back, so that a few huge cells in different
// columns cannot add up to many times the largest record.
void CsvReader::Recycle() {
  bytes_held_ += record_bytes_;
  if (bytes_held_ > kMaxRecordBytes) {
    std::vector<std::string>().swap(cells_);
    bytes_held_ = 0;
  }
}

CsvReader::Status CsvReader::EndRecord() {
  if (cell_count_ == 0) EndCell();
  state_ = State::RecordStart;
  return Status::Record;
}

CsvReader::Status CsvReader::EndLine(char c) {
  skip_lf_ = c == '\r';  // CRLF is one line end
  ++line_;
  return EndRecord();
}

CsvReader::Status CsvReader::Fail(std::string message, std::size_t line) {
  error_ = std::move(message);
  error_line_ = line;
  return Status::Error;
}

CsvReader::Status CsvReader::Next() {
  if (!error_.empty()) return Status::Error;
  while (!pending_.empty()) {
    const char c = pending_.front();
    pending_.remove_prefix(1);

    if (at_start_) {
      if (c == kByteOrderMark[bom_seen_]) {
        if (++bom_seen_ == kByteOrderMark.size()) at_start_ = false;
        continue;
      }
      at_start_ = false;
      if (bom_seen_ > 0) {  // not a byte order mark after all: those bytes are data
        cell_count_ = 0;
        for (char b : kByteOrderMark.substr(0, bom_seen_)) Append(b);
        state_ = State::Unquoted;
      }
    }
    if (skip_lf_) {
      skip_lf_ = false;
      if (c == '\n') continue;
    }

    switch (state_) {
      case State::RecordStart:
        Recycle();
        cell_count_ = 0;
        record_bytes_ = 0;
        record_line_ = line_;
        if (c == '\n' || c == '\r') {  // a blank line is no record
          skip_lf_ = c == '\r';
          ++line_;
          continue;
        }
        state_ = State::FieldStart;
        EndCell();
        [[fallthrough]];
      case State::FieldStart:
        if (c == '"') {
          state_ = State::Quoted;
          quote_line_ = line_;
          quoted_cr_ = false;
          continue;
        }
        state_ = State::Unquoted;
        [[fallthrough]];
      case State::Unquoted:
        if (c != ',' && c != '\n' && c != '\r') {
          // Take the whole run of plain characters at once.
          std::size_t run = 0;
          while (run < pending_.size() &&
                 !kEndsUnquotedCell[static_cast<unsigned char>(pending_[run])]) {
            ++run;
          }
          Append(c);
          cells_[cell_count_ - 1].append(pending_.data(), run);
          record_bytes_ += run;
          pending_.remove_prefix(run);
          if (OverLimit()) return Status::Error;
        } else if (c == ',') {
          EndCell();
          state_ = State::FieldStart;
          if (OverLimit()) return Status::Error;
        } else if (c == '\n' || c == '\r') {
          return EndLine(c);
        }
        // A quote inside an unquoted cell is taken as it stands.
        continue;
      case State::Quoted:
        if (c == '"') {
          state_ = State::QuoteInQuoted;
        } else {
          // CR, LF and CRLF each end one line, inside quotes as outside.
          if (c == '\r' || (c == '\n' && !quoted_cr_)) ++line_;
          quoted_cr_ = c == '\r';
          Append(c);
          if (OverLimit()) return Status::Error;
        }
        continue;
      case State::QuoteInQuoted:
        if (c == '"') {  // a doubled quote is one quote
          quoted_cr_ = false;
          Append('"');
          state_ = State::Quoted;
          if (OverLimit()) return Status::Error;
        } else if (c == ',') {
          EndCell();
          state_ = State::FieldStart;
          if (OverLimit()) return Status::Error;
        } else if (c == '\n' || c == '\r') {
          return EndLine(c);
        } else {
          return Fail("text after the closing quote of a cell", line_);
        }
        continue;
    }
  }
  if (!finished_) return Status::NeedMore;
  switch (state_) {
    case State::RecordStart:
      if (at_start_ && bom_seen_ > 0) {  // a text that is only part of a byte order mark
        at_start_ = false;
        cell_count_ = 0;
        for (char b : kByteOrderMark.substr(0, bom_seen_)) Append(b);
        return EndRecord();
      }
      return Status::End;
    case State::Quoted:
      return Fail("a quoted cell is never closed", quote_line_);
    default:
      return EndRecord();  // the last line had no line break
  }
}

std::string CsvLimitsText() {
  return "a cell over " + Mebibytes(CsvReader::kMaxCellBytes) + ", a row over " +
         Mebibytes(CsvReader::kMaxRecordBytes) + " or a row of more than " +
         std::to_string(CsvReader::kMaxRecordCells) + " cells";
}

void AppendCsvCell(std::string& out, std::string_view cell) {
  if (std::ranges::none_of(cell,
                           [](char c) { return kNeedsQuotes[static_cast<unsigned char>(c)]; })) {
    out.append(cell);
    return;
  }
  out.push_back('"');
  for (char c : cell) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace tarnivel
