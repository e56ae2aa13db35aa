#include "core/pipes.h"

#include <algorithm>

#include "core/numeric.h"

namespace tarnivel {
namespace {

constexpr std::int64_t kLongestMillimetres = 1'000'000;  // a kilometre: no pipe is wider

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

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
  text = Trimmed(text);
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

SeriesLabel LabelOf(std::string_view series) {
  const auto* label = std::find_if(kSeriesLabels.begin(), kSeriesLabels.end(),
                                   [&](const SeriesLabel& l) { return l.series == series; });
  return label != kSeriesLabels.end() ? *label : SeriesLabel{series, series, series};
}

std::string SeriesKey(std::string_view name) {
  std::string key(Trimmed(name));
  for (char& c : key) c = AsciiLower(c);
  for (const SeriesLabel& label : kSeriesLabels) {
    if (EqualIgnoringCase(key, label.label)) return std::string(label.series);
  }
  return key;
}

bool NamesSeries(std::string_view text, std::string_view series) {
  return SeriesKey(text) == SeriesKey(series);
}

const PipeSeries* FindSeries(std::span<const PipeSeries> series, std::string_view name) {
  // std::find_if: the browser build's standard library has no ranges.
  const auto found = std::find_if(series.begin(), series.end(), [&](const PipeSeries& one) {
    return NamesSeries(name, one.name);
  });
  return found == series.end() ? nullptr : &*found;
}

void MergeSeries(std::vector<PipeSeries>& known, std::vector<PipeSeries> added) {
  for (PipeSeries& series : added) {
    const PipeSeries* same = FindSeries(known, series.name);
    if (same != nullptr) {
      known[static_cast<std::size_t>(same - known.data())] = std::move(series);
    } else {
      known.push_back(std::move(series));
    }
  }
}

PipeChoice ChoosePipe(const PipeSeries& series, double required_bore_mm) {
  const std::vector<Pipe>& pipes = series.pipes;
  // The bore's text, read as a number: the nearest double to the exact bore; and the required
  // bore as printed, read back.
  const auto bore_mm = [](const Pipe& pipe) {
    return static_cast<double>(pipe.Bore().value) / 100;
  };
  const auto printed = ParseNumberStrict(FormatGeneral(required_bore_mm));
  const double required = printed && !printed->fault ? printed->value : required_bore_mm;
  const auto chosen = std::find_if(pipes.begin(), pipes.end(),
                                   [&](const Pipe& pipe) { return bore_mm(pipe) >= required; });
  if (chosen == pipes.end()) return {};

  PipeChoice choice;
  choice.chosen = static_cast<std::size_t>(chosen - pipes.begin());
  if (*choice.chosen > 0) choice.smaller = *choice.chosen - 1;
  if (*choice.chosen + 1 < pipes.size()) choice.larger = *choice.chosen + 1;
  return choice;
}

}  // namespace tarnivel
