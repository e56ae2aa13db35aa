// The page's way into the pressure drop: the section's captions and words, and what it shows
// for the line the pipe strip describes. The answers are JSON texts; every number and word
// in them is written by the core, as in the window's section.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "core/drop_summary.h"
#include "core/numeric.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

// "key":"value", the value escaped for JSON.
void AppendMember(std::string& out, std::string_view key, std::string_view value) {
  out += '"';
  out += key;
  out += "\":\"";
  for (const char c : value) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
      out += escape;
    } else {
      out += c;  // UTF-8 passes through
    }
  }
  out += '"';
}

// The quantities the section shows, in the order of its frames; the first three are typed in.
constexpr DropQuantity kShown[] = {DropQuantity::Length, DropQuantity::Temperature,
                                   DropQuantity::MaxDrop, DropQuantity::Outlet};

std::string Tables() {
  std::string out = "{";
  AppendMember(out, "title", kDropSectionTitle);
  out += ',';
  AppendMember(out, "hint", kDropSectionHint);
  out += ',';
  AppendMember(out, "noLine", kDropNoLine);
  out += ",\"quantities\":[";
  for (const DropQuantity quantity : kShown) {
    const DropQuantityInfo& info = DropQuantityOf(quantity);
    if (out.back() == '}') out += ',';
    out += '{';
    AppendMember(out, "name", info.name);
    out += ',';
    AppendMember(out, "caption", DropCaption(quantity));
    out += ',';
    AppendMember(out, "value", info.default_value ? FormatGeneral(*info.default_value) : "");
    out += '}';
  }
  return out + "]}";
}

std::optional<std::string> Typed(std::string_view text) {
  if (text.find_first_not_of(" \t") == std::string_view::npos) return std::nullopt;
  return std::string(text);
}

}  // namespace
}  // namespace tarnivel

extern "C" {

// The section's words and its frames: {"title":"压降","hint":"...","noLine":"...",
// "quantities":[{"name":"length","caption":"管长（m）","value":""},...]}.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_drop_tables() {
  static const std::string tables = tarnivel::Tables();
  return tables.c_str();
}

// The section's answer for the line that the calculation whose button is `control` left in
// the four fields (in the order of the fields table), with the pipe the strip shows in
// `series`: {"outlet":"0.381019959228062","line":"...","overLimit":false}. A control that
// names no calculation gives {}. The answer stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_drop(const char* control, const char* series,
                                               const char* first, const char* second,
                                               const char* third, const char* fourth,
                                               const char* length, const char* temperature,
                                               const char* max_drop) {
  using namespace tarnivel;
  static std::string answer;
  answer = "{}";
  TextFields fields;
  const char* const texts[] = {first, second, third, fourth};
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    fields.Write(kInputFields[i].field, texts[i]);
  }
  for (const CalculationInfo& info : kCalculations) {
    if (info.control != control) continue;
    DropTexts line = StripLine(info.calculation, fields, series);
    line[DropQuantity::Length] = length;
    line[DropQuantity::Temperature] = Typed(temperature);
    line[DropQuantity::MaxDrop] = Typed(max_drop);
    const DropSummary summary = SummariseDrop(line);
    answer = "{";
    AppendMember(answer, "outlet", summary.outlet);
    answer += ',';
    AppendMember(answer, "line", summary.line);
    answer += summary.over_limit ? ",\"overLimit\":true}" : ",\"overLimit\":false}";
  }
  return answer.c_str();
}

}  // extern "C"
