// The completion notice on a real server: only its letters show and take the mouse.
#include <gtest/gtest.h>

#include <thread>

#include "Pictures.h"
#include "harness.h"
#include "res.h"

using namespace it;
using namespace std::chrono_literals;

namespace {

// A point of the notice picture whose 7 x 7 neighbourhood is all letter or all white,
// inside the letters' rows.
vcl::TPoint Find(const vcl::TBitmap& b, bool letter) {
  for (int y = 120; y < 185; ++y)
    for (int x = 60; x < 440; ++x) {
      bool all = true;
      for (int dy = -3; dy <= 3 && all; ++dy)
        for (int dx = -3; dx <= 3 && all; ++dx)
          all = (b.At(x + dx, y + dy) != vcl::clWhite) == letter;
      if (all) return {x, y};
    }
  return {-1, -1};
}

}  // namespace

TEST(NoticeIT, OnlyTheLettersShowAndTakeClicksAndAClickOnOneHidesIt) {
  XServer x;
  Display* d = x.dpy();
  // A red window filling the screen, beneath everything, that reports its clicks.
  const Window red = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1024, 768, 0, 0, 0xFF0000);
  XSelectInput(d, red, ButtonPressMask);
  XMapWindow(d, red);
  XSync(d, False);

  Medium m;
  Launcher l(x, m, NOTICE_DEMO_BINARY);
  Window notice = 0;
  ASSERT_TRUE(WaitFor([&] { return (notice = l.Find("frm_msg")) && l.Mapped(notice); }))
      << l.process().Stderr();
  const Geometry g = l.Where(notice);
  EXPECT_EQ(g, (Geometry{265, 248, 494, 272}));
  std::this_thread::sleep_for(200ms);

  vcl::TGIFImage gif(res::notice_gif);
  const vcl::TBitmap& b = gif.Bitmap();
  const auto shot = Grab(d, g.x, g.y, 494, 272);
  int wrong = 0;
  for (int y = 0; y < 272; ++y)
    for (int xx = 0; xx < 494; ++xx) {
      const std::uint32_t want = b.At(xx, y) == vcl::clWhite ? 0xFF0000 : b.At(xx, y);
      wrong += shot[std::size_t(y) * 494 + xx] != want;
    }
  EXPECT_EQ(wrong, 0) << "pixels that are neither a letter nor the window beneath";

  // Between the letters a click reaches the red window.
  const vcl::TPoint gap = Find(b, false), letter = Find(b, true);
  ASSERT_GE(gap.X, 0);
  ASSERT_GE(letter.X, 0);
  ClickAt(x, g.x + gap.X, g.y + gap.Y);
  bool reached = false;
  WaitFor([&] {
    XEvent e;
    while (XCheckWindowEvent(d, red, ButtonPressMask, &e)) reached = true;
    return reached;
  });
  EXPECT_TRUE(reached) << "the click between letters did not fall through";
  EXPECT_TRUE(l.Mapped(notice));

  // On a letter, the click hides the notice; the program goes on.
  ClickAt(x, g.x + letter.X, g.y + letter.Y);
  EXPECT_TRUE(WaitFor([&] { return !l.Mapped(notice); })) << "still shown";
  std::this_thread::sleep_for(100ms);
  EXPECT_TRUE(l.process().Running());
  XEvent e;
  EXPECT_FALSE(XCheckWindowEvent(d, red, ButtonPressMask, &e)) << "the letter's click fell through";
}
