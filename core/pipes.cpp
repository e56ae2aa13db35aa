#include "core/pipes.h"

#include <algorithm>

#include "core/fields.h"

namespace tarnivel {
namespace {

constexpr std::int64_t kLongestMillimetres = 1'000'000;  // a kilometre: no pipe is wider

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatMillimetres(Hundredths length) {
  const std::int64_t value = length.value < 0 ? -length.value : length.value;
  std::string text = (length.value < 0 ? "-" : "") + std::to_string(value / 100);
  const std::int64_t cents = value % 100;
  if (cents != 0) {
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
  }
  return text;
}

std::optional<Hundredths> ParseMillimetres(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::int64_t whole = 0;
  std::size_t i = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    whole = whole * 10 + (text[i] - '0');
    if (whole > kLongestMillimetres) return std::nullopt;
  }
  if (i == 0) return std::nullopt;
  std::int64_t cents = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    int decimals = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++decimals) {
      if (decimals == 2) return std::nullopt;
      cents += (text[i] - '0') * (decimals == 0 ? 10 : 1);
    }
    if (decimals == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return Hundredths{whole * 100 + cents};
}

const PipeSeries* FindSeries(std::span<const PipeSeries> series, std::string_view name) {
  // std::find_if: the browser build's standard library has no ranges.
  const auto found = std::find_if(series.begin(), series.end(),
                                  [&](const PipeSeries& one) { return one.name == name; });
  return found == series.end() ? nullptr : &*found;
}

RequiredBore RequiredBoreFor(std::string_view pressure, std::string_view velocity,
                             std::string_view flow) {
  TextFields fields;
  fields.Write(Field::Pressure, pressure);
  fields.Write(Field::Velocity, velocity);
  fields.Write(Field::Flow, flow);
  return ComputeRequiredBore(fields);
}

PipeChoice ChoosePipe(const PipeSeries& series, double required_bore_mm) {
  const std::vector<Pipe>& pipes = series.pipes;
  // The bore's text, read as a number: the nearest double to the exact bore.
  const auto bore_mm = [](const Pipe& pipe) {
    return static_cast<double>(pipe.Bore().value) / 100;
  };
  const auto chosen = std::find_if(pipes.begin(), pipes.end(), [&](const Pipe& pipe) {
    return bore_mm(pipe) >= required_bore_mm;
  });
  if (chosen == pipes.end()) return {};

  PipeChoice choice;
  choice.chosen = static_cast<std::size_t>(chosen - pipes.begin());
  if (*choice.chosen > 0) choice.smaller = *choice.chosen - 1;
  if (*choice.chosen + 1 < pipes.size()) choice.larger = *choice.chosen + 1;
  return choice;
}

PipeVelocity VelocityInPipe(std::string_view pressure, std::string_view flow, const Pipe& pipe) {
  // Exactly the fields `tarnivel velocity -p PRESSURE -d BORE -q FLOW` fills.
  TextFields fields;
  fields.Write(Field::Pressure, pressure);
  fields.Write(Field::Diameter, FormatMillimetres(pipe.Bore()));
  fields.Write(Field::Flow, flow);
  const CalcOutcome outcome = CalcVelocity(fields);  // never prompts: a pipe's bore is never zero
  return {fields.Read(Field::Velocity), outcome.fault};
}

}  // namespace tarnivel
