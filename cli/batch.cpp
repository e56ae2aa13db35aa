#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/batch_drop.h"
#include "cli/batch_pipes.h"
#include "cli/column_name.h"
#include "cli/csv.h"
#include "cli/exit_status.h"
#include "cli/io_error.h"
#include "cli/report.h"
#include "cli/second_thread.h"
#include "core/numeric.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;
// Rows are computed in blocks: those read so far, up to this many. A block this large or
// larger is shared with a second thread.
constexpr std::size_t kBlockRows = 4096;
constexpr std::size_t kShareFrom = 256;
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

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
    for (std::size_t i = header.size(); i-- > 0;) {  // the first of repeated names wins
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

// Whether the lenient reading of `text` may pass over something: anything but digits and at
// most one period. Most cells are plain numbers, and this spares them a second reading.
bool MayHaveIgnoredText(std::string_view text) {
  bool period = false;
  for (char c : text) {
    if (c == '.' && !period) {
      period = true;
    } else if (c < '0' || c > '9') {
      return true;
    }
  }
  return false;
}

// The records read since the last block was computed, kept with their line numbers. Their
// strings are reused from block to block, and given back after many bytes, so that huge cells
// in different rows of different blocks cannot add up.
class Block {
 public:
  void Add(std::span<const std::string> cells, std::size_t line) {
    if (count_ == rows_.size()) rows_.emplace_back();
    rows_[count_].assign(cells.begin(), cells.end());
    for (const std::string& cell : cells) bytes_held_ += cell.size();
    lines_.resize(count_ + 1);
    lines_[count_++] = line;
  }
  std::size_t size() const { return count_; }
  std::span<const std::string> cells(std::size_t row) const { return rows_[row]; }
  std::size_t line(std::size_t row) const { return lines_[row]; }
  void Clear() {
    count_ = 0;
    if (bytes_held_ > kHeldBytes) {
      rows_.clear();
      bytes_held_ = 0;
    }
  }

 private:
  static constexpr std::size_t kHeldBytes = std::size_t{64} << 20;

  std::vector<std::vector<std::string>> rows_;
  std::vector<std::size_t> lines_;
  std::size_t count_ = 0;
  std::size_t bytes_held_ = 0;
};

void AppendCell(std::string& out, bool& row_empty, std::string_view cell) {
  if (!row_empty) out.push_back(',');
  row_empty = false;
  AppendCsvCell(out, cell);
}

// Computes rows into CSV text. Each thread has its own, with its own field texts.
class RowComputer {
 public:
  explicit RowComputer(const Columns& columns)
      : columns_(columns), pipes_(columns.pipes), drop_(columns.drop) {}

  // Appends the row as computed to `out` and any warning about it to `err`. Returns whether
  // the row ended in a message (a request, a fault, an unknown calc or series).
  bool Row(std::span<const std::string> cells, std::size_t line, std::string& out,
           std::string& err) {
    for (std::size_t f = 0; f < kInputFields.size(); ++f) {
      const std::size_t column = columns_.field[f];
      fields_.Write(kInputFields[f].field,
                    column < cells.size() ? std::string_view(cells[column]) : std::string_view());
    }
    std::string_view message;
    const std::string_view calc_text =
        columns_.calc < cells.size() ? std::string_view(cells[columns_.calc]) : std::string_view();
    const auto calculation = RowCalculation(calc_text);
    if (calculation) {
      WarnAboutIgnoredText(*calculation, line, err);
      const CalcOutcome outcome = Calculate(*calculation, fields_);
      message = outcome.fault ? FaultDescription(*outcome.fault) : PromptText(outcome.prompt);
    } else if (BatchDrop::Names(calc_text)) {
      message = drop_.Compute(fields_, cells, line, err);
    } else {
      unknown_ = "unknown calc '" + std::string(calc_text) + "'";
      message = unknown_;
    }
    const DropParameters* line_drop = drop_.ForSizing(cells, calculation, line, err);
    const std::string_view pipe_message = pipes_.Fill(cells, calculation, message, line_drop);
    if (message.empty()) message = pipe_message;
    if (message.empty()) message = drop_.TakeChosen(pipes_.ChosenDrop());

    bool row_empty = true;
    for (std::size_t i = 0; i < columns_.output_count; ++i) {
      const auto column = std::ranges::find(columns_.field, i);
      if (column != columns_.field.end()) {
        AppendCell(out, row_empty,
                   fields_.Read(kInputFields[column - columns_.field.begin()].field));
      } else if (const std::string* pipe = pipes_.CellFor(i)) {
        AppendCell(out, row_empty, *pipe);
      } else if (const std::string* drop = drop_.CellFor(i)) {
        AppendCell(out, row_empty, *drop);
      } else {
        AppendCell(out, row_empty, i < cells.size() ? std::string_view(cells[i]) : "");
      }
    }
    AppendCell(out, row_empty, message);
    out.push_back('\n');
    return !message.empty();
  }

 private:
  // The same warning the command line gives for a value read only in part.
  void WarnAboutIgnoredText(Calculation calculation, std::size_t line, std::string& err) {
    for (Field field : InputFields(calculation)) {
      const std::string text = fields_.Read(field);
      if (!MayHaveIgnoredText(text)) continue;
      const LeadingNumber number = ReadLeadingNumber(text);
      if (number.fault || !number.ignored_text) continue;  // a fault: the row's message says it
      err += IgnoredTextWarning(
          "batch: line " + std::to_string(line) + ": " + std::string(InputFieldOf(field).name),
          text, number.value);
    }
  }

  const Columns& columns_;
  BatchPipes pipes_;
  BatchDrop drop_;
  TextFields fields_;
  std::string unknown_;
};

class BatchRun {
 public:
  BatchRun(std::ostream& out, std::ostream& err, std::span<const PipeSeries> series)
      : out_(out), err_(err), series_(series) {}

  // Returns false when the batch must stop.
  bool Header(std::span<const std::string> header) {
    columns_ = Columns::From(header, series_);
    if (columns_.calc == kNoColumn) return Stop("the header row has no 'calc' column");
    bool row_empty = true;
    for (const std::string& cell : header) AppendCell(buffer_, row_empty, cell);
    for (std::size_t f = 0; f < kInputFields.size(); ++f) {
      if (columns_.field[f] >= columns_.input_count) {
        AppendCell(buffer_, row_empty, kInputFields[f].name);
      }
    }
    for (const std::string& name : columns_.pipes.AddedNames()) {
      AppendCell(buffer_, row_empty, name);
    }
    for (const std::string& name : columns_.drop.AddedNames()) {
      AppendCell(buffer_, row_empty, name);
    }
    AppendCell(buffer_, row_empty, columns_.message_name);
    buffer_.push_back('\n');
    computers_[0] = std::make_unique<RowComputer>(columns_);
    computers_[1] = std::make_unique<RowComputer>(columns_);
    return true;
  }

  // What is wrong with a row that has more cells than the header; empty when it has not.
  std::string Misfit(std::span<const std::string> cells, std::size_t line) const {
    if (cells.size() <= columns_.input_count) return {};
    return "line " + std::to_string(line) + " has " + std::to_string(cells.size()) +
           " cells, the header " + std::to_string(columns_.input_count);
  }

  // Computes the rows of `block` in order, the first half of a large one on a second thread.
  // Returns false when the batch must stop.
  bool Compute(const Block& block) {
    const std::size_t size = block.size();
    std::size_t first_end = 0;  // rows [0, first_end) go to the second thread
    if (size >= kShareFrom && std::thread::hardware_concurrency() > 1 && StartSecondThread()) {
      first_end = size / 2;
      shared_out_.clear();
      shared_err_.clear();
      second_->Start([this, &block, first_end] {
        shared_messages_ =
            ComputeRows(*computers_[1], block, 0, first_end, shared_out_, shared_err_);
      });
    }
    std::string err;
    std::string own_out;
    std::string& out = first_end > 0 ? own_out : buffer_;
    bool messages = false;
    try {
      messages = ComputeRows(*computers_[0], block, first_end, size, out, err);
    } catch (...) {  // out of memory: the second thread must be done with the block first
      if (first_end > 0) second_->Wait();
      throw;
    }
    if (first_end > 0) {
      second_->Wait();
      messages = messages || shared_messages_;
      err_ << shared_err_;
      buffer_ += shared_out_;
      buffer_ += own_out;
    }
    err_ << err;
    if (messages) status_ = std::max<int>(status_, kExitPrompt);
    return buffer_.size() < kFlushAt || Flush();
  }

  // Ends the batch on a problem with the input as a whole, after the rows before it.
  bool Stop(std::string_view why) {
    if (!Flush()) return false;
    Report(err_, "batch: " + std::string(why));
    status_ = kExitDataError;
    return false;
  }

  // Ends the batch on a failed read, after the rows before it.
  bool StopReading(std::string_view input_name, int error) {
    if (!Flush()) return false;
    ReportFileError(err_, input_name, error);
    status_ = kExitIoError;
    return false;
  }

  // Writes out the rows computed so far; false, with the batch ended, when that failed.
  bool Flush() {
    if (status_ == kExitIoError) return false;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    out_.flush();
    buffer_.clear();
    if (out_) return true;
    status_ = ReportWriteError(err_, IoErrorOf(out_.rdbuf()));
    return false;
  }

  int status() const { return status_; }

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

  static bool ComputeRows(RowComputer& computer, const Block& block, std::size_t begin,
                          std::size_t end, std::string& out, std::string& err) {
    bool messages = false;
    for (std::size_t row = begin; row < end; ++row) {
      messages = computer.Row(block.cells(row), block.line(row), out, err) || messages;
    }
    return messages;
  }

  std::ostream& out_;
  std::ostream& err_;
  std::span<const PipeSeries> series_;
  Columns columns_;
  std::unique_ptr<RowComputer> computers_[2];
  std::unique_ptr<SecondThread> second_;  // started at the first large block
  bool alone_ = false;                    // the system could not start it
  std::string shared_out_, shared_err_;   // what the second thread computed
  bool shared_messages_ = false;
  std::string buffer_;
  int status_ = kExitOk;
};

}  // namespace

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, std::string_view input_name,
             std::span<const PipeSeries> series) {
  std::streambuf& source = *in.rdbuf();
  std::vector<char> chunk(1 << 16);
  CsvReader reader;
  BatchRun run(out, err, series);
  Block block;
  bool have_header = false;
  // Computes the rows read so far; false when the batch must stop.
  const auto compute = [&] {
    const bool go_on = block.size() == 0 || run.Compute(block);
    block.Clear();
    return go_on;
  };
  for (;;) {
    const CsvReader::Status status = reader.Next();
    if (status == CsvReader::Status::Record) {
      if (!have_header) {
        have_header = true;
        if (!run.Header(reader.record())) return run.status();
        continue;
      }
      if (const std::string misfit = run.Misfit(reader.record(), reader.record_line());
          !misfit.empty()) {
        if (compute()) run.Stop(misfit);
        return run.status();
      }
      block.Add(reader.record(), reader.record_line());
      if (block.size() == kBlockRows && !compute()) return run.status();
    } else if (status == CsvReader::Status::NeedMore) {
      // Rows read so far are computed and go out before waiting for more input.
      if (!compute() || !run.Flush()) return run.status();
      if (source.sgetc() == std::char_traits<char>::eof()) {
        if (const int error = IoErrorOf(&source)) {
          run.StopReading(input_name, error);
          return run.status();
        }
        reader.Finish();
        continue;
      }
      const std::streamsize ready = std::clamp<std::streamsize>(
          source.in_avail(), 1, static_cast<std::streamsize>(chunk.size()));
      const std::streamsize got = source.sgetn(chunk.data(), ready);
      reader.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
    } else if (status == CsvReader::Status::Error) {
      if (compute())
        run.Stop("line " + std::to_string(reader.error_line()) + ": " + reader.error());
      return run.status();
    } else {
      break;
    }
  }
  if (!have_header) {
    run.Stop("the input is empty; it needs a header row with a 'calc' column");
    return run.status();
  }
  if (compute()) run.Flush();
  return run.status();
}

}  // namespace tarnivel
