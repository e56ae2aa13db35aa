// The batch command's row in the table of commands: its help, written from the tables of
// fields, calculations, drop quantities and series, and its run, which reads a catalogue if
// given, opens FILE and hands both to the batch (tables/batch.h).

#include "cli/batch_command.h"

#include <istream>
#include <string>
#include <vector>

#include "cli/table_statuses.h"
#include "cli/usage_error.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "system/input_file.h"
#include "system/report.h"
#include "tables/batch.h"
#include "tables/batch_drop.h"
#include "tables/batch_pipes.h"
#include "tables/csv.h"
#include "tables/pipe_catalogue_file.h"

namespace tarnivel {
namespace {

// The names joined as a sentence lists them: «a, b or c».
template <typename Names>
std::string Listed(const Names& names, std::string_view last_joint) {
  std::string text;
  for (std::size_t i = 0; i < std::size(names); ++i) {
    if (i > 0) text += i + 1 == std::size(names) ? last_joint : ", ";
    text += std::string(names[i]);
  }
  return text;
}

std::string Description() {
  std::vector<std::string_view> calcs;
  for (const CalculationInfo& info : kCalculations) calcs.push_back(info.name);
  calcs.push_back(kDropCalculationName);
  std::string text =
      "Computes a CSV table of calculations read from FILE, or from standard input when FILE is "
      "- or absent, and writes the table to standard output, a row at a time.\n\n"
      "The header names the columns: calc (" +
      Listed(calcs, " or ") + ") is required;\n";
  for (const InputField& input : kInputFields) {
    text += "  " + std::string(input.name) + std::string(10 - input.name.size(), ' ') +
            std::string(input.words) + ", " + std::string(input.unit) + '\n';
  }
  return text +
         "hold the field texts; other columns are carried through. The output has the input's "
         "columns, the fields as computed and a last column, message: empty, or the request, "
         "fault, input out of range, unknown calc or unknown series that the row ended in, "
         "the result cell then empty. A header that names a column twice is malformed.";
}

// «length, temperature, ... or atmosphere»
std::string DropColumns(DropRole role) {
  std::vector<std::string_view> names;
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (info.role == role) names.push_back(info.name);
  }
  return Listed(names, role == DropRole::Parameter ? " or " : " and ");
}

std::string Notes() {
  std::vector<std::string_view> series;
  for (const PipeSeries& s : BuiltInSeries()) series.push_back(s.name);
  std::vector<std::string> own(BatchPipes::kOutputNames.begin(), BatchPipes::kOutputNames.end());
  for (DropQuantity output : BatchDrop::kOutputs) own.emplace_back(DropQuantityOf(output).name);
  return "A drop row reads pressure, flow and diameter, and the columns of the line, as tarnivel "
         "drop reads its options: " +
         DropColumns(DropRole::Parameter) +
         " (a blank cell or a missing column takes the default; the series a series cell names "
         "brings its roughness, and a roughness cell wins over it). A value outside its usual "
         "range, or a compressibility given at low pressure, is warned about on standard error "
         "once for its column. When the input has a length column, the columns " +
         DropColumns(DropRole::Result) +
         " (outlet gauge pressure in MPa, drop in kPa) are added before message; where the gauge "
         "pressure runs out, the message says at which length.\n\n"
         "An optional column series names a series as tarnivel pipe --series does (" +
         Listed(series, " or ") +
         " or their labels, in any case, or a series of the catalogue): a diameter row then gets "
         "the columns " +
         Listed(BatchPipes::kOutputNames, " and ") +
         " of the pipe chosen in it, as tarnivel pipe chooses it, added before message; past the "
         "largest pipe, the message says there is no pipe. With a length as well, the row gets "
         "the outlet and drop of that pipe, and with max_drop (kPa) the pipe is chosen by both "
         "checks, as tarnivel pipe --max-drop chooses it.\n\n"
         "The batch never writes over a user's column: one the input has under the name of a "
         "column the batch writes (" +
         Listed(own, ", ") +
         ", message) is carried through untouched, and the batch's own is then called "
         "tarnivel_pipe, tarnivel_message and so on.\n\n"
         "CSV as in RFC 4180; " +
         CsvLimitsText() + " stop the batch as malformed, after the rows before them.";
}

int RunBatchCommand(const ParsedArguments& parsed, const Streams& streams) {
  if (parsed.operands.size() > 1) {
    return UsageError(streams.err,
                      "batch takes one FILE; '" + Escaped(parsed.operands[1]) + "' is one too many",
                      "batch");
  }
  std::vector<PipeSeries> series(BuiltInSeries().begin(), BuiltInSeries().end());
  for (const ParsedOption& option : parsed.options) {  // --catalogue, the last one counting
    series.assign(BuiltInSeries().begin(), BuiltInSeries().end());
    if (const auto failure = LoadPipeCatalogue(option.value, series, streams.err))
      return ExitStatusOf(*failure);
  }
  if (parsed.operands.empty() || parsed.operands[0] == "-") {
    return ExitStatusOf(RunBatch(streams.in, streams.out, streams.err, "-", series));
  }
  const std::string& name = parsed.operands[0];
  const auto file = OpenInputFile(name, streams.err);
  if (!file) return kExitNoInput;
  std::istream file_in(file.get());
  return ExitStatusOf(RunBatch(file_in, streams.out, streams.err, name, series));
}

}  // namespace

Command BatchCommand() {
  Command command;
  command.name = "batch";
  command.summary = "a CSV table of calculations, one per row";
  command.operands = "[FILE]";
  command.description = Description();
  command.notes = Notes();
  command.options = {{"catalogue", 'c', "FILE",
                      "a CSV catalogue of pipes, as tarnivel pipe reads it, whose series the "
                      "series column may name"}};
  command.statuses = {kExitOk,      kExitPrompt,      kExitUsage,  kExitDataError,
                      kExitNoInput, kExitOutOfMemory, kExitIoError};
  command.reads_rows = true;
  command.run = &RunBatchCommand;
  return command;
}

}  // namespace tarnivel
