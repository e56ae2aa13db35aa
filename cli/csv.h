#pragma once
// Streaming CSV (RFC 4180): quoted fields with embedded commas, quotes and line breaks, CRLF
// or LF line ends, a UTF-8 byte order mark at the start tolerated.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnivel {

// Reads records from text fed to it piece by piece, in whatever pieces it arrives. A record
// is held whole, so its size is limited: endless input without line breaks, or with endless
// commas, is malformed rather than a way to exhaust the memory.
class CsvReader {
 public:
  static constexpr std::size_t kMaxCellBytes = std::size_t{1} << 20;     // 1 MiB
  static constexpr std::size_t kMaxRecordBytes = std::size_t{16} << 20;  // 16 MiB
  static constexpr std::size_t kMaxRecordCells = std::size_t{1} << 16;

  enum class Status { NeedMore, Record, End, Error };

  // Gives the reader the next piece of text; `data` must stay valid until Next() asks for more.
  void Feed(std::string_view data);
  // Tells the reader no more text will come.
  void Finish();

  // Record: record() holds the next record. NeedMore: feed more text, or finish. End: finished
  // and no record left. Error: error() says what is wrong and error_line() where; no record
  // follows.
  Status Next();

  std::span<const std::string> record() const { return {cells_.data(), cell_count_}; }
  std::size_t record_line() const { return record_line_; }  // 1-based line it started on
  const std::string& error() const { return error_; }
  std::size_t error_line() const { return error_line_; }

 private:
  enum class State { RecordStart, FieldStart, Unquoted, Quoted, QuoteInQuoted };

  void Append(char c);
  void EndCell();
  bool OverLimit();
  void Recycle();
  Status EndRecord();
  Status EndLine(char c);
  Status Fail(std::string message, std::size_t line);

  std::string_view pending_;
  bool finished_ = false;
  std::size_t bom_seen_ = 0;  // bytes of a leading byte order mark matched so far
  bool at_start_ = true;      // nothing but a part of a byte order mark read yet
  bool skip_lf_ = false;      // the last line ended in CR: an LF right after it belongs to it
  bool quoted_cr_ = false;    // the last character inside quotes was a CR
  State state_ = State::RecordStart;
  std::vector<std::string> cells_;
  std::size_t cell_count_ = 0;    // cells_ entries in use; the rest keep their capacity
  std::size_t record_bytes_ = 0;  // of the record being read: its cells and their commas
  std::size_t bytes_held_ = 0;    // read into cells_ since they were last given back
  std::size_t line_ = 1;
  std::size_t record_line_ = 1;
  std::size_t quote_line_ = 1;
  std::string error_;
  std::size_t error_line_ = 0;
};

// The limits above in words, for the help: «a cell over 1 MiB, a row over 16 MiB or ...».
std::string CsvLimitsText();

// Appends `cell` to `out`, quoted when it holds a comma, a quote or a line break.
void AppendCsvCell(std::string& out, std::string_view cell);

}  // namespace tarnivel
