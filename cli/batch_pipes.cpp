#include "cli/batch_pipes.h"

#include <algorithm>
#include <utility>

#include "cli/column_name.h"
#include "core/pipes.h"

namespace tarnivel {
namespace {

// The fields the diameter calculation reads: pressure, velocity, flow.
const auto& kInputs = InfoOf(Calculation::Diameter).reads;

std::size_t FirstNamed(std::span<const std::string> names, std::string_view name) {
  const auto found = std::ranges::find(names, name);
  return found == names.end() ? BatchPipes::kNoColumn
                              : static_cast<std::size_t>(found - names.begin());
}

}  // namespace

void BatchPipes::Locate(std::span<const std::string> normalised_names, std::size_t& output_count) {
  series_ = FirstNamed(normalised_names, "series");
  if (series_ == kNoColumn) return;  // no series: the output is what it always was
  for (std::size_t i = 0; i < kInputs.size(); ++i) {
    input_[i] = FirstNamed(normalised_names, InputFieldOf(kInputs[i]).name);
  }
  for (std::size_t i = 0; i < kOutputNames.size(); ++i) {
    output_[i] = FirstNamed(normalised_names, kOutputNames[i]);
    if (output_[i] == kNoColumn) output_[i] = output_count++;
  }
}

std::vector<std::string_view> BatchPipes::AddedNames(std::size_t input_count) const {
  std::vector<std::pair<std::size_t, std::string_view>> added;
  for (std::size_t i = 0; i < kOutputNames.size(); ++i) {
    if (series_ != kNoColumn && output_[i] >= input_count)
      added.emplace_back(output_[i], kOutputNames[i]);
  }
  std::ranges::sort(added);
  std::vector<std::string_view> names;
  for (const auto& [column, name] : added) names.push_back(name);
  return names;
}

std::string_view BatchPipes::Fill(std::span<const std::string> cells,
                                  std::optional<Calculation> calculation,
                                  std::string_view outcome_message) {
  for (std::string& text : texts_) text.clear();
  if (series_ == kNoColumn) return {};
  const auto cell = [&](std::size_t column) -> std::string_view {
    return column < cells.size() ? std::string_view(cells[column]) : std::string_view();
  };
  const std::string_view name = cell(series_);
  if (name.empty() || !outcome_message.empty()) return {};
  const PipeSeries* series = FindSeries(BuiltInSeries(), name);
  if (series == nullptr) series = FindSeries(BuiltInSeries(), NormalisedName(name));
  if (series == nullptr) {
    message_ = "unknown series '" + std::string(name) + "'";
    return message_;
  }
  if (calculation != Calculation::Diameter) return {};

  // The diameter computed without a prompt, so the required bore has none either.
  const std::string_view pressure = cell(input_[0]), flow = cell(input_[2]);
  const RequiredBore required = RequiredBoreFor(pressure, cell(input_[1]), flow);
  if (required.outcome.fault) return FaultDescription(*required.outcome.fault);
  const PipeChoice choice = ChoosePipe(*series, required.mm);
  if (!choice.chosen) return {};  // past the largest pipe: no pipe
  const Pipe& pipe = series->pipes[*choice.chosen];
  PipeVelocity velocity = VelocityInPipe(pressure, flow, pipe);
  if (velocity.fault) return FaultDescription(*velocity.fault);  // it can still overflow
  texts_ = {pipe.designation, FormatMillimetres(pipe.Bore()), std::move(velocity.text)};
  return {};
}

const std::string* BatchPipes::CellFor(std::size_t column) const {
  if (series_ == kNoColumn) return nullptr;
  const auto found = std::ranges::find(output_, column);
  return found == output_.end() ? nullptr
                                : &texts_[static_cast<std::size_t>(found - output_.begin())];
}

}  // namespace tarnivel
