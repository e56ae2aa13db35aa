#pragma once
// The two lines a front end shows below its buttons: after a diameter calculation, the standard
// pipe of the series the user picked with the velocity in it; and the basis of the last
// calculation (absolute pressure, flow at line conditions). The desktop window and the browser
// page both show exactly these texts, so they are written here, numbers included.

#include <optional>
#include <string>
#include <string_view>

#include "core/fields.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "core/sizing.h"

namespace tarnivel {

inline constexpr std::string_view kFirstSeries = "pe-sdr11";  // the usual gas distribution pipe
inline constexpr std::string_view kSeriesHint = "管道系列：内径不小于计算直径的最小管";

// The words of the lines around their numbers; a front end in another language gives its own.
struct SummaryWords {
  std::string_view bore = "内径";                           // «内径 102.2 mm»
  std::string_view absolute = "绝压";                       // «绝压 0.4 MPa»
  std::string_view line_flow = "工况流量";                  // «工况流量 250 m³/h»
  std::string_view no_pipe = "%1 中没有内径 ≥ %2 mm 的管";  // %1 the series, %2 the bore
  // With an allowed drop (%2) that no pipe the velocity allows meets.
  std::string_view no_pipe_within = "%1 中没有压降不超过 %2 kPa 的管";
};

struct SummaryLines {
  std::string pipe;   // «de125×11.4 · 内径 102.2 mm · 8.47 m/s»; empty but after a diameter
  std::string basis;  // «绝压 0.4 MPa · 工况流量 250 m³/h»
};

// What the lines say. After a diameter calculation it holds the sizing in every built-in
// series, so that picking another series redescribes the same result without computing again.
class PipeSummary {
 public:
  // After `calculation` has succeeded on `fields`.
  void Show(Calculation calculation, const FieldSet& fields);
  // After a prompt or a fault: both lines are empty.
  void Clear();
  // The texts typed into the pressure-drop section while it is open (none while it is closed):
  // with a length and an allowed drop, the pipe is the one that meets both the velocity and
  // the drop (SizeStripSeries), as the section describes it.
  void SetLine(std::optional<DropParameters> line);
  // The lines for the built-in series `series` names (a name or a label); without a pipe for a
  // text that names none of them.
  SummaryLines Lines(std::string_view series, const SummaryWords& words = {}) const;

 private:
  std::string PipeLine(std::string_view series, const SummaryWords& words) const;

  std::optional<Calculation> shown_;                      // the calculation the lines describe
  std::string pressure_, velocity_, flow_;                // the texts it read
  std::optional<DropParameters> line_;                    // the section's texts, while open
  std::optional<Sizing> sizing_;                          // after a diameter calculation
  std::optional<double> absolute_mpa_, actual_flow_m3h_;  // the basis, when it has numbers
};

}  // namespace tarnivel
