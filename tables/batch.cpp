// The batch: reads CSV rows a piece of input at a time, computes them in blocks on this thread
// and a second one, and writes the rows and their warnings in the order of the input.

#include "tables/batch.h"

#include <malloc.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "core/csv_text.h"
#include "core/numeric.h"
#include "core/quantities.h"
#include "system/byte_buffer.h"
#include "system/io_error.h"
#include "system/report.h"
#include "system/second_thread.h"
#include "tables/batch_drop.h"
#include "tables/batch_pipes.h"
#include "tables/cell_warning.h"
#include "tables/csv.h"

namespace tarnivel {
namespace {

// Input is read in pieces of this size, and the records of each piece computed as a block.
constexpr std::size_t kReadBytes = std::size_t{128} << 10;
// A block of this many rows or more is shared with a second thread.
constexpr std::size_t kShareFrom = 256;

// Rows almost always spell the calculation exactly; only the others pay for normalising.
std::optional<Calculation> RowCalculation(std::string_view text) {
  const auto exact = CalculationNamed(text);
  return exact ? exact : CalculationNamed(NormalisedName(text));
}

// Which column holds what; names are matched without regard to case or surrounding blanks.
// A field column the input lacks is added after the input's own, so that no result is lost.
// The calc and field columns belong to the calculation; every other column of the input is
// the user's and is carried through as it is, even under a name the batch writes itself.
struct Columns {
  std::size_t calc = kNoColumn;
  std::array<std::size_t, kInputFields.size()> field;  // by the rows of kInputFields
  std::size_t input_count = 0;                         // columns of the input
  std::size_t output_count = 0;                        // and of the output, before the message
  BatchPipes pipes;                                    // the pipe columns of a series column
  BatchDrop drop;                                      // the drop columns of a length column
  std::string message_name;                            // the message column's

  static Columns From(std::span<const std::string> header, std::span<const PipeSeries> series) {
    Columns columns;
    columns.field.fill(kNoColumn);
    columns.input_count = header.size();
    for (std::size_t i = header.size(); i-- > 0;) {  // every name is there once
      const std::string name = NormalisedName(header[i]);
      if (name == "calc") columns.calc = i;
      for (std::size_t f = 0; f < kInputFields.size(); ++f) {
        if (name == kInputFields[f].name) columns.field[f] = i;
      }
    }
    columns.output_count = columns.input_count;
    for (std::size_t& column : columns.field) {
      if (column == kNoColumn) column = columns.output_count++;
    }
    std::vector<std::string> names;
    for (const std::string& name : header) names.push_back(NormalisedName(name));
    columns.pipes.Locate(names, series, columns.output_count);
    columns.drop.Locate(names, series, columns.output_count);
    columns.message_name = OwnColumnName(names, "message");
    return columns;
  }
};

void AppendCell(std::string& out, bool& row_empty, std::string_view cell) {
  if (!row_empty) out.push_back(',');
  row_empty = false;
  AppendCsvCell(out, cell);
}

// The rows' cells are written straight into the buffer, which grows only now and then.
void AppendCell(ByteBuffer& out, bool& row_empty, std::string_view cell) {
  out.Grow(CsvCellBound(cell.size()) + 1);
  char* to = out.data() + out.size();
  if (!row_empty) *to++ = ',';
  row_empty = false;
  out.Resize(static_cast<std::size_t>(WriteCsvCell(to, cell) - out.data()));
}

// The four field texts of a row: the row's own cells, until the calculation writes one, which
// spares copying every cell into a string of its own.
class RowFields final : public FieldSet {
 public:
  void Show(Field field, std::string_view cell) { texts_[Index(field)] = cell; }
  std::string_view Text(Field field) const { return texts_[Index(field)]; }

  std::string Read(Field field) const override { return std::string(Text(field)); }
  void Write(Field field, std::string_view text) override {
    written_[Index(field)].assign(text);
    texts_[Index(field)] = written_[Index(field)];
  }

 private:
  static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }
  std::array<std::string_view, kFieldCount> texts_;
  std::array<std::string, kFieldCount> written_;
};

// Computes rows into CSV text. Each thread has its own, with its own field texts.
class RowComputer {
 public:
  explicit RowComputer(const Columns& columns)
      : columns_(columns),
        pipes_(columns.pipes),
        drop_(columns.drop),
        field_in_(columns.output_count, kNoColumn) {
    for (std::size_t f = 0; f < kInputFields.size(); ++f) field_in_[columns.field[f]] = f;
  }

  // Appends the row as computed to `out` and any warning about it to `err`. Returns whether
  // the row ended in a message (a request, a fault, an unknown calc or series).
  bool Row(std::span<const std::string_view> cells, std::size_t line, ByteBuffer& out,
           std::string& err, std::vector<ColumnWarning>& once) {
    for (std::size_t f = 0; f < kInputFields.size(); ++f) {
      const std::size_t column = columns_.field[f];
      fields_.Show(kInputFields[f].field,
                   column < cells.size() ? cells[column] : std::string_view());
    }
    std::string_view message;
    const std::string_view calc_text =
        columns_.calc < cells.size() ? cells[columns_.calc] : std::string_view();
    const auto calculation = RowCalculation(calc_text);
    if (calculation) {
      WarnAboutIgnoredText(*calculation, line, err);
      const CalcOutcome outcome = Calculate(*calculation, fields_);
      message = outcome.fault ? FaultDescription(*outcome.fault) : PromptText(outcome.prompt);
      // The window leaves a 0 or the old text in the result field; a table would pass either
      // off as computed, so the cell stays empty and the message says why.
      if (!message.empty()) fields_.Write(InfoOf(*calculation).result, "");
    } else if (BatchDrop::Names(calc_text)) {
      message = drop_.Compute(fields_, cells, line, err, once);
    } else {
      unknown_ = "unknown calc '" + Escaped(calc_text) + "'";
      message = unknown_;
    }
    const DropParameters* line_drop = drop_.ForSizing(fields_, cells, calculation, line, err, once);
    const std::string_view pipe_message = pipes_.Fill(cells, calculation, message, line_drop);
    if (message.empty()) message = pipe_message;
    if (message.empty()) message = drop_.TakeChosen(pipes_.ChosenDrop());

    bool row_empty = true;
    for (std::size_t i = 0; i < columns_.output_count; ++i) {
      if (const std::size_t f = field_in_[i]; f != kNoColumn) {
        AppendCell(out, row_empty, fields_.Text(kInputFields[f].field));
      } else if (const std::string* pipe = pipes_.Added().CellFor(i)) {
        AppendCell(out, row_empty, *pipe);
      } else if (const std::string* drop = drop_.Added().CellFor(i)) {
        AppendCell(out, row_empty, *drop);
      } else {
        AppendCell(out, row_empty, i < cells.size() ? cells[i] : std::string_view());
        if (through_ != nullptr && out.size() > kReadBytes) {
          through_->write(out.data(), static_cast<std::streamsize>(out.size()));
          out.Resize(0);
        }
      }
    }
    AppendCell(out, row_empty, message);
    out.Grow(1);
    out.data()[out.size()] = '\n';
    out.Resize(out.size() + 1);
    return !message.empty();
  }

  // Rows computed from now on go out to `out` as they grow, rather than after their block;
  // nullptr ends that.
  void WriteThrough(std::ostream* out) { through_ = out; }

 private:
  // The same warning the command line gives for a value read only in part.
  void WarnAboutIgnoredText(Calculation calculation, std::size_t line, std::string& err) {
    for (Field field : InputFields(calculation)) {
      WarnAboutCell(InputFieldOf(field).name, fields_.Text(field), line, err);
    }
  }

  const Columns& columns_;
  BatchPipes pipes_;
  BatchDrop drop_;
  std::vector<std::size_t> field_in_;  // by output column: the row of kInputFields, if any
  RowFields fields_;
  std::string unknown_;
  std::ostream* through_ = nullptr;
};

// The records read from one buffer of input, kept with the bytes their cells point into and
// with their line numbers. It is computed in slices of rows that either thread may take, each
// slice with its own output and warnings, which go out in the order of the rows.
class Block {
 public:
  struct Slice {
    ByteBuffer out;
    std::string err;
    std::vector<ColumnWarning> once;  // to be said among err's if no slice before said them
    bool messages = false;  // some row ended in a request, a fault or an unknown calc or series
  };

  void Add(std::span<const std::string_view> cells, std::size_t line) {
    records_.push_back({cells_.size(), cells.size(), line});
    cells_.insert(cells_.end(), cells.begin(), cells.end());
  }
  std::size_t size() const { return records_.size(); }
  ByteBuffer& bytes() { return bytes_; }

  // Readies the slices for the rows added; they are then taken by Compute.
  void Prepare() {
    slice_rows_ = huge() ? std::max<std::size_t>(size(), 1) : kSliceRows;
    slices_.resize((size() + slice_rows_ - 1) / slice_rows_);
    for (auto& slice : slices_) {
      slice.out.Resize(0);
      slice.err.clear();
      slice.once.clear();
      slice.messages = false;
    }
    next_slice_.store(0, std::memory_order_relaxed);
  }

  // Computes slices not yet taken until none is left; two threads may call it at once.
  void Compute(RowComputer& computer) {
    for (;;) {
      const std::size_t s = next_slice_.fetch_add(1, std::memory_order_relaxed);
      if (s >= slices_.size()) return;
      Slice& slice = slices_[s];
      const std::size_t end = std::min(size(), (s + 1) * slice_rows_);
      for (std::size_t row = s * slice_rows_; row < end; ++row) {
        const Record& record = records_[row];
        const std::span<const std::string_view> cells(cells_.data() + record.first_cell,
                                                      record.cell_count);
        slice.messages =
            computer.Row(cells, record.line, slice.out, slice.err, slice.once) || slice.messages;
      }
    }
  }
  std::span<const Slice> slices() const { return slices_; }

  // Forgets the rows, and gives back a buffer grown for a huge row.
  void Clear() {
    records_.clear();
    cells_.clear();
    if (huge()) bytes_.Release();
    if (slices_.size() * kSliceRows > kKeptRows) std::vector<Slice>().swap(slices_);
    for (Slice& slice : slices_) {
      if (slice.out.capacity() > kKeptBytes) slice.out.Release();
    }
  }

  // Whether the buffer grew for a row far larger than a piece of input. Such a block is
  // computed in one slice by one thread, which writes its rows through as they grow, so that
  // a huge row is not held twice, as read and as written.
  bool huge() const { return bytes_.capacity() > kKeptBytes; }

 private:
  static constexpr std::size_t kSliceRows = 256;
  static constexpr std::size_t kKeptBytes = 4 * kReadBytes;
  static constexpr std::size_t kKeptRows = 1 << 16;

  struct Record {
    std::size_t first_cell;
    std::size_t cell_count;
    std::size_t line;
  };
  ByteBuffer bytes_;
  std::vector<Record> records_;
  std::vector<std::string_view> cells_;
  std::vector<Slice> slices_;
  std::size_t slice_rows_ = kSliceRows;
  std::atomic<std::size_t> next_slice_ = 0;
};

// The header row of the output: the input's columns, the field columns it lacks, the added
// pipe and drop columns, and the message.
std::string HeaderRow(std::span<const std::string> header, const Columns& columns) {
  std::string row;
  bool row_empty = true;
  for (const std::string& cell : header) AppendCell(row, row_empty, cell);
  for (std::size_t f = 0; f < kInputFields.size(); ++f) {
    if (columns.field[f] >= columns.input_count) AppendCell(row, row_empty, kInputFields[f].name);
  }
  for (const std::string& name : columns.pipes.Added().Names()) AppendCell(row, row_empty, name);
  for (const std::string& name : columns.drop.Added().Names()) AppendCell(row, row_empty, name);
  AppendCell(row, row_empty, columns.message_name);
  row.push_back('\n');
  return row;
}

// Writes the table and says on standard error what went wrong with it: the header, then each
// block's rows with their warnings after them. It keeps how the batch ends.
class BatchOutput {
 public:
  BatchOutput(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  // Holds the header row until the first rows go out.
  void Hold(std::string header) { pending_ = std::move(header); }

  // Writes what is held, and gives the stream rows may be written straight to.
  std::ostream& WriteThrough() {
    WritePending();
    return out_;
  }

  // Writes a computed block: its rows, then its warnings, each column's said once (ColumnWarning).
  // Returns false, with the batch ended, when the write failed.
  bool Write(const Block& block) {
    WritePending();
    std::string err;
    for (const Block::Slice& slice : block.slices()) {
      out_.write(slice.out.data(), static_cast<std::streamsize>(slice.out.size()));
      std::size_t from = 0;
      for (const ColumnWarning& warning : slice.once) {
        err.append(slice.err, from, warning.at - from);
        from = warning.at;
        if (!std::exchange(warned_[static_cast<std::size_t>(warning.quantity)], true)) {
          err += warning.text;
        }
      }
      err.append(slice.err, from);
      if (slice.messages) status_ = std::max(status_, BatchOutcome::SomeRowEnded);
    }
    // Warnings go out a block at a time, like the rows.
    if (!err.empty()) err_.write(err.data(), static_cast<std::streamsize>(err.size()));
    return WentOut();
  }

  // Writes out what is held and flushes; false, with the batch ended, when that failed.
  bool Flush() {
    WritePending();
    out_.flush();
    return WentOut();
  }

  // Ends the batch on a problem with the input as a whole.
  void Stop(std::string_view why) {
    Report(err_, "batch: " + std::string(why));
    status_ = BatchOutcome::Malformed;
  }

  // Ends the batch on a failed read.
  void StopReading(std::string_view input_name, int error) {
    ReportFileError(err_, input_name, error);
    status_ = BatchOutcome::ReadOrWriteFailed;
  }

  BatchOutcome status() const { return status_; }

 private:
  // Whether what was written so far went out; false, with the batch ended, when it failed.
  bool WentOut() {
    if (status_ == BatchOutcome::ReadOrWriteFailed) return false;
    if (out_) return true;
    ReportWriteError(err_, IoErrorOf(out_.rdbuf()));
    status_ = BatchOutcome::ReadOrWriteFailed;
    return false;
  }

  void WritePending() {
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
  }

  std::ostream& out_;
  std::ostream& err_;
  std::string pending_;  // the header, until the first rows go out
  // By quantity: whether its column's warning was said (ColumnWarning). Each computer says one
  // only the first time it meets it, in the order of its rows; of those, the first row's stands.
  std::array<bool, kDropQuantities.size()> warned_{};
  BatchOutcome status_ = BatchOutcome::AllComputed;
};

// Runs the batch as a pipeline of blocks: while the second thread computes one block, this
// thread reads and parses the next one, then joins in on what is left of the first and writes
// it out. Rows thus go out in order, each block once both are done with it.
class BatchRun {
 public:
  BatchRun(std::ostream& out, std::ostream& err, std::span<const PipeSeries> series)
      : series_(series), output_(out, err) {}

  // Returns false when the batch must stop.
  bool Header(std::span<const std::string_view> cells) {
    const std::vector<std::string> header(cells.begin(), cells.end());
    if (const std::optional<std::string> twice = RepeatedName(header)) {
      return Stop("the header names the column '" + Escaped(*twice) + "' twice");
    }
    columns_ = Columns::From(header, series_);
    if (columns_.calc == kNoColumn) return Stop("the header row has no 'calc' column");
    output_.Hold(HeaderRow(header, columns_));
    computers_[0] = std::make_unique<RowComputer>(columns_);
    computers_[1] = std::make_unique<RowComputer>(columns_);
    return true;
  }

  // What is wrong with a row that has more cells than the header; empty when it has not.
  std::string Misfit(std::span<const std::string_view> cells, std::size_t line) const {
    if (cells.size() <= columns_.input_count) return {};
    return "line " + std::to_string(line) + " has " + std::to_string(cells.size()) +
           " cells, the header " + std::to_string(columns_.input_count);
  }

  void Add(std::span<const std::string_view> cells, std::size_t line) {
    blocks_[filling_].Add(cells, line);
  }

  // Starts computing the rows added since the last block, which take the reader's buffer
  // along, after the block before them has been written. Returns false when the batch must stop.
  bool Dispatch(CsvReader& reader) {
    Block& block = blocks_[filling_];
    if (block.size() == 0) return true;
    reader.HandOver(block.bytes());
    if (!Finish()) return false;
    block.Prepare();
    in_flight_ = &block;
    filling_ ^= 1;
    if (!block.huge() && block.size() >= kShareFrom && std::thread::hardware_concurrency() > 1 &&
        StartSecondThread()) {
      second_->Start([this, &block] { block.Compute(*computers_[1]); });
      shared_ = true;
    }
    return true;
  }

  // Computes what is left of the block in flight and writes it. Returns false when the batch
  // must stop.
  bool Finish() {
    if (in_flight_ == nullptr) return true;
    Block& block = *std::exchange(in_flight_, nullptr);
    if (block.huge()) computers_[0]->WriteThrough(&output_.WriteThrough());
    block.Compute(*computers_[0]);
    computers_[0]->WriteThrough(nullptr);
    if (std::exchange(shared_, false)) second_->Wait();
    const bool went_out = output_.Write(block);
    block.Clear();
    return went_out;
  }

  // Ends the batch on a problem with the input as a whole, after the rows before it.
  bool Stop(std::string_view why) {
    if (Flush()) output_.Stop(why);
    return false;
  }

  // Ends the batch on a failed read, after the rows before it.
  bool StopReading(std::string_view input_name, int error) {
    if (Flush()) output_.StopReading(input_name, error);
    return false;
  }

  // Writes out the rows computed so far; false, with the batch ended, when that failed.
  bool Flush() { return Finish() && output_.Flush(); }

  BatchOutcome status() const { return output_.status(); }

 private:
  // Whether the second thread runs, started now if need be; a system that cannot start one
  // leaves every block to this thread.
  bool StartSecondThread() {
    if (!second_ && !alone_) {
      try {
        second_ = std::make_unique<SecondThread>();
      } catch (const std::system_error&) {
        alone_ = true;
      }
    }
    return second_ != nullptr;
  }

  std::span<const PipeSeries> series_;
  Columns columns_;
  std::unique_ptr<RowComputer> computers_[2];
  Block blocks_[2];
  int filling_ = 0;             // the block records are added to
  Block* in_flight_ = nullptr;  // the block being computed
  bool shared_ = false;         // with the second thread
  bool alone_ = false;          // the system could not start it
  BatchOutput output_;
  // Last, so that it is stopped, and done with its block, before the blocks go.
  std::unique_ptr<SecondThread> second_;
};

// Reads the next piece of input into `reader`, once the rows read so far have gone out if the
// read may wait; finishes the reader at the input's end. Returns false when the batch must stop.
bool ReadMore(std::streambuf& source, std::string_view input_name, CsvReader& reader,
              BatchRun& run) {
  std::streamsize ready = source.in_avail();
  if (!run.Dispatch(reader)) return false;
  // A huge row waits for the block before it, so that no two are held at once.
  if (reader.unread_bytes() > kReadBytes && !run.Finish()) return false;
  if (ready <= 0) {
    // The next read may wait: the rows read so far go out first.
    if (!run.Flush()) return false;
    if (source.sgetc() == std::char_traits<char>::eof()) {
      if (const int error = IoErrorOf(&source)) return run.StopReading(input_name, error);
      reader.Finish();
      return true;
    }
    ready = source.in_avail();
  }
  const std::span<char> space = reader.Space(kReadBytes);
  const std::streamsize got =
      source.sgetn(space.data(),
                   std::clamp<std::streamsize>(ready, 1, static_cast<std::streamsize>(kReadBytes)));
  reader.Commit(static_cast<std::size_t>(got));
  return true;
}

}  // namespace

BatchOutcome RunBatch(std::istream& in, std::ostream& out, std::ostream& err,
                      std::string_view input_name, std::span<const PipeSeries> series) {
#if defined(__GLIBC__)
  // A buffer grown for a huge row is mapped on its own, so that it grows in place and goes
  // back to the system when freed. Left to itself, the C library raises this threshold past
  // the first such buffer freed, and the next ones are copied as they grow, and kept.
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(8 * kReadBytes));
  // The second thread allocates from the same heap: an arena of its own reserves 64 MiB of
  // address space at once, which under a tight limit (ulimit -v) could leave the rows none,
  // depending only on when the thread first allocates.
  mallopt(M_ARENA_MAX, 1);
#endif
  std::streambuf& source = *in.rdbuf();
  CsvReader reader;
  BatchRun run(out, err, series);
  bool have_header = false;
  for (;;) {
    switch (reader.Next()) {
      case CsvReader::Status::Record:
        if (!have_header) {
          have_header = true;
          if (!run.Header(reader.cells())) return run.status();
        } else if (const std::string misfit = run.Misfit(reader.cells(), reader.record_line());
                   !misfit.empty()) {
          if (run.Dispatch(reader)) run.Stop(misfit);
          return run.status();
        } else {
          run.Add(reader.cells(), reader.record_line());
        }
        break;
      case CsvReader::Status::NeedMore:
        if (!ReadMore(source, input_name, reader, run)) return run.status();
        break;
      case CsvReader::Status::Error:
        if (run.Dispatch(reader))
          run.Stop("line " + std::to_string(reader.error_line()) + ": " + reader.error());
        return run.status();
      case CsvReader::Status::End:
        if (!have_header) {
          run.Stop("the input is empty; it needs a header row with a 'calc' column");
        } else if (run.Dispatch(reader)) {
          run.Flush();
        }
        return run.status();
    }
  }
}

}  // namespace tarnivel
