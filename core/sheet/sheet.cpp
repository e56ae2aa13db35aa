// The sheets of the pipe and drop commands, and the parts all sheets share: the method with
// its sources, the gas and wall with their defaults, the checks and their verdicts.

#include "core/sheet/sheet.h"

#include <algorithm>
#include <cctype>

#include "core/numeric.h"
#include "core/pipecalc.h"
#include "core/quantities.h"
#include "core/sheet/sheet_parts.h"

namespace tarnivel {

std::optional<SheetLanguage> SheetLanguageNamed(std::string_view name) {
  for (const SheetLanguageInfo& info : kSheetLanguages) {
    if (name.size() == info.name.size() &&
        std::equal(name.begin(), name.end(), info.name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == b;
        })) {
      return info.language;
    }
  }
  return std::nullopt;
}

const SheetLanguageInfo& SheetLanguageOf(SheetLanguage language) {
  return kSheetLanguages[language == SheetLanguage::Chinese ? 0 : 1];
}

std::optional<SheetFormat> SheetFormatOfFile(std::string_view file_name) {
  const std::size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos || file_name.find('/', dot) != std::string_view::npos) {
    return std::nullopt;
  }
  std::string extension;
  for (char c : file_name.substr(dot + 1)) {
    extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (extension == "html" || extension == "htm") return SheetFormat::Html;
  if (extension == "pdf") return SheetFormat::Pdf;
  return std::nullopt;
}

namespace sheet_parts {

std::string Number(double value) { return FormatGeneral(value); }

std::string NumberOfText(std::string_view text) { return Number(ReadLeadingNumber(text).value); }

std::string Verdict(SheetLanguage language, bool passed) {
  return passed ? Say(language, {"合格", "passed"}) : Say(language, {"不合格", "failed"});
}

std::string LabelOf(SheetLanguage language, const DropQuantityInfo& info) {
  return language == SheetLanguage::Chinese ? std::string(info.label) : std::string(info.words);
}

std::string BandName(SheetLanguage language, FrictionRegime regime) {
  const std::string edges = regime == FrictionRegime::Laminar        ? "Re ≤ 2100"
                            : regime == FrictionRegime::Transitional ? "2100 < Re ≤ 3500"
                                                                     : "Re > 3500";
  const SheetPhrase name = regime == FrictionRegime::Laminar ? SheetPhrase{"层流", "laminar"}
                           : regime == FrictionRegime::Transitional
                               ? SheetPhrase{"临界区", "transitional"}
                               : SheetPhrase{"紊流", "turbulent"};
  return Say(language, name) + (language == SheetLanguage::Chinese ? " " : ", ") + edges;
}

std::string FormName(SheetLanguage language, PressureForm form) {
  const std::string limit = Number(kLowPressureLimitMpa);
  if (form == PressureForm::Low) {
    return Say(language, {"低压，起点压力 < ", "low pressure, inlet < "}) + limit + " MPa";
  }
  return Say(language, {"中压及高压，起点压力 ≥ ", "medium and high pressure, inlet ≥ "}) + limit +
         " MPa";
}

void AddDropMethod(Sheet& sheet, PressureForm form) {
  const SheetLanguage language = sheet.stamp.language;
  const std::string code = "GB 50028 §6.2";
  sheet.method.push_back({Say(language, {"雷诺数（T0 = 273.15 K，T = t + 273.15）",
                                         "Reynolds number (T0 = 273.15 K, T = t + 273.15)"}),
                          "Re = 4·Q/(3600·π·(d/1000)·ν0)", code});
  for (FrictionRegime regime :
       {FrictionRegime::Laminar, FrictionRegime::Transitional, FrictionRegime::Turbulent}) {
    sheet.method.push_back(
        {Say(language, {"摩阻系数，", "Friction factor, "}) + BandName(language, regime),
         std::string(FormulaOf(regime).formula), code});
  }
  sheet.method.push_back(
      {FormName(language, form), std::string(FormulaOf(form).formula),
       code + Say(language, {"；压力分级 §6.1.6", "; pressure classes §6.1.6"})});
  sheet.method.push_back({Say(language, {"常数 6.26×10⁷ 与 1.27×10¹⁰ 按规范所印数值取用",
                                         "The constants 6.26×10⁷ and 1.27×10¹⁰ as the code "
                                         "prints them"}),
                          "", code});
}

void AddGasParameters(Sheet& sheet, const DropCase& gas, const DropParameters& given,
                      bool roughness) {
  for (const auto& [quantity, value] : {std::pair{DropQuantity::Temperature, gas.temperature_c},
                                        {DropQuantity::Density, gas.density_kg_nm3},
                                        {DropQuantity::Viscosity, gas.viscosity_m2s},
                                        {DropQuantity::Roughness, gas.roughness_mm},
                                        {DropQuantity::Compressibility, gas.compressibility},
                                        {DropQuantity::Atmosphere, gas.atmosphere_kpa}}) {
    if (quantity == DropQuantity::Roughness && !roughness) continue;
    const DropQuantityInfo& info = DropQuantityOf(quantity);
    sheet.parameters.push_back({LabelOf(sheet.stamp.language, info), "", Number(value),
                                std::string(info.display_unit),
                                given[quantity] ? SheetOrigin::Given : SheetOrigin::Default});
  }
}

SheetCheck AtMost(std::string what, double limit, std::string value_text, double value,
                  std::string_view unit) {
  const std::string with_unit = unit.empty() ? "" : " " + std::string(unit);
  return {std::move(what), "≤ " + Number(limit) + with_unit, value_text + with_unit,
          value <= limit};
}

}  // namespace sheet_parts

using namespace sheet_parts;

namespace {

// The model of the three calculations, which the pipe's velocity and bore rest on.
void AddBoyleMethod(Sheet& sheet) {
  const SheetLanguage language = sheet.stamp.language;
  const std::string atm = Number(ATM_MPA), pi = Number(PI_APPROX);
  const std::string source = Say(language, {"本程序的计算模型", "this program's model"});
  sheet.method.push_back(
      {Say(language, {"工况流量按玻意耳定律由标准状态换算，标准压力与大气压均取 ",
                      "The flow at line conditions by Boyle's law from standard state, with "}) +
           atm +
           Say(language, {" MPa，不作温度与压缩修正",
                          " MPa as both the standard and the atmospheric pressure, without "
                          "temperature or compressibility correction"}),
       "Qa = Qn·" + atm + "/(P + " + atm + ")", source});
  sheet.method.push_back(
      {Say(language, {"所需内径，π 取 ", "The bore required, with π taken as "}) + pi,
       "d = 2·√(Qa/(3600·π·v))·1000", source});
  sheet.method.push_back({Say(language, {"管内流速", "The velocity in a pipe"}),
                          "v = Qa/(3600·π·(d/1000)²/4)", source});
}

std::string_view ChoiceWord(SheetLanguage language, const PipeChoice& choice, std::size_t i) {
  if (i == choice.chosen) return SheetPhrase{"选用", "chosen"}.In(language);
  if (i == choice.smaller) return SheetPhrase{"小一级", "smaller"}.In(language);
  return SheetPhrase{"大一级", "larger"}.In(language);
}

// The pipe table: each series' smaller, chosen and larger pipe, with the drop when computed.
SheetTable PipeTable(SheetLanguage language, const Sizing& sizing, bool drops) {
  SheetTable table;
  table.caption = Say(language, {"各管材系列选管", "Pipes of each series"});
  table.header = {Say(language, {"管材", "series"}), Say(language, {"规格", "pipe"}),
                  Say(language, {"外径 × 壁厚", "outside × wall"}), Say(language, {"内径", "bore"}),
                  Say(language, {"流速", "velocity"})};
  table.units = {"", "", "mm", "mm", "m/s"};
  if (drops) {
    table.header.push_back(Say(language, {"出口压力", "outlet"}));
    table.header.push_back(Say(language, {"压降", "drop"}));
    table.header.push_back(Say(language, {"起点气速", "inlet gas velocity"}));
    table.header.push_back(Say(language, {"终点气速", "outlet gas velocity"}));
    table.units.insert(table.units.end(), {"MPa", "kPa", "m/s", "m/s"});
  }
  table.header.push_back(Say(language, {"选择", "choice"}));
  table.units.push_back("");
  for (const SeriesSizing& sized : sizing.series) {
    const PipeSeries& series = *sized.series;
    if (!sized.choice.chosen) {
      std::vector<std::string> row(table.header.size());
      row[0] = series.name;
      row.back() = Say(language, {"无", "none"});
      table.rows.push_back(row);
      table.marked.push_back(false);
      continue;
    }
    for (const auto index : {sized.choice.smaller, sized.choice.chosen, sized.choice.larger}) {
      if (!index) continue;
      const Pipe& pipe = series.pipes[*index];
      std::vector<std::string> row = {
          series.name, pipe.designation,
          FormatMillimetres(pipe.outside) + " × " + FormatMillimetres(pipe.wall),
          FormatMillimetres(pipe.Bore()), sized.velocities[*index]->text};
      if (drops) {
        const PipeDrop& drop = *sized.drops[*index];
        const auto* result = std::get_if<DropResult>(&drop);
        const bool outlet = result != nullptr && result->outlet_mpa;
        row.push_back(outlet ? Number(*result->outlet_mpa) : Say(language, {"无", "none"}));
        row.push_back(outlet ? Number(result->drop_kpa) : "");
        row.push_back(result != nullptr ? Number(result->inlet_velocity_ms) : "");
        row.push_back(outlet ? Number(*result->outlet_velocity_ms) : "");
      }
      row.emplace_back(ChoiceWord(language, sized.choice, *index));
      table.rows.push_back(std::move(row));
      table.marked.push_back(index == sized.choice.chosen);
    }
  }
  return table;
}

// Each series' chosen pipe against the velocity typed, and against the allowed drop when one
// was given (or the end of the line, when only its length was).
void AddPipeChecks(Sheet& sheet, const Sizing& sizing, double velocity, bool drops) {
  const SheetLanguage language = sheet.stamp.language;
  for (const SeriesSizing& sized : sizing.series) {
    const std::string& series = sized.series->name;
    if (!sized.choice.chosen) {
      sheet.checks.push_back(
          {series + Say(language, {"：选管", ": a pipe"}),
           Say(language, {"内径 ≥ ", "bore ≥ "}) + Number(sizing.required_mm) + " mm",
           Say(language, {"无合适管道", "no pipe"}), false});
      continue;
    }
    const std::size_t chosen = *sized.choice.chosen;
    const std::string pipe = series + " " + sized.series->pipes[chosen].designation;
    const PipeVelocity& in_pipe = *sized.velocities[chosen];
    sheet.checks.push_back(AtMost(pipe + Say(language, {"：流速", ": velocity"}), velocity,
                                  in_pipe.text, in_pipe.mps, "m/s"));
    if (!drops) continue;
    const auto* result = std::get_if<DropResult>(&*sized.drops[chosen]);
    if (result == nullptr || !result->outlet_mpa) {
      sheet.checks.push_back({pipe + Say(language, {"：终点表压", ": gauge pressure at the end"}),
                              "> 0 MPa", Say(language, {"无（压力耗尽）", "none (runs out)"}),
                              false});
    } else if (sizing.max_drop_kpa) {
      sheet.checks.push_back(AtMost(pipe + Say(language, {"：压降", ": pressure drop"}),
                                    *sizing.max_drop_kpa, Number(result->drop_kpa),
                                    result->drop_kpa, "kPa"));
    }
  }
}

SheetValue FieldValue(SheetLanguage language, Field field, std::string_view symbol,
                      std::string_view text) {
  const InputField& info = InputFieldOf(field);
  return {language == SheetLanguage::Chinese ? std::string(info.quantity) : std::string(info.words),
          std::string(symbol), NumberOfText(text), std::string(info.display_unit)};
}

}  // namespace

Sheet PipeSheet(const SheetStamp& stamp, const PipeSheetCase& sized) {
  Sheet sheet;
  sheet.stamp = stamp;
  const SheetLanguage language = stamp.language;
  const Sizing& sizing = *sized.sizing;
  const bool drops = sized.drop != nullptr;
  sheet.subject = Say(language, {"管道选型", "Pipe sizing"});
  AddBoyleMethod(sheet);
  sheet.inputs = {FieldValue(language, Field::Pressure, "P", sized.pressure),
                  FieldValue(language, Field::Velocity, "v", sized.velocity),
                  FieldValue(language, Field::Flow, "Qn", sized.flow)};
  sheet.inputs.front().unit += Say(language, {"（表压）", " gauge"});
  if (drops) {
    const DropParameters& given = *sized.drop;
    // The gas and the wall as the drop reads them; the bore is each pipe's, any will do here.
    const auto read =
        ReadDropCase({std::string(sized.pressure), std::string(sized.flow), "1", given});
    if (const auto* line = std::get_if<DropCase>(&read)) {
      AddDropMethod(sheet, FormAt(line->inlet_mpa));
      const DropQuantityInfo& length = DropQuantityOf(DropQuantity::Length);
      sheet.inputs.push_back({LabelOf(language, length), "L", Number(line->length_m),
                              std::string(length.display_unit)});
      AddGasParameters(sheet, *line, given, given[DropQuantity::Roughness].has_value());
    }
    if (sizing.max_drop_kpa) {
      const DropQuantityInfo& limit = DropQuantityOf(DropQuantity::MaxDrop);
      sheet.inputs.push_back({LabelOf(language, limit), "ΔPmax", Number(*sizing.max_drop_kpa),
                              std::string(limit.display_unit)});
    }
    if (!given[DropQuantity::Roughness]) {
      for (const SeriesSizing& series : sizing.series) {
        sheet.parameters.push_back({LabelOf(language, DropQuantityOf(DropQuantity::Roughness)) +
                                        " (" + series.series->name + ")",
                                    "", Number(series.series->roughness_mm), "mm",
                                    SheetOrigin::Series});
      }
    }
  }
  sheet.results = {
      {Say(language, {"所需内径", "bore required"}), "d", Number(sizing.required_mm), "mm"},
      {Say(language, {"工况绝对压力", "absolute pressure"}), "P + " + Number(ATM_MPA),
       Number(sizing.absolute_mpa), "MPa"},
      {Say(language, {"工况流量", "flow at line conditions"}), "Qa", Number(sizing.actual_flow_m3h),
       std::string(kLineFlowUnit)}};
  sheet.tables.push_back(PipeTable(language, sizing, drops));
  if (drops) {
    sheet.notes.push_back(
        Say(language,
            {"表中流速按本程序计算模型（0.1 MPa 标准状态，玻意耳定律）；压降与起点、终点气速按 "
             "GB 50028 §6.2，以 101.325 kPa、0 °C 为标准状态，在气体温度下计入 T/T0 与 Z。",
             "The velocity column is the three calculations' model (standard state at 0.1 MPa, "
             "Boyle's law); the drop and the gas velocities are GB 50028 §6.2's, at the gas "
             "temperature from 101.325 kPa and 0 °C, with T/T0 and Z."}));
  }
  AddPipeChecks(sheet, sizing, ReadLeadingNumber(sized.velocity).value, drops);
  return sheet;
}

Sheet DropSheet(const SheetStamp& stamp, const DropSheetCase& computed) {
  Sheet sheet;
  sheet.stamp = stamp;
  const SheetLanguage language = stamp.language;
  const DropCase& line = *computed.line;
  const DropResult& result = *computed.result;
  sheet.subject = Say(language, {"管道压降", "Pressure drop along a line"});
  AddDropMethod(sheet, result.form);
  const DropQuantityInfo& length = DropQuantityOf(DropQuantity::Length);
  const auto field = [language](Field f, std::string_view symbol, double value) {
    return FieldValue(language, f, symbol, Number(value));
  };
  sheet.inputs = {
      field(Field::Pressure, "P1", line.inlet_mpa),
      field(Field::Flow, "Q", line.flow_nm3h),
      field(Field::Diameter, "d", line.bore_mm),
      {LabelOf(language, length), "L", Number(line.length_m), std::string(length.display_unit)}};
  sheet.inputs.front().unit += Say(language, {"（表压）", " gauge"});
  if (!computed.series.empty()) {
    sheet.inputs.push_back(
        {Say(language, {"管材", "pipe series"}), "", std::string(computed.series), ""});
  }
  AddGasParameters(sheet, line, *computed.given, true);

  // One line's result: its values one under the other, each with its unit.
  const bool outlet = result.outlet_mpa.has_value();
  const std::string none = Say(language, {"无", "none"});
  const std::string gauge = Say(language, {"MPa（表压）", "MPa gauge"});
  sheet.results = {
      {Say(language, {"雷诺数", "Reynolds number"}), "Re", Number(result.reynolds), ""},
      {Say(language, {"流态", "friction band"}), "", BandName(language, result.regime), ""},
      {Say(language, {"摩阻系数", "friction factor"}), "λ", Number(result.friction), ""},
      {Say(language, {"计算公式", "form"}), "", FormName(language, result.form), ""},
      {Say(language, {"压降", "pressure drop"}), "ΔP", outlet ? Number(result.drop_kpa) : none,
       "kPa"},
      {Say(language, {"出口压力", "outlet pressure"}), "P2",
       outlet ? Number(*result.outlet_mpa) : none, gauge},
      {Say(language, {"起点流速", "inlet velocity"}), "v1", Number(result.inlet_velocity_ms),
       "m/s"},
      {Say(language, {"终点流速", "outlet velocity"}), "v2",
       outlet ? Number(*result.outlet_velocity_ms) : none, "m/s"}};
  if (const std::string edge = DescribeBandEdge(result); !edge.empty()) sheet.notes.push_back(edge);
  if (outlet) {
    sheet.checks.push_back({Say(language, {"终点表压", "gauge pressure at the end"}), "> 0 MPa",
                            Number(*result.outlet_mpa) + " MPa", true});
  } else {
    sheet.checks.push_back({Say(language, {"终点表压", "gauge pressure at the end"}), "> 0 MPa",
                            Say(language, {"在 ", "falls to 0 at "}) + Number(result.reach_m) +
                                Say(language, {" m 处降至 0", " m"}),
                            false});
  }
  return sheet;
}

}  // namespace tarnivel
