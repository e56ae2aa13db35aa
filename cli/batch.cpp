#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/batch_pipes.h"
#include "cli/csv.h"
#include "cli/exit_status.h"
#include "cli/io_error.h"
#include "core/numeric.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

std::string Normalised(std::string_view name) {
  while (!name.empty() && std::isspace(static_cast<unsigned char>(name.front()))) {
    name.remove_prefix(1);
  }
  while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) {
    name.remove_suffix(1);
  }
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Rows almost always spell the calculation exactly; only the others pay for normalising.
std::optional<Calculation> RowCalculation(std::string_view text) {
  const auto exact = CalculationNamed(text);
  return exact ? exact : CalculationNamed(Normalised(text));
}

// Which column holds what; names are matched without regard to case or surrounding blanks.
// A field column the input lacks is added after the input's own, so that no result is lost.
struct Columns {
  std::size_t calc = kNoColumn;
  std::array<std::size_t, kInputFields.size()> field;  // by the rows of kInputFields
  std::size_t input_count = 0;                         // columns of the input
  std::size_t output_count = 0;                        // and of the output, before the message
  BatchPipes pipes;                                    // the pipe columns of a series column

  static Columns From(std::span<const std::string> header) {
    Columns columns;
    columns.field.fill(kNoColumn);
    columns.input_count = header.size();
    for (std::size_t i = header.size(); i-- > 0;) {  // the first of repeated names wins
      const std::string name = Normalised(header[i]);
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
    for (const std::string& name : header) names.push_back(Normalised(name));
    columns.pipes.Locate(names, columns.output_count);
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

class BatchRun {
 public:
  BatchRun(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  // Returns false when the batch must stop.
  bool Header(std::span<const std::string> header) {
    columns_ = Columns::From(header);
    if (columns_.calc == kNoColumn) return Stop("the header row has no 'calc' column");
    for (const std::string& cell : header) AppendCell(cell);
    for (std::size_t f = 0; f < kInputFields.size(); ++f) {
      if (columns_.field[f] >= columns_.input_count) AppendCell(kInputFields[f].name);
    }
    for (std::string_view name : columns_.pipes.AddedNames(columns_.input_count)) AppendCell(name);
    AppendCell("message");
    EndRow();
    return true;
  }

  bool Row(std::span<const std::string> cells, std::size_t line) {
    if (cells.size() > columns_.input_count) {
      return Stop("line " + std::to_string(line) + " has " + std::to_string(cells.size()) +
                  " cells, the header " + std::to_string(columns_.input_count));
    }
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
      WarnAboutIgnoredText(*calculation, line);
      try {
        message = PromptText(Calculate(*calculation, fields_).prompt);
      } catch (const ArithmeticFault& fault) {
        message = FaultDescription(fault.kind());
      }
    } else {
      unknown_ = "unknown calc '" + std::string(calc_text) + "'";
      message = unknown_;
    }
    const std::string_view pipe_message = columns_.pipes.Fill(cells, calculation, message);
    if (message.empty()) message = pipe_message;
    if (!message.empty()) status_ = std::max<int>(status_, kExitPrompt);

    for (std::size_t i = 0; i < columns_.output_count; ++i) {
      const auto column = std::ranges::find(columns_.field, i);
      if (column != columns_.field.end()) {
        AppendCell(fields_.Read(kInputFields[column - columns_.field.begin()].field));
      } else if (const std::string* pipe = columns_.pipes.CellFor(i)) {
        AppendCell(*pipe);
      } else {
        AppendCell(i < cells.size() ? std::string_view(cells[i]) : std::string_view());
      }
    }
    AppendCell(message);
    EndRow();
    return status_ != kExitIoError;
  }

  // Ends the batch on a problem with the input as a whole, after the rows before it.
  bool Stop(std::string_view why) {
    if (!Flush()) return false;
    err_ << "tarnivel: batch: " << why << '\n';
    status_ = kExitDataError;
    return false;
  }

  // Ends the batch on a failed read, after the rows before it.
  bool StopReading(std::string_view input_name, int error) {
    if (!Flush()) return false;
    err_ << "tarnivel: " << input_name << ": " << std::strerror(error) << '\n';
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
    const int error = IoErrorOf(out_.rdbuf());
    err_ << "tarnivel: write error: " << std::strerror(error != 0 ? error : EIO) << '\n';
    status_ = kExitIoError;
    return false;
  }

  int status() const { return status_; }

 private:
  // The same warning the command line gives for a value read only in part.
  void WarnAboutIgnoredText(Calculation calculation, std::size_t line) {
    for (Field field : InputFields(calculation)) {
      const std::string& text = fields_.Read(field);
      if (!MayHaveIgnoredText(text)) continue;
      try {
        const LeadingNumber number = ReadLeadingNumber(text);
        if (!number.ignored_text) continue;
        err_ << "tarnivel: batch: line " << line << ": " << InputFieldOf(field)->name << " \""
             << text << "\" was read as " << FormatGeneral(number.value) << '\n';
      } catch (const ArithmeticFault&) {
        // The row's message says it.
      }
    }
  }

  void AppendCell(std::string_view cell) {
    if (!row_empty_) buffer_.push_back(',');
    row_empty_ = false;
    AppendCsvCell(buffer_, cell);
  }
  void EndRow() {
    buffer_.push_back('\n');
    row_empty_ = true;
    if (buffer_.size() >= kFlushAt) Flush();
  }

  std::ostream& out_;
  std::ostream& err_;
  Columns columns_;
  TextFields fields_;
  std::string buffer_;
  std::string unknown_;
  bool row_empty_ = true;
  int status_ = kExitOk;
};

}  // namespace

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, std::string_view input_name) {
  std::streambuf& source = *in.rdbuf();
  std::vector<char> chunk(1 << 16);
  CsvReader reader;
  BatchRun run(out, err);
  bool have_header = false;
  for (;;) {
    const CsvReader::Status status = reader.Next();
    if (status == CsvReader::Status::Record) {
      const bool go_on = have_header ? run.Row(reader.record(), reader.record_line())
                                     : run.Header(reader.record());
      have_header = true;
      if (!go_on) return run.status();
    } else if (status == CsvReader::Status::NeedMore) {
      // Rows computed so far go out before waiting for more input.
      if (!run.Flush()) return run.status();
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
      run.Stop("line " + std::to_string(reader.error_line()) + ": " + reader.error());
      return run.status();
    } else {
      break;
    }
  }
  if (!have_header) {
    run.Stop("the input is empty; it needs a header row with a 'calc' column");
  }
  run.Flush();
  return run.status();
}

}  // namespace tarnivel
