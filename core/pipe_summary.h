#pragma once
// The line a front end shows below its buttons: the basis of the last calculation (absolute
// pressure, flow at line conditions) and, after a diameter calculation, the standard pipe of
// the series the user picked, with the velocity in it. The desktop window and the browser page
// both show exactly this text, so it is written here, numbers included.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/fields.h"
#include "core/quantities.h"

namespace tarnivel {

// A chooser's short caption of a built-in series, and the long one of its tooltip.
struct SeriesLabel {
  std::string_view series;
  std::string_view label;
  std::string_view description;
};
inline constexpr std::array<SeriesLabel, 3> kSeriesLabels{{
    {"steel", "Sch40", "钢管 ASME B36.10M Schedule 40"},
    {"pe-sdr11", "SDR11", "聚乙烯燃气管 SDR11"},
    {"pe-sdr17", "SDR17", "聚乙烯燃气管 SDR17"},
}};
inline constexpr std::string_view kFirstSeries = "pe-sdr11";  // the usual gas distribution pipe
inline constexpr std::string_view kSeriesHint = "管道系列：内径不小于计算直径的最小管";

// The label of `series`; a series without one is labelled by its name.
SeriesLabel LabelOf(std::string_view series);

// The words of the line around its numbers; a front end in another language gives its own.
struct SummaryWords {
  std::string_view bore = "内径";                           // «内径 102.2 mm»
  std::string_view absolute = "绝压";                       // «绝压 0.4 MPa»
  std::string_view line_flow = "工况流量";                  // «工况流量 250 m³/h»
  std::string_view no_pipe = "%1 中没有内径 ≥ %2 mm 的管";  // %1 the series, %2 the bore
};

// The strip's two lines: the pipe with the velocity in it, then the basis of the result.
struct SummaryLines {
  std::string pipe;
  std::string basis;
};

// What the line says; it remembers the texts of the last calculation, so that picking another
// series redescribes the same result.
class PipeSummary {
 public:
  // After `calculation` has succeeded on `fields`.
  void Show(Calculation calculation, const FieldSet& fields);
  // After a prompt or a fault: the line is empty.
  void Clear();
  // «de125×11.4 · 内径 102.2 mm · 8.47 m/s · 绝压 0.4 MPa · 工况流量 250 m³/h» for the built-in
  // series called `series`; without a pipe part for a name that is none of them.
  std::string Text(std::string_view series, const SummaryWords& words = {}) const;
  // The same, as the pipe part and the basis part; either may be empty.
  SummaryLines Lines(std::string_view series, const SummaryWords& words = {}) const;

 private:
  std::string PipeText(std::string_view series, const SummaryWords& words) const;
  std::string BasisText(const SummaryWords& words) const;

  std::optional<Calculation> shown_;  // the calculation the line describes
  std::string pressure_, velocity_, flow_;
};

}  // namespace tarnivel
