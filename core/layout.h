#pragma once
// Where the window's controls sit, written down once: the desktop window places its widgets
// from this table and the browser page gets it from its binding, so both draw the same window.
//
// Places are in twips (1/1440 inch), 15 to a pixel at the default font, each relative to its
// container; "form1" is the window's client area. Plain numbers only: no toolkit here.

#include <array>
#include <string_view>

namespace tarnivel {

inline constexpr std::string_view kWindowTitle = "Tarnivel 1.0";
inline constexpr std::string_view kWindowName = "form1";

// The client area as it was drawn before the pipe strip, and with the strip below it.
inline constexpr int kClassicClientWidth = 4890;
inline constexpr int kClassicClientHeight = 2505;
inline constexpr int kClientHeight = 3105;

struct Placement {
  std::string_view control;    // the widget's name, also the page element's id
  std::string_view container;  // the control it sits in
  int left, top, width, height;
};

inline constexpr std::array<Placement, 29> kLayout{{
    {"Frame1", "form1", 360, 120, 1572, 735},
    {"TP", "Frame1", 120, 240, 1332, 375},
    {"Frame2", "form1", 2760, 120, 1812, 735},
    {"TV", "Frame2", 120, 240, 1572, 375},
    {"Frame3", "form1", 360, 960, 1572, 735},
    {"TD", "Frame3", 120, 240, 1332, 375},
    {"Frame4", "form1", 2760, 960, 1812, 735},
    {"TM", "Frame4", 120, 240, 1572, 375},
    {"CMD1", "form1", 240, 1920, 975, 372},
    {"CMD2", "form1", 1440, 1920, 975, 372},
    {"dia", "form1", 2640, 1920, 975, 375},
    {"CMD3", "form1", 3840, 1920, 972, 372},
    {"T5", "form1", 2040, 840, 495, 264},  // the marker field, never shown
    // The strip below the buttons: the pipe, then the basis, each on its own line, beside the
    // series chooser under its label.
    {"pipeStrip", "form1", 120, 2400, 4692, 600},
    {"pipeText", "pipeStrip", 0, 0, 3657, 300},
    {"basisText", "pipeStrip", 0, 300, 3657, 300},
    {"seriesLabel", "pipeStrip", 3702, 0, 990, 240},
    {"series", "pipeStrip", 3702, 240, 990, 360},
    // The pressure-drop section's toggle, in the free space between the two columns of
    // fields, and the section itself, below the client area while it is closed.
    {"dropToggle", "form1", 1950, 1200, 795, 375},
    {"dropSection", "form1", 0, kClientHeight, kClassicClientWidth, 2295},
    // Inside the section, on the grid of the fields above: its frames in their two columns,
    // then two lines of text, for a limit exceeded or the gas running out to be said in full.
    {"lengthFrame", "dropSection", 360, 0, 1572, 735},
    {"drop_length", "lengthFrame", 120, 240, 1332, 375},
    {"temperatureFrame", "dropSection", 2760, 0, 1812, 735},
    {"drop_temperature", "temperatureFrame", 120, 240, 1572, 375},
    {"max_dropFrame", "dropSection", 360, 840, 1572, 735},
    {"drop_max_drop", "max_dropFrame", 120, 240, 1332, 375},
    {"outletFrame", "dropSection", 2760, 840, 1812, 735},
    {"drop_outlet", "outletFrame", 120, 240, 1572, 375},
    {"dropText", "dropSection", 120, 1680, 4452, 555},
}};

// The order Tab walks the controls in; after the last it comes back to the first. Controls
// that are hidden (a closed section's) are passed over.
inline constexpr std::array<std::string_view, 13> kTabOrder{
    "CMD1",         "CMD2", "CMD3",   "TP",         "TV",          "TD",
    "TM",           "dia",  "series", "dropToggle", "drop_length", "drop_temperature",
    "drop_max_drop"};

// The place of `control`, which must be in the table.
constexpr const Placement& PlacementOf(std::string_view control) {
  for (const Placement& placement : kLayout) {
    if (placement.control == control) return placement;
  }
  return kLayout.front();
}

}  // namespace tarnivel
