// The pipe tables built into the program. Each row: designation, outside diameter and wall in
// mm as the standard prints them.
#include <array>
#include <string_view>

#include "core/pipes.h"

namespace tarnivel {
namespace {

struct Row {
  std::string_view designation, outside, wall;
};

// Seamless and welded steel pipe, ASME B36.10M, Schedule 40, NPS 1/2 to 24 by their DN.
// (NPS 22 has no Schedule 40 wall in the standard.)
constexpr Row kSteelSchedule40[] = {
    {"DN15", "21.3", "2.77"},    {"DN20", "26.7", "2.87"},   {"DN25", "33.4", "3.38"},
    {"DN32", "42.2", "3.56"},    {"DN40", "48.3", "3.68"},   {"DN50", "60.3", "3.91"},
    {"DN65", "73", "5.16"},      {"DN80", "88.9", "5.49"},   {"DN90", "101.6", "5.74"},
    {"DN100", "114.3", "6.02"},  {"DN125", "141.3", "6.55"}, {"DN150", "168.3", "7.11"},
    {"DN200", "219.1", "8.18"},  {"DN250", "273", "9.27"},   {"DN300", "323.8", "10.31"},
    {"DN350", "355.6", "11.13"}, {"DN400", "406.4", "12.7"}, {"DN450", "457", "14.27"},
    {"DN500", "508", "15.09"},   {"DN600", "610", "17.48"},
};

// Polyethylene gas pipe by outside diameter, SDR 11 and SDR 17, walls as printed in the
// dimension tables of ISO 4437-2, EN 1555-2 and GB/T 15558.1, which take them from ISO 4065's
// pipe series S5 (SDR 11) and S8 (SDR 17) and raise any below 3.0 mm to the gas pipe's minimum
// of 3.0 mm. Those printed walls are not outside / SDR under one rounding rule: ISO 4065
// computes them from the exact series values, so de75 SDR 11 is 6.8 and de630 SDR 17 is 37.4.
// The smallest SDR 17 sizes (de20 to de32) are not printed; they keep the 3.0 mm minimum.
constexpr Row kPeSdr11[] = {
    {"de20", "20", "3.0"},    {"de25", "25", "3.0"},    {"de32", "32", "3.0"},
    {"de40", "40", "3.7"},    {"de50", "50", "4.6"},    {"de63", "63", "5.8"},
    {"de75", "75", "6.8"},    {"de90", "90", "8.2"},    {"de110", "110", "10.0"},
    {"de125", "125", "11.4"}, {"de140", "140", "12.7"}, {"de160", "160", "14.6"},
    {"de180", "180", "16.4"}, {"de200", "200", "18.2"}, {"de225", "225", "20.5"},
    {"de250", "250", "22.7"}, {"de280", "280", "25.4"}, {"de315", "315", "28.6"},
    {"de355", "355", "32.2"}, {"de400", "400", "36.3"}, {"de450", "450", "40.9"},
    {"de500", "500", "45.4"}, {"de560", "560", "50.8"}, {"de630", "630", "57.2"},
};

constexpr Row kPeSdr17[] = {
    {"de20", "20", "3.0"},    {"de25", "25", "3.0"},    {"de32", "32", "3.0"},
    {"de40", "40", "3.0"},    {"de50", "50", "3.0"},    {"de63", "63", "3.8"},
    {"de75", "75", "4.5"},    {"de90", "90", "5.4"},    {"de110", "110", "6.6"},
    {"de125", "125", "7.4"},  {"de140", "140", "8.3"},  {"de160", "160", "9.5"},
    {"de180", "180", "10.7"}, {"de200", "200", "11.9"}, {"de225", "225", "13.4"},
    {"de250", "250", "14.8"}, {"de280", "280", "16.6"}, {"de315", "315", "18.7"},
    {"de355", "355", "21.1"}, {"de400", "400", "23.7"}, {"de450", "450", "26.7"},
    {"de500", "500", "29.7"}, {"de560", "560", "33.2"}, {"de630", "630", "37.4"},
};

// The wall of a polyethylene pipe is far smoother than steel's: the urban gas design code
// (GB 50028, §6.2.5) takes 0.01 mm for it, against 0.1 mm for steel (kNewSteelRoughnessMm).
constexpr double kPolyethyleneRoughnessMm = 0.01;

PipeSeries SeriesOf(std::string_view name, std::span<const Row> rows, double roughness_mm) {
  PipeSeries series{std::string(name), {}, roughness_mm};
  for (const Row& row : rows) {
    series.pipes.push_back({std::string(row.designation), *ParseMillimetres(row.outside),
                            *ParseMillimetres(row.wall)});
  }
  return series;
}

}  // namespace

std::span<const PipeSeries> BuiltInSeries() {
  static const std::array<PipeSeries, 3> kSeries = {
      SeriesOf("steel", kSteelSchedule40, kNewSteelRoughnessMm),
      SeriesOf("pe-sdr11", kPeSdr11, kPolyethyleneRoughnessMm),
      SeriesOf("pe-sdr17", kPeSdr17, kPolyethyleneRoughnessMm),
  };
  return kSeries;
}

}  // namespace tarnivel
