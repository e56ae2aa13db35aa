#pragma once
// What the line window and the page's line section say under their table: the total drop, the
// allowed one, the check and how the segments were sized, or why the line has no answer. Both
// show exactly these texts, composed here in the program's Chinese and handed to the front end's
// Translate word by word; the command line says the same in English (core/line/line.h).

#include <string>
#include <string_view>
#include <vector>

#include "core/drop_summary.h"  // Translate
#include "core/line/line.h"

namespace tarnivel {

// %1, %2 ... stand for numbers and names; a number and its unit are joined by a no-break space.
inline constexpr std::string_view kLineSegment = "第 %1 段";
inline constexpr std::string_view kLineSegmentNamed = "第 %1 段（%2）";
inline constexpr std::string_view kLineWhere = "%1：%2";
inline constexpr std::string_view kLineCannotCompute = "无法计算：%1";
inline constexpr std::string_view kLineNoSegments = "至少要有一个管段";
inline constexpr std::string_view kLineNoPipe = "请给出内径或管材";
inline constexpr std::string_view kLineBoreAndSeries = "内径与管材只能给一个";
inline constexpr std::string_view kLinePipeWithoutSeries = "给出规格时须给出管材";
inline constexpr std::string_view kLineUnknownSeries = "没有管材“%1”";
inline constexpr std::string_view kLineUnknownPipe = "管材中没有规格“%1”";
inline constexpr std::string_view kLineNoAllowance =
    "只给管材的管段按允许压降选管：请给出允许压降，低压管线也可给燃具额定压力";
inline constexpr std::string_view kLineTwoAllowances = "允许压降与燃具额定压力只能给一个";
inline constexpr std::string_view kLineApplianceNotLow =
    "燃具额定压力只用于低压管线（入口压强 < 0.01\u00a0MPa）：请给出允许压降";
inline constexpr std::string_view kLineTotal = "总压降 %1";
inline constexpr std::string_view kLineAllowed = "允许压降 %1";
inline constexpr std::string_view kLineNotChecked = "未给允许压降，不校核";
inline constexpr std::string_view kLinePassed = "校核通过";
inline constexpr std::string_view kLineFailed = "校核未通过：%1";
inline constexpr std::string_view kLineOver = "总压降超过允许压降";
inline constexpr std::string_view kLineRunsOut = "表压在%1的 %2 处降到零（该段长 %3）";
inline constexpr std::string_view kLineNoBudget = "%1 已无剩余的允许压降可用于选管";
inline constexpr std::string_view kLineNoPipeWithin = "%1 的管材中没有单位长度损失不超过 %2 的管";
inline constexpr std::string_view kLineNoPipeWithinVelocity =
    "%1 的管材中没有单位长度损失不超过 %2、流速不超过 %3 的管";
inline constexpr std::string_view kLineSized = "* 按单位长度允许压降 %1 选管";
inline constexpr std::string_view kLineHeadNotCounted = "中压和高压管线不计附加压头";
inline constexpr std::string_view kLineSeparator = "；";

// The units a front end shows a line's drops and pressures in: Pa at low pressure, as its form
// computes them, else kPa and MPa; and what the core's kPa and MPa are multiplied by for them.
struct LineUnits {
  std::string_view drop;
  std::string_view pressure;
  double drop_scale = 1;      // from kPa
  double pressure_scale = 1;  // from MPa
};
[[nodiscard]] LineUnits LineUnitsOf(PressureForm form);

// Why the line has no answer: «无法计算：第 2 段（yard）：管长 超出适用范围».
[[nodiscard]] std::string LineFaultText(const LineFault& fault, const Translate& translate);

struct LineSummary {
  std::string text;     // the totals, the check, the sizing and any note, one line
  bool passed = false;  // within the allowed drop, or none given: shown in green, else red
};
[[nodiscard]] LineSummary SummariseLine(const GasLine& line, const GasLineResult& result,
                                        const Translate& translate);

// Every text the two functions above may hand to their Translate, for a front end that
// translates them ahead of time (the page, from its dictionary).
[[nodiscard]] std::vector<std::string> LineSummaryWords();

}  // namespace tarnivel
