// The batch's series column: the chosen pipe's cells for a diameter row that names a series.

#include "tables/batch_pipes.h"

#include <algorithm>

#include "core/csv_text.h"
#include "core/numeric.h"
#include "core/sizing.h"
#include "system/report.h"

namespace tarnivel {
namespace {

// The fields the diameter calculation reads: pressure, velocity, flow.
const auto& kInputs = InfoOf(Calculation::Diameter).reads;

}  // namespace

void BatchPipes::Locate(std::span<const std::string> normalised_names,
                        std::span<const PipeSeries> series, std::size_t& output_count) {
  known_ = series;
  series_ = FirstNamed(normalised_names, "series");
  if (series_ == kNoColumn) return;  // no series: the output is what it always was
  for (std::size_t i = 0; i < kInputs.size(); ++i) {
    input_[i] = FirstNamed(normalised_names, InputFieldOf(kInputs[i]).name);
  }
  added_.Add(normalised_names, kOutputNames, output_count);
}

std::string_view BatchPipes::Fill(std::span<const std::string_view> cells,
                                  std::optional<Calculation> calculation,
                                  std::string_view outcome_message, const DropParameters* drop) {
  added_.Clear();
  chosen_drop_.reset();
  if (series_ == kNoColumn) return {};
  const auto cell = [&](std::size_t column) -> std::string_view {
    return column < cells.size() ? cells[column] : std::string_view();
  };
  const std::string_view name = cell(series_);
  if (name.empty() || !outcome_message.empty()) return {};
  const PipeSeries* series = FindSeries(known_, name);
  if (series == nullptr) {
    message_ = "unknown series '" + Escaped(name) + "'";
    return message_;
  }
  if (calculation != Calculation::Diameter) return {};

  // The diameter computed without a prompt, so the sizing has none either; the velocity in a
  // pipe can still overflow.
  const PipeSeries* const asked[] = {series};
  const Sizing sizing = SizePipes({cell(input_[0]), cell(input_[1]), cell(input_[2]), drop}, asked);
  if (sizing.outcome.fault) return FaultDescription(*sizing.outcome.fault);
  if (sizing.drop_fault) {
    message_ = DescribeDropFault(*sizing.drop_fault);
    return message_;
  }
  const SeriesSizing& sized = sizing.series.front();
  if (!sized.choice.chosen && sized.decided_by == SizingCheck::PressureDrop) {
    message_ = "no pipe in " + series->name + " loses at most " +
               FormatGeneral(*sizing.max_drop_kpa) + " kPa";
    return message_;
  }
  if (!sized.choice.chosen) {
    message_ = "no pipe in " + series->name + " with a bore of at least " +
               FormatGeneral(sizing.required_mm) + " mm";
    return message_;
  }
  const Pipe& pipe = series->pipes[*sized.choice.chosen];
  added_.texts = {pipe.designation, FormatMillimetres(pipe.Bore()),
                  sized.velocities[*sized.choice.chosen]->text};
  if (!sized.drops.empty()) chosen_drop_ = sized.drops[*sized.choice.chosen];
  return {};
}

}  // namespace tarnivel
