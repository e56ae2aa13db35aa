// The page's way to the sheet of the strip's pipe; the line's is in line_binding.cpp, beside
// the reading of its segments.
#include "web/sheet_binding.h"

#include <emscripten/emscripten.h>

#include <optional>

#include "core/numeric.h"
#include "core/sheet/sheet_html.h"
#include "core/sizing.h"
#include "tarnivel_version.h"
#include "web/json_text.h"

namespace tarnivel {

SheetStamp PageStamp(const char* language, const char* project, const char* line,
                     const char* designer, const char* date) {
  SheetStamp stamp;
  stamp.language = SheetLanguageNamed(language).value_or(SheetLanguage::Chinese);
  stamp.title = {project, line, designer};
  stamp.program = std::string("Tarnivel ") + kTarnivelVersion;
  stamp.date = date;
  return stamp;
}

std::string SheetAnswer(const Sheet& sheet) {
  std::string out = "{";
  AppendMember(out, "title", SheetTitle(sheet));
  out += ',';
  AppendMember(out, "html", SheetHtml(sheet));
  return out + '}';
}

}  // namespace tarnivel

extern "C" {

// The sheet of the pipe of `series` for the texts a diameter calculation left in the fields,
// along the line of the pressure-drop section's texts when `open` is "1" and a length is
// typed: the sheet's answer, or {"fault":"..."} when there is no bore to size by.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_pipe_sheet(
    const char* language, const char* project, const char* line, const char* designer,
    const char* date, const char* pressure, const char* velocity, const char* flow,
    const char* series, const char* open, const char* length, const char* temperature,
    const char* max_drop) {
  using namespace tarnivel;
  static std::string answer;
  std::optional<DropParameters> typed;
  if (std::string_view(open) == "1" && !IsBlankText(length)) {
    typed.emplace();
    (*typed)[DropQuantity::Length] = length;
    if (!IsBlankText(temperature)) (*typed)[DropQuantity::Temperature] = temperature;
    if (!IsBlankText(max_drop)) (*typed)[DropQuantity::MaxDrop] = max_drop;
  }
  const PipeSeries* chosen = FindSeries(BuiltInSeries(), series);
  const Sizing sizing =
      chosen == nullptr ? Sizing{}
                        : SizeStripSeries(pressure, velocity, flow, *chosen,
                                          typed.value_or(DropParameters{}));
  if (!sizing.bore_known) {
    answer = "{\"fault\":\"\"}";
    return answer.c_str();
  }
  answer = SheetAnswer(PipeSheet(PageStamp(language, project, line, designer, date),
                                 {pressure, velocity, flow, typed ? &*typed : nullptr, &sizing}));
  return answer.c_str();
}

}  // extern "C"
