#pragma once
// Streaming CSV (RFC 4180): quoted fields with embedded commas, quotes and line breaks, CRLF
// or LF line ends, a UTF-8 byte order mark at the start tolerated.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/csv_text.h"  // the cells written, the column names
#include "system/byte_buffer.h"

namespace tarnivel {

// Reads records from text given to it piece by piece, in whatever pieces it arrives. The text
// is kept in one buffer and a record's cells are views into it, a quoted cell's doubled quotes
// undone in place, so that a cell is not copied on its way in. A record is held whole, so its
// size is limited: endless input without line breaks, or with endless commas, is malformed
// rather than a way to exhaust the memory.
class CsvReader {
 public:
  static constexpr std::size_t kMaxCellBytes = std::size_t{1} << 20;     // 1 MiB
  static constexpr std::size_t kMaxRecordBytes = std::size_t{16} << 20;  // 16 MiB
  static constexpr std::size_t kMaxRecordCells = std::size_t{1} << 16;

  enum class Status { NeedMore, Record, End, Error };

  // Room for at least `size` more bytes of text, to be read into and then kept with Commit.
  // Moves the text not yet read as a record: the cells of the records before are gone, unless
  // their bytes were handed over.
  std::span<char> Space(std::size_t size);
  void Commit(std::size_t size);
  // Copies the next piece of text in.
  void Feed(std::string_view data);
  // Tells the reader no more text will come.
  void Finish();

  // Record: cells() holds the next record. NeedMore: give more text, or finish. End: finished
  // and no record left. Error: error() says what is wrong and error_line() where; no record
  // follows.
  Status Next();

  // Valid until Space() moves the text, or HandOver() takes it.
  std::span<const std::string_view> cells() const { return cells_; }
  // The same cells, copied; valid until the next call to Next().
  std::span<const std::string> record() const;
  std::size_t record_line() const { return record_line_; }  // 1-based line it started on
  // Bytes given but not yet read as a record: the start of one, or what follows it.
  std::size_t unread_bytes() const { return buffer_.size() - Unread(); }
  const std::string& error() const { return error_; }
  std::size_t error_line() const { return error_line_; }

  // Swaps the buffer for `bytes`, so that the cells of every record read so far stay valid for
  // as long as `bytes` lives, and goes on with the text not yet read as a record, copied into
  // the buffer `bytes` held (its memory reused).
  void HandOver(ByteBuffer& bytes);

 private:
  enum class State { RecordStart, FieldStart, Unquoted, Quoted, QuoteInQuoted };

  std::size_t Unread() const { return state_ == State::RecordStart ? pos_ : record_start_; }
  // The steps of Next, each reading on from pos_.
  bool PassByteOrderMark();
  std::optional<Status> Step();
  bool StartRecord();
  bool StartCell();
  std::optional<Status> ReadUnquoted();
  std::optional<Status> ReadQuoted();
  std::optional<Status> AfterQuote();
  Status AtEnd();
  void MoveUnreadTo(ByteBuffer& to);
  bool OverLimit();
  void FailOverLimit();
  void EndCell();
  Status EndRecord();
  Status EndLine(char c);
  Status Fail(std::string message, std::size_t line);

  ByteBuffer buffer_;
  std::size_t pos_ = 0;           // the next byte to look at
  std::size_t record_start_ = 0;  // where the record being read begins
  std::size_t cell_start_ = 0;    // where the text of the cell being read begins
  std::size_t cell_end_ = 0;      // and ends: behind pos_ once a doubled quote was undone
  bool finished_ = false;
  bool at_start_ = true;    // a byte order mark may yet come
  bool skip_lf_ = false;    // the last line ended in CR: an LF right after it belongs to it
  bool quoted_cr_ = false;  // the last character inside quotes was a CR
  State state_ = State::RecordStart;
  // The cells of the record being read, as offsets from its start and lengths: the text may
  // move before the record ends.
  std::vector<std::pair<std::size_t, std::size_t>> spans_;
  std::vector<std::string_view> cells_;
  mutable std::vector<std::string> copies_;  // of cells_, made when asked for
  std::size_t record_bytes_ = 0;             // of its cells read so far, and their commas
  std::size_t line_ = 1;
  std::size_t record_line_ = 1;
  std::size_t quote_line_ = 1;
  std::string error_;
  std::size_t error_line_ = 0;
};

// Gives `reader` the next piece of `source` as it arrives, or finishes it at the source's end
// or a failed read, which the caller asks the source about.
void FeedFrom(std::streambuf& source, CsvReader& reader);

// The limits above in words, for the help: «a cell over 1 MiB, a row over 16 MiB or ...».
std::string CsvLimitsText();

}  // namespace tarnivel
