// Screen metrics from a window system's list of monitors. Screen coordinates have
// their origin at the primary monitor's top left.
#pragma once

#include <vector>

#include "Seam.h"

namespace seam {

struct Monitor {
  TRect bounds;  // in the window system's own (root) coordinates
  bool primary = false;
};

// The primary monitor (the one flagged so, else the first; the whole root area when
// there is none) in root coordinates.
TRect PrimaryMonitor(const std::vector<Monitor>& monitors, TRect root);

// Metrics in screen coordinates: the primary's size, and the virtual screen (the root
// area) moved so that the primary's top left is the origin.
ScreenMetrics MetricsFor(TRect primary, TRect root, int pixels_per_inch);

// Pixels per inch from an X resource database text ("Xft.dpi: 120"); 96 when absent.
int PixelsPerInchFromResources(const char* resources);

}  // namespace seam
