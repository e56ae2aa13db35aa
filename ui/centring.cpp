#include "ui/centring.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/numeric.h"

namespace tarnivel {
namespace {

// A single-precision size written with 7 significant digits and read back; whole numbers of
// twips below ten million come back unchanged.
double ThroughSingleText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7G", static_cast<double>(value));
  return ParseLeadingNumber(text);
}

float Centre(float screen, float window) {
  const double edge = ThroughSingleText(screen) / 2 - ThroughSingleText(window) / 2;
  if (!std::isfinite(edge) || std::fabs(edge) > std::numeric_limits<float>::max()) {
    throw ArithmeticFault(FaultKind::Overflow);
  }
  return static_cast<float>(edge);
}

}  // namespace

CentredEdges CentredOrigin(float screen_width, float screen_height, float window_width,
                           float window_height) {
  // Top first, then left; a fault keeps what was computed before it.
  CentredEdges edges;
  try {
    edges.top = Centre(screen_height, window_height);
    edges.left = Centre(screen_width, window_width);
  } catch (const ArithmeticFault&) {
  }
  return edges;
}

}  // namespace tarnivel
