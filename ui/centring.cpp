#include "ui/centring.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "core/numeric.h"

namespace tarnivel {
namespace {

// A single-precision size written with 7 significant digits and read back; whole numbers of
// twips below ten million come back unchanged.
double ThroughSingleText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7G", static_cast<double>(value));
  return ReadLeadingNumber(text).value;  // never out of range: a float's text
}

// The edge, or nothing when it overflows a float.
std::optional<float> Centre(float screen, float window) {
  const double edge = ThroughSingleText(screen) / 2 - ThroughSingleText(window) / 2;
  if (!std::isfinite(edge) || std::fabs(edge) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<float>(edge);
}

}  // namespace

int TopKeptOnScreen(int top, int bottom, int area_top, int area_bottom) {
  if (bottom <= area_bottom) return top;
  return std::max(area_top, top - (bottom - area_bottom));
}

CentredEdges CentredOrigin(float screen_width, float screen_height, float window_width,
                           float window_height) {
  // Top first, then left; a fault keeps what was computed before it.
  CentredEdges edges;
  const std::optional<float> top = Centre(screen_height, window_height);
  if (!top) return edges;
  edges.top = *top;
  const std::optional<float> left = Centre(screen_width, window_width);
  if (left) edges.left = *left;
  return edges;
}

}  // namespace tarnivel
