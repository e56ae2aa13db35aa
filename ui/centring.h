#pragma once
// Where the window goes when it opens: the middle of the screen, in twips.

#include <optional>

namespace tarnivel {

// The outer edges of a window of outer size `window_width` x `window_height` centred on a
// screen of `screen_width` x `screen_height`, all in twips. Each size goes through the
// single-precision text round trip the measurements have always taken; an edge that cannot be
// computed is left where the desktop put it (nullopt).
struct CentredEdges {
  std::optional<float> left;
  std::optional<float> top;
};
CentredEdges CentredOrigin(float screen_width, float screen_height, float window_width,
                           float window_height);

// Where a window's outer top edge goes when the window has grown downwards to `bottom`: up by as
// much as its bottom is past the bottom of the screen's free area, never above the area's top.
// Pixels.
int TopKeptOnScreen(int top, int bottom, int area_top, int area_bottom);

}  // namespace tarnivel
