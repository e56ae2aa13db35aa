// Streaming CSV: the reader's steps over a buffer that grows as text arrives, and the writing of
// a cell, quoted where it must be.

#include "tables/csv.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <streambuf>
#include <utility>

namespace tarnivel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The buffer grows by at least this much, so that a long record is not moved at every piece.
constexpr std::size_t kMinGrowth = std::size_t{64} << 10;

// Bytes are looked up rather than compared one by one: the batch spends much of its time
// scanning cells.
constexpr std::array<bool, 256> ByteSet(std::string_view bytes) {
  std::array<bool, 256> set{};
  for (char c : bytes) set[static_cast<unsigned char>(c)] = true;
  return set;
}
constexpr auto kEndsUnquotedCell = ByteSet(",\r\n");
constexpr auto kStopsQuotedText = ByteSet("\"\r\n");  // line breaks are counted

// Where the first byte of `set` is in [from, to), or `to`.
std::size_t Find(const char* data, std::size_t from, std::size_t to,
                 const std::array<bool, 256>& set) {
  while (from < to && !set[static_cast<unsigned char>(data[from])]) ++from;
  return from;
}

std::string Mebibytes(std::size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace

std::span<const std::string> CsvReader::record() const {
  copies_.assign(cells_.begin(), cells_.end());
  return copies_;
}

// Moves what is not yet read as a record to the start of `to`, and the positions with it.
void CsvReader::MoveUnreadTo(ByteBuffer& to) {
  const std::size_t from = Unread();
  const std::size_t size = buffer_.size() - from;
  to.Reserve(size);
  if (size > 0) std::memmove(to.data(), buffer_.data() + from, size);
  to.Resize(size);
  pos_ -= from;
  record_start_ -= std::min(record_start_, from);
  cell_start_ -= std::min(cell_start_, from);
  cell_end_ -= std::min(cell_end_, from);
}

std::span<char> CsvReader::Space(std::size_t size) {
  if (buffer_.capacity() - buffer_.size() < size) {
    MoveUnreadTo(buffer_);
    if (buffer_.capacity() - buffer_.size() < size) {
      buffer_.Reserve(
          std::max(buffer_.size() + std::max(size, kMinGrowth), buffer_.capacity() * 2));
    }
  }
  return {buffer_.data() + buffer_.size(), buffer_.capacity() - buffer_.size()};
}

void CsvReader::Commit(std::size_t size) { buffer_.Resize(buffer_.size() + size); }

void CsvReader::Feed(std::string_view data) {
  if (data.empty()) return;
  std::memcpy(Space(data.size()).data(), data.data(), data.size());
  Commit(data.size());
}

void CsvReader::Finish() { finished_ = true; }

void CsvReader::HandOver(ByteBuffer& bytes) {
  MoveUnreadTo(bytes);
  buffer_.swap(bytes);
}

// Whether the record being read has passed a limit; the error says which, with its line.
// Checked after every run of text, so the check itself is kept small enough to inline.
inline bool CsvReader::OverLimit() {
  const std::size_t cell = cell_end_ - cell_start_;
  if (spans_.size() < kMaxRecordCells && cell <= kMaxCellBytes &&
      record_bytes_ + cell <= kMaxRecordBytes) {
    return false;
  }
  FailOverLimit();
  return true;
}

void CsvReader::FailOverLimit() {
  const std::size_t cell = cell_end_ - cell_start_;
  std::string what;
  if (spans_.size() >= kMaxRecordCells) {
    what = "a row has more than " + std::to_string(kMaxRecordCells) + " cells";
  } else if (cell > kMaxCellBytes) {
    what = "a cell is longer than " + Mebibytes(kMaxCellBytes);
  } else {
    what = "a row is longer than " + Mebibytes(kMaxRecordBytes);
  }
  Fail(std::move(what), record_line_);
}

inline void CsvReader::EndCell() {
  spans_.emplace_back(cell_start_ - record_start_, cell_end_ - cell_start_);
  record_bytes_ += cell_end_ - cell_start_ + 1;  // with the comma after it
}

CsvReader::Status CsvReader::EndRecord() {
  EndCell();
  state_ = State::RecordStart;
  cells_.resize(spans_.size());
  const char* record = buffer_.data() + record_start_;
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    cells_[i] = std::string_view(record + spans_[i].first, spans_[i].second);
  }
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

// Passes over a byte order mark at the start of the text; false while too little text has come
// to tell.
bool CsvReader::PassByteOrderMark() {
  const std::string_view start(buffer_.data(), std::min(buffer_.size(), kByteOrderMark.size()));
  if (!finished_ && start.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(start)) {
    return false;
  }
  at_start_ = false;
  // Anything but a whole byte order mark is text, a part of one included.
  if (start == kByteOrderMark) pos_ = kByteOrderMark.size();
  return true;
}

CsvReader::Status CsvReader::Next() {
  if (!error_.empty()) return Status::Error;
  if (at_start_ && !PassByteOrderMark()) return Status::NeedMore;
  const std::size_t size = buffer_.size();
  while (pos_ < size) {
    if (skip_lf_) {
      skip_lf_ = false;
      if (buffer_.data()[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    if (const std::optional<Status> status = Step()) return *status;
  }
  return finished_ ? AtEnd() : Status::NeedMore;
}

// Reads on from pos_ in the state the text before left off in; a status when Next returns one.
std::optional<CsvReader::Status> CsvReader::Step() {
  switch (state_) {
    case State::RecordStart:
      if (!StartRecord()) return std::nullopt;
      [[fallthrough]];
    case State::FieldStart:
      if (StartCell()) return std::nullopt;
      [[fallthrough]];
    case State::Unquoted:
      return ReadUnquoted();
    case State::Quoted:
      return ReadQuoted();
    case State::QuoteInQuoted:
      return AfterQuote();
  }
  return std::nullopt;
}

// Starts a record at pos_; false for a blank line, which is no record and is passed over.
bool CsvReader::StartRecord() {
  const char c = buffer_.data()[pos_];
  if (c == '\n' || c == '\r') {
    skip_lf_ = c == '\r';
    ++line_;
    ++pos_;
    return false;
  }
  record_start_ = pos_;
  record_line_ = line_;
  record_bytes_ = 0;
  spans_.clear();
  state_ = State::FieldStart;
  return true;
}

// Starts a cell at pos_; true for a quoted one, whose text begins after the quote.
bool CsvReader::StartCell() {
  if (buffer_.data()[pos_] == '"') {
    state_ = State::Quoted;
    quote_line_ = line_;
    quoted_cr_ = false;
    cell_start_ = cell_end_ = ++pos_;
    return true;
  }
  state_ = State::Unquoted;
  cell_start_ = pos_;
  return false;
}

// Unquoted cells are read one after the other here, as most are. A quote inside one is taken
// as it stands.
std::optional<CsvReader::Status> CsvReader::ReadUnquoted() {
  char* const data = buffer_.data();
  const std::size_t size = buffer_.size();
  for (;;) {
    pos_ = cell_end_ = Find(data, pos_, size, kEndsUnquotedCell);
    if (OverLimit()) return Status::Error;
    if (pos_ == size) break;
    const char c = data[pos_++];
    if (c != ',') return EndLine(c);
    EndCell();
    cell_start_ = cell_end_ = pos_;
    if (OverLimit()) return Status::Error;
    if (pos_ == size || data[pos_] == '"') {
      state_ = State::FieldStart;
      break;
    }
  }
  return std::nullopt;
}

// The text of a quoted cell up to its next quote or line break, or that one character.
std::optional<CsvReader::Status> CsvReader::ReadQuoted() {
  char* const data = buffer_.data();
  const std::size_t end = Find(data, pos_, buffer_.size(), kStopsQuotedText);
  if (end > pos_) {
    if (cell_end_ != pos_) std::memmove(data + cell_end_, data + pos_, end - pos_);
    cell_end_ += end - pos_;
    pos_ = end;
    quoted_cr_ = false;
    if (OverLimit()) return Status::Error;
    return std::nullopt;
  }
  const char c = data[pos_++];
  if (c == '"') {
    state_ = State::QuoteInQuoted;
    return std::nullopt;
  }
  // CR, LF and CRLF each end one line, inside quotes as outside.
  if (c == '\r' || !quoted_cr_) ++line_;
  quoted_cr_ = c == '\r';
  data[cell_end_++] = c;
  if (OverLimit()) return Status::Error;
  return std::nullopt;
}

// The character after a quote inside a quoted cell: another quote, or the cell's end.
std::optional<CsvReader::Status> CsvReader::AfterQuote() {
  char* const data = buffer_.data();
  const char c = data[pos_++];
  if (c == '"') {  // a doubled quote is one quote
    quoted_cr_ = false;
    data[cell_end_++] = '"';
    state_ = State::Quoted;
    if (OverLimit()) return Status::Error;
  } else if (c == ',') {
    EndCell();
    cell_start_ = cell_end_ = pos_;
    state_ = State::FieldStart;
    if (OverLimit()) return Status::Error;
  } else if (c == '\n' || c == '\r') {
    return EndLine(c);
  } else {
    return Fail("text after the closing quote of a cell", line_);
  }
  return std::nullopt;
}

// The end of the text, once finished: the last record, if the text did not end with one.
CsvReader::Status CsvReader::AtEnd() {
  switch (state_) {
    case State::RecordStart:
      return Status::End;
    case State::Quoted:
      return Fail("a quoted cell is never closed", quote_line_);
    case State::FieldStart:  // the last line ends in a comma: an empty cell
      cell_start_ = cell_end_ = pos_;
      [[fallthrough]];
    default:
      return EndRecord();  // the last line had no line break
  }
}

void FeedFrom(std::streambuf& source, CsvReader& reader) {
  constexpr std::size_t kPiece = std::size_t{1} << 16;
  const std::span<char> space = reader.Space(kPiece);
  const std::streamsize got = source.sgetn(space.data(), static_cast<std::streamsize>(kPiece));
  if (got > 0) {
    reader.Commit(static_cast<std::size_t>(got));
  } else {
    reader.Finish();
  }
}

std::string CsvLimitsText() {
  return "a cell over " + Mebibytes(CsvReader::kMaxCellBytes) + ", a row over " +
         Mebibytes(CsvReader::kMaxRecordBytes) + " or a row of more than " +
         std::to_string(CsvReader::kMaxRecordCells) + " cells";
}

}  // namespace tarnivel
