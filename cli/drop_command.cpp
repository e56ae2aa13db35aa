#include "cli/drop_command.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/cli.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "core/numeric.h"
#include "core/pressure_drop.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

// The fields, in the order the usage names them, then the line's parameters, then drop's own.
constexpr Field kDropFields[] = {Field::Pressure, Field::Flow, Field::Diameter};

enum class DropOption { Field, Parameter, Series, Explain, Help };
struct DropOptions {
  std::vector<OptionSpec> known;
  std::vector<DropOption> kinds;                        // by option
  std::vector<std::optional<Field>> fields;             // by option: the field it gives
  std::vector<std::optional<DropQuantity>> quantities;  // by option: the parameter it gives
};

const DropOptions& Options() {
  static const DropOptions options = [] {
    DropOptions o;
    auto add = [&o](OptionSpec spec, DropOption kind, std::optional<Field> field,
                    std::optional<DropQuantity> quantity) {
      o.known.push_back(spec);
      o.kinds.push_back(kind);
      o.fields.push_back(field);
      o.quantities.push_back(quantity);
    };
    for (Field field : kDropFields) {
      const InputField& input = InputFieldOf(field);
      add({input.name, input.short_option, true}, DropOption::Field, field, std::nullopt);
    }
    for (const DropQuantityInfo& info : kDropQuantities) {
      if (info.role != DropRole::Parameter) continue;
      add({info.option, info.short_option, true}, DropOption::Parameter, std::nullopt,
          info.quantity);
    }
    add({"series", 's', true}, DropOption::Series, std::nullopt, std::nullopt);
    add({"explain", '\0', false}, DropOption::Explain, std::nullopt, std::nullopt);
    add({"help", 'h', false}, DropOption::Help, std::nullopt, std::nullopt);
    return o;
  }();
  return options;
}

std::string SeriesNames() {
  std::string names;
  for (const SeriesRoughness& row : kSeriesRoughness) {
    names += (names.empty() ? "" : ", ") + std::string(row.series);
  }
  return names;
}

void DropHelp(std::ostream& out) {
  out << "Usage: tarnivel drop -p P -q Q -d D -l L [OPTION]...\n"
         "Computes the gauge pressure left at the end of a gas line, by the hydraulic\n"
         "formulas of the urban gas design code with the Colebrook-White friction factor.\n"
         "Each TEXT is read as the window reads a field.\n\n";
  for (Field field : kDropFields) OptionLine(out, InputFieldOf(field));
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (info.role != DropRole::Parameter) continue;
    std::string option = info.short_option != '\0' ? std::string("-") + info.short_option + ", "
                                                   : std::string("    ");
    option += "--" + std::string(info.option) + "=TEXT";
    std::string what(info.words);
    if (!info.unit.empty()) what += ", " + std::string(info.unit);
    if (info.default_value) {
      what += " (default " + FormatGeneral(*info.default_value) + ")";
    }
    OptionLine(out, option, what);
  }
  OptionLine(out, "-s, --series=NAME", "roughness of a series: " + SeriesNames());
  OptionLine(out, "    --explain", "the working too: Re, friction, form, drop, velocities");
  OptionLine(out, "-h, --help", "this help");
  out << "\n--roughness wins over --series. Prints the outlet gauge pressure in MPa.\n"
         "Exit status: 0 result printed, 1 more data needed or an input out of range,\n"
         "2 arithmetic fault, 3 the gauge pressure falls to zero before the end of the line\n"
         "(the length where it does is on standard error), 64 usage error.\n";
}

// As the calculations warn about a field: a script never computes silently with «1,000»
// read as 1.
void WarnAboutIgnoredParameter(std::string_view option, std::string_view text, std::ostream& err) {
  const auto number = [&]() -> std::optional<LeadingNumber> {
    try {
      return ReadLeadingNumber(text);
    } catch (const ArithmeticFault&) {
      return std::nullopt;  // the calculation reports it
    }
  }();
  if (number && number->ignored_text) {
    err << "tarnivel: --" << option << " \"" << text << "\" was read as "
        << FormatGeneral(number->value) << '\n';
  }
}

void Explain(std::ostream& out, const DropResult& result) {
  const DropFormula regime = FormulaOf(result.regime);
  const DropFormula form = FormulaOf(result.form);
  auto line = [&out](std::string_view label, const std::string& text) {
    out << label << std::string(18 - label.size(), ' ') << text << '\n';
  };
  line("Reynolds number", FormatGeneral(result.reynolds));
  line("regime", std::string(regime.name));
  line("friction factor", FormatGeneral(result.friction));
  line("", std::string(regime.formula));
  line("form", std::string(form.name));
  line("", std::string(form.formula));
  if (result.outlet_mpa) {
    line("pressure drop", FormatGeneral(result.drop_kpa) + " kPa");
    line("outlet pressure", FormatGeneral(*result.outlet_mpa) + " MPa");
  } else {
    line("outlet pressure",
         "none: the gauge pressure falls to 0 at " + FormatGeneral(result.reach_m) + " m");
  }
  line("inlet velocity", FormatGeneral(result.inlet_velocity_ms) + " m/s");
  if (result.outlet_velocity_ms) {
    line("outlet velocity", FormatGeneral(*result.outlet_velocity_ms) + " m/s");
  }
}

}  // namespace

int RunDropCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  const DropOptions& options = Options();
  const ParsedArguments parsed = ParseOptions(args, options.known);
  if (!parsed.error.empty()) return UsageError(err, parsed.error);
  if (!parsed.operands.empty()) {
    return UsageError(err, "unexpected argument '" + parsed.operands.front() + "'");
  }
  DropTexts texts;
  std::optional<std::string> series;
  bool explain = false;
  for (const ParsedOption& option : parsed.options) {  // the last of each counts
    switch (options.kinds[option.index]) {
      case DropOption::Field:
        switch (*options.fields[option.index]) {
          case Field::Pressure:
            texts.pressure = option.value;
            break;
          case Field::Flow:
            texts.flow = option.value;
            break;
          default:
            texts.diameter = option.value;
            break;
        }
        break;
      case DropOption::Parameter:
        texts[*options.quantities[option.index]] = option.value;
        break;
      case DropOption::Series:
        series = option.value;
        break;
      case DropOption::Explain:
        explain = true;
        break;
      case DropOption::Help:
        DropHelp(out);
        return kExitOk;
    }
  }
  if (series) {
    const std::optional<double> roughness = RoughnessOfSeries(*series);
    if (!roughness) {
      return UsageError(err, "unknown series '" + *series + "' (known: " + SeriesNames() + ")");
    }
    std::optional<std::string>& given = texts[DropQuantity::Roughness];
    if (!given) given = FormatGeneral(*roughness);
  }

  WarnAboutIgnoredText(InputFieldOf(Field::Pressure), texts.pressure, err);
  WarnAboutIgnoredText(InputFieldOf(Field::Flow), texts.flow, err);
  WarnAboutIgnoredText(InputFieldOf(Field::Diameter), texts.diameter, err);
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (const auto& text = texts[info.quantity]) WarnAboutIgnoredParameter(info.option, *text, err);
  }

  const auto outcome = ComputeDrop(texts);
  if (const auto* fault = std::get_if<DropFault>(&outcome)) {
    err << "tarnivel: " << DescribeDropFault(*fault) << '\n';
    return fault->kind == DropFault::Kind::Arithmetic ? kExitFault : kExitPrompt;
  }
  const DropResult& result = std::get<DropResult>(outcome);
  if (explain) {
    Explain(out, result);
  } else if (result.outlet_mpa) {
    out << FormatGeneral(*result.outlet_mpa) << '\n';
  }
  if (!result.outlet_mpa) {
    err << "tarnivel: the gauge pressure falls to 0 at " << FormatGeneral(result.reach_m)
        << " m, before the end of the line\n";
    return kExitRunsOut;
  }
  return kExitOk;
}

}  // namespace tarnivel
