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

// The section's own words, in the program's Chinese. %1 and %2 stand for numbers.
inline constexpr std::string_view kDropSectionTitle = "压降";
inline constexpr std::string_view kDropSectionHint = "管道末端的压力：按所选管道或流通直径计算";
inline constexpr std::string_view kDropNoLine = "计算后显示管道末端的压力";
inline constexpr std::string_view kDropEnterLength = "请输入管长";
inline constexpr std::string_view kDropAmount = "内径 %1 mm · 压降 %2 kPa";
inline constexpr std::string_view kDropOverLimit = "，超过允许压降 %1 kPa";
inline constexpr std::string_view kDropRunsOut = "内径 %1 mm：表压在 %2 m 处降到零，气体到不了管末";
inline constexpr std::string_view kDropOutOfRange = "%1 超出适用范围";

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

// The line a pipe strip describes once `calculation` has left `fields`: their pressure and
// flow; after a diameter calculation the bore of the pipe the strip shows in `series`, else
// (and past the series' largest pipe) the diameter field's text; the series' roughness.
DropTexts StripLine(Calculation calculation, const FieldSet& fields, std::string_view series);

// A frame's caption: the quantity and its unit, «管长（m）»; a number without a unit alone.
std::string DropCaption(DropQuantity quantity);

struct DropSummary {
  std::string outlet;       // MPa gauge, 15 digits; empty without an outlet
  std::string line;         // what to say beside it
  bool over_limit = false;  // the drop exceeds the allowed one
};

// Every text SummariseDrop may hand to its Translate, for a front end that translates them
// ahead of time (the page, from its dictionary).
std::vector<std::string> DropSummaryWords();

// The line `texts` describes, the limit among its parameters (MaxDrop); a blank length is
// asked for, a blank limit is none.
DropSummary SummariseDrop(const DropTexts& texts, const Translate& translate = {});

}  // namespace tarnivel
