#include "Monitors.h"

#include <cstdlib>
#include <cstring>

namespace seam {

TRect PrimaryMonitor(const std::vector<Monitor>& monitors, TRect root) {
  const Monitor* pick = nullptr;
  for (const Monitor& m : monitors) {
    if (m.bounds.Width <= 0 || m.bounds.Height <= 0) continue;
    if (!pick || (m.primary && !pick->primary)) pick = &m;
  }
  return pick ? pick->bounds : root;
}

ScreenMetrics MetricsFor(TRect primary, TRect root, int pixels_per_inch) {
  return {primary.Width,
          primary.Height,
          {root.Left - primary.Left, root.Top - primary.Top, root.Width, root.Height},
          pixels_per_inch};
}

int PixelsPerInchFromResources(const char* db) {
  for (const char* line = db; line && *line;) {
    while (*line == ' ' || *line == '\t') ++line;
    if (std::strncmp(line, "Xft.dpi", 7) == 0) {
      const char* p = line + 7;
      while (*p == ' ' || *p == '\t') ++p;
      if (*p == ':') {
        const double dpi = std::strtod(p + 1, nullptr);
        if (dpi >= 24 && dpi <= 960) return int(dpi + 0.5);
      }
    }
    line = std::strchr(line, '\n');
    if (line) ++line;
  }
  return 96;
}

}  // namespace seam
