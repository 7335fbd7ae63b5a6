// The grow-in, watched on the X server from outside: every configure of the launcher's
// window as the server reports it to a client listening on the root window.
#include <gtest/gtest.h>

#include <thread>

#include "harness.h"

using namespace it;
using namespace std::chrono_literals;

namespace {

struct Seen {
  Geometry at;
  bool mapped = false;  // the map event, at the geometry then in force
};

// The sizes and positions the grow-in must pass through on a 1024 x 768 screen, one
// entry per changed value, in the order height, width, left, top.
std::vector<Geometry> ExpectedSteps() {
  std::vector<Geometry> out;
  Geometry g{493, 374, 38, 19};
  while (!(g.width == 466 && g.height == 293)) {
    const auto change = [&](int& field, int value) {
      if (field == value) return;
      field = value;
      out.push_back(g);
    };
    change(g.height, std::min(g.height + 2, 293));
    change(g.width, std::min(g.width + 4, 466));
    change(g.x, (1024 - g.width) / 2);
    change(g.y, (768 - g.height) / 2);
  }
  return out;
}

}  // namespace

TEST(GrowInIT, TheServerSeesOneConfigurePerChangedValueFromTheTinyFirstMapToFullSize) {
  XServer x;
  Display* d = x.dpy();
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);
  Medium m;
  Launcher l(x, m);

  Window launcher = 0;
  std::vector<Seen> seen;
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!XPending(d)) {
      if (!seen.empty() && seen.back().at == Geometry{279, 237, 466, 293}) break;
      std::this_thread::sleep_for(5ms);
      continue;
    }
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == CreateNotify && !launcher) {
      launcher = e.xcreatewindow.window;  // the launcher's is the first window made
      seen.push_back(
          {{e.xcreatewindow.x, e.xcreatewindow.y, e.xcreatewindow.width, e.xcreatewindow.height}});
    } else if (e.type == ConfigureNotify && e.xconfigure.window == launcher) {
      seen.push_back({{e.xconfigure.x, e.xconfigure.y, e.xconfigure.width, e.xconfigure.height}});
    } else if (e.type == MapNotify && e.xmap.window == launcher) {
      seen.push_back({seen.back().at, true});
    }
  }
  ASSERT_EQ(l.Find("frm_utama"), launcher);
  ASSERT_GE(seen.size(), 6u);
  EXPECT_EQ(seen[0].at, (Geometry{402, 256, 466, 293})) << "made at its designed place";
  EXPECT_EQ(seen[1].at, (Geometry{402, 256, 38, 293}));
  EXPECT_EQ(seen[2].at, (Geometry{402, 256, 38, 19}));
  EXPECT_EQ(seen[3].at, (Geometry{493, 256, 38, 19}));
  EXPECT_EQ(seen[4].at, (Geometry{493, 374, 38, 19}));
  ASSERT_TRUE(seen[5].mapped) << "first mapped at 38 x 19, centred";
  EXPECT_EQ(seen[5].at, (Geometry{493, 374, 38, 19}));

  const std::vector<Geometry> want = ExpectedSteps();
  ASSERT_EQ(want.size(), 107u * 4 + 30 * 2);
  std::vector<Geometry> got;
  for (std::size_t i = 6; i < seen.size(); ++i) got.push_back(seen[i].at);
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i)
    ASSERT_EQ(got[i], want[i]) << "configure " << i << ": " << ToString(got[i]) << " instead of "
                               << ToString(want[i]);
  EXPECT_EQ(got.back(), (Geometry{279, 237, 466, 293}));
}
