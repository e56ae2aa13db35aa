// The page's way into the pressure drop: the section's captions and words, and what it shows
// for the line the pipe strip describes. The answers are JSON texts; every number and word
// in them is written by the core, as in the window's section.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/drop_summary.h"
#include "core/line/line_summary.h"
#include "core/numeric.h"
#include "core/quantities.h"
#include "web/json_text.h"
#include "web/page_words.h"

namespace tarnivel {
namespace {

// {"title":"压降","hint":"...","noLine":"...","fields":[{"control":"drop_length",
// "caption":"管长（m）","value":""},...],"words":["请输入管长",...]}: the section's words in
// the core's Chinese, its fields in the order of their frames, and every text its answers may
// hold, for the page to give their translations back (tarnivel_drop_word).
std::string Tables() {
  std::string out = "{";
  AppendMember(out, "title", kDropSectionTitle);
  out += ',';
  AppendMember(out, "hint", kDropSectionHint);
  out += ',';
  AppendMember(out, "noLine", kDropNoLine);
  out += ",\"fields\":[";
  for (const DropSectionField& field : kDropSectionFields) {
    const DropQuantityInfo& info = DropQuantityOf(field.quantity);
    if (out.back() == '}') out += ',';
    out += '{';
    AppendMember(out, "control", field.control);
    out += ',';
    AppendMember(out, "caption", DropCaption(field.quantity));
    out += ',';
    AppendMember(out, "value", info.default_value ? FormatGeneral(*info.default_value) : "");
    out += '}';
  }
  out += "],\"words\":[";
  // The line section's words too: the page gives them all the same way.
  std::vector<std::string> words = DropSummaryWords();
  for (std::string& word : LineSummaryWords()) words.push_back(std::move(word));
  for (const std::string& word : words) {
    if (out.back() != '[') out += ',';
    AppendJson(out, word);
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

// The section's words, fields and the texts its answers may hold (Tables above). Written into
// the page when it is built (write_tables.cpp), so the page's own core leaves them out.
const char* tarnivel_drop_tables() {
  static const std::string tables = tarnivel::Tables();
  return tables.c_str();
}

// The page's language for one of the words of the tables: `translation` stands for `source`
// in every answer from now on.
EMSCRIPTEN_KEEPALIVE void tarnivel_drop_word(const char* source, const char* translation) {
  tarnivel::AddPageWord(source, translation);
}

// The section's answer for the line that the calculation whose button is `control` left in
// the four fields (in the order of the fields table), with the pipe the strip shows in
// `series`, and the texts of the section's three typed fields in their order:
// {"outlet":"0.381019959228062","line":"...","overLimit":false}, in the page's words. A
// control that names no calculation gives {}. The answer stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_drop(const char* control, const char* series,
                                               const char* first, const char* second,
                                               const char* third, const char* fourth,
                                               const char* first_typed, const char* second_typed,
                                               const char* third_typed) {
  using namespace tarnivel;
  static std::string answer;
  answer = "{}";
  TextFields fields;
  const char* const texts[] = {first, second, third, fourth};
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    fields.Write(kInputFields[i].field, texts[i]);
  }
  // The typed fields come first in the section's table, the outlet it writes last.
  const char* const typed[] = {first_typed, second_typed, third_typed};
  static_assert(std::size(typed) + 1 == kDropSectionFields.size());
  for (const CalculationInfo& info : kCalculations) {
    if (info.control != control) continue;
    DropParameters line;
    for (std::size_t i = 0; i < std::size(typed); ++i) {
      line[kDropSectionFields[i].quantity] = Typed(typed[i]);
    }
    const DropSummary summary =
        SummariseStripDrop(info.calculation, fields, series, line, Translated);
    answer = "{";
    AppendMember(answer, "outlet", summary.outlet);
    answer += ',';
    AppendMember(answer, "line", summary.line);
    answer += summary.over_limit ? ",\"overLimit\":true}" : ",\"overLimit\":false}";
  }
  return answer.c_str();
}

}  // extern "C"
