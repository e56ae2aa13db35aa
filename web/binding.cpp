// The page's way into the core: its script asks for the tables it builds the window from and
// hands over the four field texts for a calculation; the answers are JSON texts. Everything
// the page shows of a number or a message is written here, by the core.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "core/drop_summary.h"
#include "core/layout.h"
#include "core/numeric.h"
#include "core/pipe_summary.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "web/json_text.h"

namespace tarnivel {
namespace {

// The texts of the page's fields, remembering which ones a calculation wrote.
class PageFields final : public FieldSet {
 public:
  std::string Read(Field field) const override { return texts_.Read(field); }
  void Write(Field field, std::string_view text) override {
    texts_.Write(field, text);
    written_[static_cast<std::size_t>(field)] = true;
  }
  // Sets a text as the user typed it: not a write of the calculation.
  void Fill(Field field, std::string_view text) { texts_.Write(field, text); }
  bool Written(Field field) const { return written_[static_cast<std::size_t>(field)]; }

 private:
  TextFields texts_;
  std::array<bool, kFieldCount> written_{};
};

// The line below the buttons, as the last calculation left it; like the window's strip it
// outlives a calculation, for the series chooser to redescribe the same result.
PipeSummary& Summary() {
  static PipeSummary summary;
  return summary;
}

// The words of the strip in the page's language, as the page last gave them.
SummaryWords& Words() {
  static SummaryWords words;
  return words;
}

// "pipe":"de125×11.4 · ...","basis":"绝压 ...": the strip's lines for the series `series`.
void AppendStrip(std::string& out, std::string_view series) {
  const SummaryLines lines = Summary().Lines(series, Words());
  AppendMember(out, "pipe", lines.pipe);
  out += ',';
  AppendMember(out, "basis", lines.basis);
}

// The texts of the pressure-drop section, in the order of its typed fields, when `open` is not
// empty: with an allowed drop, the strip's pipe meets both the velocity and the drop.
void FollowSection(const char* open, const std::array<const char*, 3>& typed) {
  if (*open == '\0') {
    Summary().SetLine(std::nullopt);
    return;
  }
  DropParameters line;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (!IsBlankText(typed[i])) line[kDropSectionFields[i].quantity] = typed[i];
  }
  Summary().SetLine(line);
}

// {"pipe":"...","basis":"..."}: the strip for the series called `series`.
std::string StripAnswer(std::string_view series) {
  std::string out = "{";
  AppendStrip(out, series);
  out += '}';
  return out;
}

// {"fields":{"TV":"8.84194143371033"},"prompt":"...","focus":"TD","fault":"...","pipe":"...",
// "basis":"..."}:
// the texts written (also when a fault stopped the calculation half way), then what to tell
// the user, then the line below the buttons for the series called `series`.
std::string Run(Calculation calculation, PageFields& fields, std::string_view series) {
  std::string prompt, focus, fault;
  Summary().Clear();
  const CalcOutcome outcome = Calculate(calculation, fields);
  if (outcome.fault) {
    fault = FaultDescription(*outcome.fault);
  } else {
    prompt = PromptText(outcome.prompt);
    if (outcome.focus) focus = ControlName(*outcome.focus);
    if (outcome.prompt == Prompt::None) Summary().Show(calculation, fields);
  }
  std::string out = "{\"fields\":{";
  bool first = true;
  for (const Field field : kAllFields) {
    if (!fields.Written(field)) continue;
    if (!first) out += ',';
    first = false;
    AppendMember(out, ControlName(field), fields.Read(field));
  }
  out += '}';
  const std::array<std::pair<std::string_view, std::string_view>, 3> messages{
      {{"prompt", prompt}, {"focus", focus}, {"fault", fault}}};
  for (const auto& [key, value] : messages) {
    if (value.empty()) continue;
    out += ',';
    AppendMember(out, key, value);
  }
  out += ',';
  AppendStrip(out, series);
  out += '}';
  return out;
}

// [{"control":"TP","caption":"..."},...] for the rows of either table.
template <typename Table>
void AppendControls(std::string& out, const Table& table) {
  out += '[';
  for (const auto& row : table)
    AppendObject(out, {{"control", row.control}, {"caption", row.caption}});
  out += ']';
}

// {"left":360,"top":120,...}: a place of the layout, in twips.
void AppendPlace(std::string& out, const Placement& place) {
  if (!out.empty() && out.back() == '}') out += ',';
  out += '{';
  AppendMember(out, "control", place.control);
  out += ',';
  AppendMember(out, "container", place.container);
  const std::array<std::pair<std::string_view, int>, 4> numbers{
      {{"left", place.left}, {"top", place.top}, {"width", place.width}, {"height", place.height}}};
  for (const auto& [key, value] : numbers) {
    out += ',';
    AppendJson(out, key);
    out += ':' + std::to_string(value);
  }
  out += '}';
}

// {"title":"Tarnivel 1.0","client":[4890,3105],"layout":[...],"tabOrder":[...],"fields":[...],
// "calculations":[...],"series":[{"series":"steel","label":"Sch40","description":"..."},...],
// "firstSeries":"pe-sdr11","seriesHint":"..."}, each in its order.
std::string Tables() {
  std::string out = "{";
  AppendMember(out, "title", kWindowTitle);
  out += ",\"client\":[" + std::to_string(kClassicClientWidth) + ',' +
         std::to_string(kClientHeight) + "],\"layout\":[";
  for (const Placement& place : kLayout) AppendPlace(out, place);
  out += "],\"tabOrder\":[";
  for (std::string_view control : kTabOrder) {
    if (out.back() != '[') out += ',';
    AppendJson(out, control);
  }
  out += "],\"fields\":";
  AppendControls(out, kInputFields);
  out += ",\"calculations\":";
  AppendControls(out, kCalculations);
  out += ",\"series\":[";
  for (const PipeSeries& series : BuiltInSeries()) {
    const SeriesLabel label = LabelOf(series.name);
    AppendObject(
        out, {{"series", series.name}, {"label", label.label}, {"description", label.description}});
  }
  out += "],";
  AppendMember(out, "firstSeries", kFirstSeries);
  out += ',';
  AppendMember(out, "seriesHint", kSeriesHint);
  out += '}';
  return out;
}

}  // namespace
}  // namespace tarnivel

extern "C" {

// The tables of fields and calculations, in their order. Written into the page when it is
// built (write_tables.cpp), so the page's own core leaves them out.
const char* tarnivel_tables() {
  static const std::string tables = tarnivel::Tables();
  return tables.c_str();
}

// Runs the calculation whose button is `control` ("CMD1", "CMD2", "dia") over the four field
// texts, given in the order of the fields table; the line below the buttons describes it in
// the pipe series called `series`, following the pressure-drop section while `open` is not
// empty, with the texts of its three typed fields. The answer stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_calculate(const char* control, const char* series,
                                                    const char* first, const char* second,
                                                    const char* third, const char* fourth,
                                                    const char* open, const char* length,
                                                    const char* temperature, const char* max_drop) {
  using namespace tarnivel;
  static std::string answer;
  FollowSection(open, {length, temperature, max_drop});
  PageFields fields;
  const std::array<const char*, 4> texts{first, second, third, fourth};
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    fields.Fill(kInputFields[i].field, texts[i]);
  }
  answer = "{}";  // a control that names no calculation: nothing to do
  for (const CalculationInfo& info : kCalculations) {
    if (info.control != control) continue;
    answer = Run(info.calculation, fields, series);
  }
  return answer.c_str();
}

// The strip for the last calculation, now in the pipe series called `series`:
// {"pipe":"...","basis":"..."}, following the pressure-drop section as tarnivel_calculate does.
// The answer stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_strip(const char* series, const char* open,
                                                const char* length, const char* temperature,
                                                const char* max_drop) {
  static std::string answer;
  tarnivel::FollowSection(open, {length, temperature, max_drop});
  answer = tarnivel::StripAnswer(series);
  return answer.c_str();
}

// A field has changed since the last calculation: the strip forgets it, so that another
// series describes nothing rather than numbers the fields no longer hold.
EMSCRIPTEN_KEEPALIVE void tarnivel_forget() { tarnivel::Summary().Clear(); }

// The strip's words in the page's language: bore, absolute pressure, line flow, the
// sentence for a series without a pipe wide enough (%1 the series, %2 the bore) and the one
// for a series without a pipe within the allowed drop (%2 the drop).
EMSCRIPTEN_KEEPALIVE void tarnivel_words(const char* bore, const char* absolute,
                                         const char* line_flow, const char* no_pipe,
                                         const char* no_pipe_within) {
  // Kept here: the summary's words are views.
  static std::array<std::string, 5> texts;
  texts = {bore, absolute, line_flow, no_pipe, no_pipe_within};
  tarnivel::Words() = {texts[0], texts[1], texts[2], texts[3], texts[4]};
}

}  // extern "C"
