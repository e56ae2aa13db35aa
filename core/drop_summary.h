#pragma once
// What a front end's pressure-drop section says about a line: the outlet gauge pressure as
// `tarnivel drop` prints it, and one line of text with the drop, a limit exceeded, the length
// at which the gas runs out or why there is no answer. The desktop window and the browser page
// both show exactly these texts, so they are written here, numbers included.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pressure_drop.h"
#include "core/quantities.h"

namespace tarnivel {

// The section's own words, in the program's Chinese. %1 to %4 stand for numbers and names; a
// number and its unit are joined by a no-break space, so that a wrapped line keeps them together.
inline constexpr std::string_view kDropSectionTitle = "压降";
inline constexpr std::string_view kDropSectionHint = "管道末端的压力：按所选管道或流通直径计算";
inline constexpr std::string_view kDropNoLine = "计算后显示管道末端的压力";
inline constexpr std::string_view kDropEnterLength = "请输入管长";
inline constexpr std::string_view kDropAmount = "内径 %1\u00a0mm · 压降 %2\u00a0kPa";
inline constexpr std::string_view kDropOverLimit = "，超过允许压降 %1\u00a0kPa";
inline constexpr std::string_view kDropRunsOut =
    "内径 %1\u00a0mm：表压在 %2\u00a0m 处降到零，气体到不了管末";
inline constexpr std::string_view kDropOutOfRange = "%1 超出适用范围";
inline constexpr std::string_view kDropLimitNotPositive = "允许压降须大于 0\u00a0kPa";
// Which check chose the strip's pipe, when an allowed drop is given.
inline constexpr std::string_view kDropByVelocity = "按流速选管";
inline constexpr std::string_view kDropByDrop = "按压降选管";
// No pipe, and so no outlet: %1 the series, %2 the bore required or the allowed drop.
inline constexpr std::string_view kDropNoPipe = "%1 中没有内径 ≥ %2\u00a0mm 的管，无出口压力";
inline constexpr std::string_view kDropNoPipeWithin =
    "%1 中没有压降不超过 %2\u00a0kPa 的管，无出口压力";
// The friction band of the line, and a Reynolds number near the edge of one (%1 Re, %2 the edge).
inline constexpr std::string_view kDropLaminar = "层流";
inline constexpr std::string_view kDropTransitional = "临界区";
inline constexpr std::string_view kDropTurbulent = "紊流";
inline constexpr std::string_view kDropNearBandEdge = "Re %1 接近 %2，压降可能差几个百分点";
// Notes, never refusals: %1 the quantity, %2 its value and unit, %3 and %4 the usual range.
inline constexpr std::string_view kDropUnusual = "%1 %2 不在常见的 %3 至 %4 内，单位对吗？";
inline constexpr std::string_view kDropReadInPart = "%1 只读了开头：按 %2 计算";

// The section's fields, in the order of its frames: three typed in, then the outlet it writes.
// The layout table places each text box, in its frame (core/layout.h).
struct DropSectionField {
  DropQuantity quantity;
  std::string_view control;  // the text box, also the page element's id
};
inline constexpr std::array<DropSectionField, 4> kDropSectionFields{{
    {DropQuantity::Length, "drop_length"},
    {DropQuantity::Temperature, "drop_temperature"},
    {DropQuantity::MaxDrop, "drop_max_drop"},
    {DropQuantity::Outlet, "drop_outlet"},
}};

// Turns one of the core's Chinese texts into the front end's language.
using Translate = std::function<std::string(std::string_view)>;

// A frame's caption: the quantity and its unit, «管长（m）»; a number without a unit alone.
std::string DropCaption(DropQuantity quantity);

struct DropSummary {
  std::string outlet;       // MPa gauge, 15 digits; empty without an outlet
  std::string line;         // what to say beside it
  bool over_limit = false;  // the drop exceeds the allowed one
};

// Every text SummariseStripDrop may hand to its Translate, for a front end that translates them
// ahead of time (the page, from its dictionary).
std::vector<std::string> DropSummaryWords();

// What the section shows for the line the strip describes after `calculation` left `fields`, in
// `series`, with the texts typed into the section (`typed`: length, temperature, allowed drop).
// After a diameter calculation the pipe is the strip's (SizeStripSeries): with an allowed drop, the
// one `tarnivel pipe --length --max-drop` chooses, and the line says which check decided.
DropSummary SummariseStripDrop(Calculation calculation, const FieldSet& fields,
                               std::string_view series, const DropParameters& typed,
                               const Translate& translate = {});

}  // namespace tarnivel
