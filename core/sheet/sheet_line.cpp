// The line command's sheet: the line's inlet and allowance, its gas and wall, the segments in
// two tables (their pipes and flow, then their losses and pressures, every cell as `tarnivel
// line --csv` writes it), and the checks against the allowed drop and the highest velocity.

#include "core/line/line_summary.h"
#include "core/numeric.h"
#include "core/sheet/sheet.h"
#include "core/sheet/sheet_parts.h"

namespace tarnivel {

using namespace sheet_parts;

namespace {

using sheet_parts::LabelOf;

std::string LabelOf(SheetLanguage language, const LineQuantityInfo& info) {
  return language == SheetLanguage::Chinese ? std::string(info.label) : std::string(info.words);
}

std::string HeaderOf(SheetLanguage language, SegmentColumn column) {
  const SegmentColumnInfo& info = SegmentColumnOf(column);
  return language == SheetLanguage::Chinese ? std::string(info.label) : std::string(info.name);
}

void AddLineMethod(Sheet& sheet, const GasLine& line, const GasLineResult& result) {
  const SheetLanguage language = sheet.stamp.language;
  const std::string code = "GB 50028 §6.2";
  AddDropMethod(sheet, result.form);
  if (result.form == PressureForm::Low) {
    sheet.method.push_back({Say(language, {"局部阻力按摩擦阻力的百分数 a 计",
                                           "Local losses as a share a of the friction loss"}),
                            "ΔPl = ΔPf·a/100", code});
    sheet.method.push_back({Say(language, {"附加压头（低压，计入高程差 h）",
                                           "Additional head (low pressure, rise h)"}),
                            "ΔH = 9.8·(ρair − ρ0)·h;  P2 = P1 − ΔPf − ΔPl + ΔH", code});
  } else {
    sheet.method.push_back(
        {Say(language, {"局部阻力折算为附加管长；中、高压不计附加压头",
                        "Local losses as extra length; no additional head at medium and high "
                        "pressure"}),
         "Le = L·(1 + a/100)", code});
  }
  if (line.allowance == AllowanceSource::AppliancePressure) {
    sheet.method.push_back({Say(language, {"低压管道允许压降，由燃具额定压力 Pn",
                                           "Allowed drop of a low-pressure line, from the "
                                           "appliances' rated pressure Pn"}),
                            "ΔPd = 0.75·Pn + 150 Pa", code});
  }
  if (result.unit_budget) {
    sheet.method.push_back(
        {Say(language, {"未给规格的管段按平均单位压降选管（等单位压降法）",
                        "Segments given only a series are sized by the average unit drop"}),
         "", Say(language, {"《燃气输配》", "gas supply engineering textbooks"})});
  }
}

void AddLineInputs(Sheet& sheet, const GasLineTexts& texts, const GasLine& line,
                   const GasLineResult& result) {
  const SheetLanguage language = sheet.stamp.language;
  sheet.inputs.push_back({Say(language, {"起点压力", "inlet pressure"}), "P1",
                          Number(line.inlet_mpa), Say(language, {"MPa（表压）", "MPa gauge"})});
  sheet.inputs.push_back(
      {Say(language, {"管段数", "segments"}), "", std::to_string(line.segments.size()), ""});
  if (line.allowance == AllowanceSource::MaxDrop) {
    const DropQuantityInfo& info = DropQuantityOf(DropQuantity::MaxDrop);
    sheet.inputs.push_back({LabelOf(language, info), "ΔPd", Number(*line.allowed_kpa),
                            std::string(info.display_unit)});
  }
  for (const LineQuantityInfo& info : kLineQuantities) {
    const bool given = texts[info.quantity].has_value();
    double value = info.default_value.value_or(0);
    if (info.quantity == LineQuantity::AirDensity) value = line.air_density_kg_nm3;
    if (info.quantity == LineQuantity::MaxVelocity && !line.max_velocity_ms) continue;
    if (info.quantity == LineQuantity::MaxVelocity) value = *line.max_velocity_ms;
    if (info.quantity == LineQuantity::AppliancePressure) {
      if (!given) continue;
      value = ReadLeadingNumber(*texts[info.quantity]).value;
    }
    if (info.quantity == LineQuantity::LocalShare && given) {
      value = ReadLeadingNumber(*texts[info.quantity]).value;
    }
    if (info.quantity == LineQuantity::AirDensity && !result.head_counted) continue;
    SheetValue entry{LabelOf(language, info), "", Number(value), std::string(info.display_unit),
                     given ? SheetOrigin::Given : SheetOrigin::Default};
    (info.quantity == LineQuantity::MaxVelocity || info.quantity == LineQuantity::AppliancePressure
         ? sheet.inputs
         : sheet.parameters)
        .push_back(entry);
  }
  AddGasParameters(sheet, line.gas, texts.drop, true);
}

// The segments in two tables, so that each fits the width of a page with its digits whole.
void AddSegmentTables(Sheet& sheet, const GasLine& line, const GasLineResult& result) {
  const SheetLanguage language = sheet.stamp.language;
  SheetTable pipes, losses;
  pipes.caption =
      Say(language, {"管段水力计算表（一）：管道与流动", "Segments (1): pipes and flow"});
  losses.caption =
      Say(language, {"管段水力计算表（二）：压力损失与压力", "Segments (2): losses and pressures"});
  const std::string name = HeaderOf(language, SegmentColumn::Name);
  pipes.header = {name,
                  HeaderOf(language, SegmentColumn::Length),
                  HeaderOf(language, SegmentColumn::Flow),
                  HeaderOf(language, SegmentColumn::Pipe),
                  HeaderOf(language, SegmentColumn::Bore),
                  Say(language, {"流速", "velocity"}),
                  "Re",
                  "λ"};
  pipes.units = {"", "m", "Nm³/h", "", "mm", "m/s", "", ""};
  losses.header = {name,
                   Say(language, {"摩擦阻力", "friction"}),
                   Say(language, {"局部阻力", "local"}),
                   Say(language, {"附加压头", "head"}),
                   Say(language, {"压降", "drop"}),
                   Say(language, {"起点压力", "inlet"}),
                   Say(language, {"终点压力", "outlet"})};
  losses.units = {"", "kPa", "kPa", "kPa", "kPa", "MPa", "MPa"};
  for (std::size_t i = 0; i < line.segments.size(); ++i) {
    const Segment& segment = line.segments[i];
    const auto cells = LineOutputCells(line, result, i);
    const auto cell = [&cells](LineOutput output) {
      return cells[static_cast<std::size_t>(output)];
    };
    const bool sized = i < result.segments.size() && result.segments[i].sized;
    const std::string label = segment.name.empty() ? std::to_string(i + 1) : segment.name;
    pipes.rows.push_back({label, Number(segment.length_m), Number(segment.flow_nm3h),
                          cell(LineOutput::Pipe) + (sized ? " *" : ""), cell(LineOutput::Bore),
                          cell(LineOutput::Velocity), cell(LineOutput::Reynolds),
                          cell(LineOutput::Friction)});
    pipes.marked.push_back(false);
    losses.rows.push_back({label, cell(LineOutput::FrictionDrop), cell(LineOutput::LocalDrop),
                           cell(LineOutput::Head), cell(LineOutput::Drop), cell(LineOutput::Inlet),
                           cell(LineOutput::Outlet)});
    losses.marked.push_back(false);
  }
  sheet.tables.push_back(std::move(pipes));
  sheet.tables.push_back(std::move(losses));
}

void AddLineChecks(Sheet& sheet, const GasLine& line, const GasLineResult& result) {
  const SheetLanguage language = sheet.stamp.language;
  const std::string drop_what = Say(language, {"总压降", "total drop"});
  if (result.check == LineCheck::Within || result.check == LineCheck::Over) {
    sheet.checks.push_back(
        AtMost(drop_what, *result.allowed_kpa, Number(result.drop_kpa), result.drop_kpa, "kPa"));
  } else if (result.check != LineCheck::NotChecked) {
    const std::string limit =
        result.allowed_kpa ? "≤ " + Number(*result.allowed_kpa) + " kPa" : std::string("> 0 MPa");
    // Why it failed, as the line window says it in Chinese and the command line in English.
    const Translate as_written = [](std::string_view text) { return std::string(text); };
    sheet.checks.push_back({drop_what, limit,
                            language == SheetLanguage::Chinese
                                ? SummariseLine(line, result, as_written).text
                                : DescribeLineCheck(line, result),
                            false});
  }
  if (line.max_velocity_ms) {
    // The fastest of the sized segments, at its inlet.
    std::optional<std::size_t> fastest;
    for (std::size_t i = 0; i < result.segments.size(); ++i) {
      if (!result.segments[i].sized) continue;
      if (!fastest ||
          result.segments[i].inlet_velocity_ms > result.segments[*fastest].inlet_velocity_ms) {
        fastest = i;
      }
    }
    if (fastest) {
      const Segment& segment = line.segments[*fastest];
      const double velocity = result.segments[*fastest].inlet_velocity_ms;
      sheet.checks.push_back(
          AtMost(Say(language, {"选管管段最大流速（", "highest velocity of a sized segment ("}) +
                     (segment.name.empty() ? std::to_string(*fastest + 1) : segment.name) +
                     Say(language, {"）", ")"}),
                 *line.max_velocity_ms, Number(velocity), velocity, "m/s"));
    }
  }
}

}  // namespace

Sheet LineSheet(const SheetStamp& stamp, const LineSheetCase& computed) {
  Sheet sheet;
  sheet.stamp = stamp;
  const SheetLanguage language = stamp.language;
  const GasLine& line = *computed.line;
  const GasLineResult& result = *computed.result;
  sheet.subject = Say(language, {"燃气管线水力计算", "Gas line"});
  AddLineMethod(sheet, line, result);
  AddLineInputs(sheet, *computed.texts, line, result);
  if (result.outlet_mpa) {
    sheet.results.push_back(
        {Say(language, {"总压降", "total drop"}), "ΔP", Number(result.drop_kpa), "kPa"});
    sheet.results.push_back({Say(language, {"终点压力", "outlet pressure"}), "P2",
                             Number(*result.outlet_mpa),
                             Say(language, {"MPa（表压）", "MPa gauge"})});
  }
  if (result.allowed_kpa) {
    sheet.results.push_back(
        {Say(language, {"允许压降", "allowed drop"}), "ΔPd", Number(*result.allowed_kpa), "kPa"});
  }
  if (result.unit_budget) {
    sheet.results.push_back({Say(language, {"平均单位压降", "unit budget"}), "",
                             Number(*result.unit_budget),
                             std::string(UnitBudgetUnit(result.form))});
  }
  AddSegmentTables(sheet, line, result);
  if (result.unit_budget) {
    sheet.notes.push_back(Say(language, {"加 * 的管段由本计算选管。",
                                         "* marks a segment this "
                                         "calculation sized."}));
  }
  if (const std::string head = DescribeHeadNotCounted(result); !head.empty()) {
    sheet.notes.push_back(language == SheetLanguage::Chinese ? std::string(kLineHeadNotCounted)
                                                             : head);
  }
  AddLineChecks(sheet, line, result);
  return sheet;
}

}  // namespace tarnivel
