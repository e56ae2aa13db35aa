// The batch's drop rows and the drop of a sized pipe: the line's columns read per row, the
// outlet and drop cells, and each column's warning said once.

#include "tables/batch_drop.h"

#include <algorithm>
#include <utility>

#include "core/csv_text.h"
#include "core/numeric.h"
#include "system/report.h"
#include "tables/cell_warning.h"
#include "tables/line_warnings.h"

namespace tarnivel {
namespace {

// The fields the drop reads, by their column.
constexpr Field kDropFields[] = {Field::Pressure, Field::Flow, Field::Diameter};

bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

bool BatchDrop::Names(std::string_view calc) {
  return calc == kDropCalculationName || NormalisedName(calc) == kDropCalculationName;
}

void BatchDrop::Locate(std::span<const std::string> normalised_names,
                       std::span<const PipeSeries> series, std::size_t& output_count) {
  known_ = series;
  series_ = FirstNamed(normalised_names, "series");
  for (const DropQuantityInfo& info : kDropQuantities) {
    input_[static_cast<std::size_t>(info.quantity)] =
        info.role == DropRole::Result ? kNoColumn : FirstNamed(normalised_names, info.name);
  }
  if (input_[static_cast<std::size_t>(DropQuantity::Length)] == kNoColumn) return;
  std::array<std::string_view, kOutputs.size()> names;
  std::ranges::transform(kOutputs, names.begin(),
                         [](DropQuantity output) { return DropQuantityOf(output).name; });
  added_.Add(normalised_names, names, output_count);
}

void BatchDrop::ReadParameters(std::span<const std::string_view> cells, std::size_t line,
                               std::string& err) {
  for (const DropQuantityInfo& info : kDropQuantities) {
    std::optional<std::string>& text = parameters_[info.quantity];
    const std::size_t column = input_[static_cast<std::size_t>(info.quantity)];
    // A blank cell, as a missing column, leaves the parameter at its default.
    if (column < cells.size() && !Blank(cells[column])) {
      text = cells[column];
      WarnAboutCell(info.name, *text, line, err);
    } else {
      text.reset();
    }
  }
}

void BatchDrop::Warn(const std::variant<DropCase, DropFault>& line, std::size_t row_line,
                     const std::string& err, std::vector<ColumnWarning>& once) {
  const auto* read = std::get_if<DropCase>(&line);
  if (read == nullptr || CheckDropCase(*read)) return;  // refused with its own message
  for (LineWarning& warning : LineWarnings(*read, parameters_)) {
    bool& warned = warned_[static_cast<std::size_t>(warning.quantity)];
    if (std::exchange(warned, true)) continue;
    once.push_back({err.size(), warning.quantity,
                    ReportLine("batch: line " + std::to_string(row_line) + ": " + warning.text +
                               " (said once for the column)")});
  }
}

std::string_view BatchDrop::Compute(const FieldSet& fields, std::span<const std::string_view> cells,
                                    std::size_t line, std::string& err,
                                    std::vector<ColumnWarning>& once) {
  added_.Clear();
  computed_ = true;
  DropTexts texts;
  texts.pressure = fields.Read(Field::Pressure);
  texts.flow = fields.Read(Field::Flow);
  texts.diameter = fields.Read(Field::Diameter);
  for (Field field : kDropFields)
    WarnAboutCell(InputFieldOf(field).name, fields.Read(field), line, err);
  ReadParameters(cells, line, err);
  texts.parameters = parameters_;
  const std::string_view series =
      series_ < cells.size() ? std::string_view(cells[series_]) : std::string_view();
  if (!series.empty() && !texts[DropQuantity::Roughness]) {
    const std::optional<double> roughness = RoughnessOfSeries(series, known_);
    if (!roughness) {
      message_ = "unknown series '" + Escaped(series) + "'";
      return message_;
    }
    texts[DropQuantity::Roughness] = FormatGeneral(*roughness);
  }
  const std::variant<DropCase, DropFault> read = ReadDropCase(texts);
  Warn(read, line, err, once);
  if (const auto* fault = std::get_if<DropFault>(&read)) return Take(*fault);
  return Take(ComputeDrop(std::get<DropCase>(read)));
}

const DropParameters* BatchDrop::ForSizing(const FieldSet& fields,
                                           std::span<const std::string_view> cells,
                                           std::optional<Calculation> calculation, std::size_t line,
                                           std::string& err, std::vector<ColumnWarning>& once) {
  // A drop row has its cells from Compute; every other row starts without any.
  if (!std::exchange(computed_, false)) {
    added_.Clear();
  }
  const std::size_t length = input_[static_cast<std::size_t>(DropQuantity::Length)];
  const auto filled = [&](std::size_t column) {
    return column < cells.size() && !Blank(cells[column]);
  };
  if (calculation != Calculation::Diameter || !filled(series_) || !filled(length)) return nullptr;
  ReadParameters(cells, line, err);
  Warn(ReadDropCase({fields.Read(Field::Pressure), fields.Read(Field::Flow),
                     fields.Read(Field::Diameter), parameters_}),
       line, err, once);
  return &parameters_;
}

std::string_view BatchDrop::TakeChosen(const PipeDrop* drop) {
  return drop == nullptr ? std::string_view() : Take(*drop);
}

std::string_view BatchDrop::Take(const PipeDrop& drop) {
  if (const auto* fault = std::get_if<DropFault>(&drop)) {
    message_ = DescribeDropFault(*fault);
    return message_;
  }
  const DropResult& result = std::get<DropResult>(drop);
  if (!result.outlet_mpa) {
    message_ = DescribeRunningOut(result);
    return message_;
  }
  added_.texts = {FormatGeneral(*result.outlet_mpa), FormatGeneral(result.drop_kpa)};
  return {};
}

}  // namespace tarnivel
