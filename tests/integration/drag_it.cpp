// Dragging the launcher, on a bare server and under a real window manager.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <thread>

#include "harness.h"

using namespace it;
using namespace std::chrono_literals;

namespace {

class DragIT : public ::testing::TestWithParam<bool> {
 protected:
  DragIT() {
    if (GetParam()) x.StartWindowManager();
  }
  XServer x;
  Medium m;
};

std::string Desktop(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "WithOpenbox" : "OnABareServer";
}

}  // namespace

TEST_P(DragIT, BandAndBackgroundMoveTheWindowByThePointersTravelAndHotSpotsDoNot) {
  Launcher l(x, m);
  const Window w = l.AwaitFullSize();
  Geometry g = l.Where(w);
  ASSERT_EQ(g, (Geometry{279, 237, 466, 293}));

  // The top band, left button.
  Drag(x, 1, g.x + 300, g.y + 20, g.x + 300 + 60, g.y + 20 + 35);
  ASSERT_TRUE(WaitFor([&] { return l.Where(w).x == 339; }, 2000ms)) << ToString(l.Where(w));
  EXPECT_EQ(l.Where(w), (Geometry{339, 272, 466, 293}));

  // The background, right button.
  g = l.Where(w);
  Drag(x, 3, g.x + 60, g.y + 200, g.x + 60 - 90, g.y + 200 - 50);
  ASSERT_TRUE(WaitFor([&] { return l.Where(w).x == 249; }, 2000ms)) << ToString(l.Where(w));
  EXPECT_EQ(l.Where(w), (Geometry{249, 222, 466, 293}));

  // A press and drag on the install hot spot moves nothing.
  g = l.Where(w);
  Drag(x, 1, g.x + 200, g.y + 160, g.x + 240, g.y + 175);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(l.Where(w), g);
  EXPECT_TRUE(PointerFree(x.dpy()));

  // After the moves every click still lands where it is painted.
  const std::size_t before = m.InstallerLog().size();
  ClickAt(x, g.x + 233, g.y + 165);
  EXPECT_TRUE(WaitFor([&] { return m.InstallerLog().size() == before + 1; }));
  ClickAt(x, g.x + 233, g.y + 219);
  EXPECT_EQ(l.process().Wait(), 0);
}

TEST_P(DragIT, ASecondButtonDuringAMoveEndsItAndLeavesNoGrab) {
  Launcher l(x, m);
  const Window w = l.AwaitFullSize();
  const Geometry g = l.Where(w);
  Xdo(x, "mousemove " + std::to_string(g.x + 100) + " " + std::to_string(g.y + 100) +
             " sleep 0.05 mousedown 1 sleep 0.05 mousemove " + std::to_string(g.x + 130) + " " +
             std::to_string(g.y + 120) + " sleep 0.1 mousedown 3 sleep 0.05 mouseup 3" +
             " sleep 0.05 mousemove " + std::to_string(g.x + 200) + " " +
             std::to_string(g.y + 200) + " sleep 0.05 mouseup 1");
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(PointerFree(x.dpy())) << "a grab was left behind";
  // The window stopped following: moving the pointer again moves nothing.
  const Geometry after = l.Where(w);
  Xdo(x, "mousemove 10 10 sleep 0.1 mousemove 20 700");
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(l.Where(w), after);
  // And clicks elsewhere on the desktop reach other windows: here, the root.
  ClickAt(x, after.x + 233, after.y + 219);
  EXPECT_EQ(l.process().Wait(), 0);
}

INSTANTIATE_TEST_SUITE_P(Desktops, DragIT, ::testing::Values(false, true), Desktop);

TEST(DragIgnoredIT, AWindowManagerThatIgnoresTheMoveLeavesNoGrab) {
  // A "window manager" that announces the move request but never acts on it.
  XServer x;
  Display* d = x.dpy();
  const Window root = DefaultRootWindow(d);
  const Window check = XCreateSimpleWindow(d, root, 0, 0, 1, 1, 0, 0, 0);
  const Atom check_atom = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  XChangeProperty(d, root, check_atom, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&check), 1);
  XChangeProperty(d, check, check_atom, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&check), 1);
  const Atom supported = XInternAtom(d, "_NET_WM_MOVERESIZE", False);
  XChangeProperty(d, root, XInternAtom(d, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&supported), 1);
  XSync(d, False);

  Medium m;
  Launcher l(x, m);
  const Window w = l.AwaitFullSize();
  const Geometry g = l.Where(w);
  Xdo(x, "mousemove " + std::to_string(g.x + 80) + " " + std::to_string(g.y + 180) +
             " sleep 0.05 mousedown 1 sleep 0.1 mousemove " + std::to_string(g.x + 120) + " " +
             std::to_string(g.y + 200) + " sleep 0.1");
  std::this_thread::sleep_for(200ms);
  EXPECT_TRUE(PointerFree(d)) << "the launcher holds the pointer while nobody moves it";
  Xdo(x, "mouseup 1");
  EXPECT_EQ(l.Where(w), g);
  ClickAt(x, g.x + 233, g.y + 219);
  EXPECT_EQ(l.process().Wait(), 0);
}
