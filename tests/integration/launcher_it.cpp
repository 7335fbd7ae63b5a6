// The launcher on a bare X server, as a user sees and drives it.
// GoogleTest before Xlib: Xlib's macros (None, Bool, ...) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "Pictures.h"
#include "harness.h"
#include "res.h"

using namespace it;
using namespace std::chrono_literals;

namespace {

// Points on the launcher, in its client coordinates.
constexpr int kInstallX = 233, kInstallY = 165;
constexpr int kExitX = 233, kExitY = 219;
constexpr int kLinkX = 234, kLinkY = 275;
constexpr int kBackgroundX = 80, kBackgroundY = 180;

class LauncherIT : public ::testing::Test {
 protected:
  XServer x;
};

std::vector<unsigned long> Property(Display* d, Window w, const char* name, Atom type) {
  Atom actual;
  int format;
  unsigned long n = 0, after;
  unsigned char* data = nullptr;
  XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1 << 20, False, type, &actual, &format,
                     &n, &after, &data);
  std::vector<unsigned long> out;
  for (unsigned long i = 0; data && i < n; ++i)
    out.push_back(format == 32 ? reinterpret_cast<unsigned long*>(data)[i] : data[i]);
  if (data) XFree(data);
  return out;
}

}  // namespace

TEST_F(LauncherIT, StandsCentredAtFullSizeShowingTheArtworkWithItsTitleAndIcon) {
  Medium m;
  Launcher l(x, m);
  const Window w = l.AwaitFullSize();
  EXPECT_EQ(l.Where(w), (Geometry{279, 237, 466, 293}));

  std::this_thread::sleep_for(100ms);
  const auto shot = Grab(x.dpy(), 279, 237, 466, 293);
  vcl::TJPEGImage art(res::background_jpg);
  const vcl::TBitmap& b = art.Bitmap();
  int differing = 0;
  for (int y = 0; y < 293; ++y)
    for (int xx = 0; xx < 466; ++xx) differing += shot[std::size_t(y) * 466 + xx] != b.At(xx, y);
  EXPECT_EQ(differing, 0) << "pixels on screen that are not the artwork's";

  const auto title = Property(x.dpy(), w, "_NET_WM_NAME", AnyPropertyType);
  EXPECT_EQ(std::string(title.begin(), title.end()), "Setup");
  const auto icon = Property(x.dpy(), w, "_NET_WM_ICON", XA_CARDINAL);
  ASSERT_GE(icon.size(), 2u);
  EXPECT_EQ(icon.size(),
            std::size_t(6 * 2 + 72 * 72 + 64 * 64 + 48 * 48 + 32 * 32 + 24 * 24 + 16 * 16));
  EXPECT_EQ(icon[0], 72u);
  const auto type = Property(x.dpy(), w, "_NET_WM_WINDOW_TYPE", XA_ATOM);
  ASSERT_EQ(type.size(), 1u);
  EXPECT_EQ(type[0], XInternAtom(x.dpy(), "_NET_WM_WINDOW_TYPE_NORMAL", False));
  const auto motif = Property(x.dpy(), w, "_MOTIF_WM_HINTS", AnyPropertyType);
  EXPECT_EQ(motif, (std::vector<unsigned long>{2, 0, 0, 0, 0}));
  const Window notice = l.Find("frm_msg");
  ASSERT_NE(notice, 0u) << "the notice window is built at start-up";
  EXPECT_FALSE(l.Mapped(notice)) << "and stays hidden";
}

TEST_F(LauncherIT, InstallStartsTheInstallerOncePerClickFromTheMediumWithNoArguments) {
  Medium m;
  Launcher l(x, m);
  const Geometry g = l.Where(l.AwaitFullSize());
  ClickAt(x, g.x + kInstallX, g.y + kInstallY);
  ClickAt(x, g.x + kInstallX + 20, g.y + kInstallY + 5);
  ASSERT_TRUE(WaitFor([&] { return m.InstallerLog().size() >= 2; }));
  std::this_thread::sleep_for(200ms);
  const auto log = m.InstallerLog();
  ASSERT_EQ(log.size(), 2u);
  for (const std::string& line : log)
    EXPECT_EQ(line.substr(0, line.find(" pid=")), "dir=" + m.dir().string() + " argc=0");
  EXPECT_TRUE(m.OpenerLog().empty());
  EXPECT_TRUE(l.process().Running());
}

TEST_F(LauncherIT, WithoutASetupFolderInstallChangesNothingAndTheLauncherStaysUsable) {
  Medium m(false);
  Launcher l(x, m);
  const Window w = l.AwaitFullSize();
  const Geometry g = l.Where(w);
  ClickAt(x, g.x + kInstallX, g.y + kInstallY);
  ClickAt(x, g.x + kInstallX, g.y + kInstallY);
  std::this_thread::sleep_for(200ms);
  EXPECT_TRUE(l.process().Running());
  EXPECT_EQ(l.Where(w), g);
  EXPECT_TRUE(l.Mapped(w));
  EXPECT_TRUE(m.OpenerLog().empty()) << "nothing is handed to the opener either";
  ClickAt(x, g.x + kExitX, g.y + kExitY);
  EXPECT_EQ(l.process().Wait(), 0);
}

TEST_F(LauncherIT, TheLinkHandsTheWebAddressToTheOpener) {
  Medium m;
  Launcher l(x, m);
  const Geometry g = l.Where(l.AwaitFullSize());
  ClickAt(x, g.x + kLinkX, g.y + kLinkY);
  ASSERT_TRUE(WaitFor([&] { return !m.OpenerLog().empty(); }));
  EXPECT_EQ(m.OpenerLog(), std::vector<std::string>{"http://www.example.com/"});
  EXPECT_TRUE(m.InstallerLog().empty());
}

TEST_F(LauncherIT, ExitEndsWithZeroWhileTheInstallerItStartedKeepsRunning) {
  Medium m;
  Launcher l(x, m);
  const Geometry g = l.Where(l.AwaitFullSize());
  ClickAt(x, g.x + kInstallX, g.y + kInstallY);
  ASSERT_TRUE(WaitFor([&] { return !m.InstallerLog().empty(); }));
  const std::string line = m.InstallerLog()[0];
  const pid_t installer = std::stoi(line.substr(line.find("pid=") + 4));
  ClickAt(x, g.x + kExitX, g.y + kExitY);
  EXPECT_EQ(l.process().Wait(), 0);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(kill(installer, 0), 0) << "the installer outlives the launcher";
}

TEST_F(LauncherIT, TheHandCursorShowsOverTheHotSpotsAndLinkAndNotOverTheBackground) {
  Display* d = x.dpy();
  // Reference cursors, read off windows of the test's own.
  const auto cursor_of = [&](unsigned shape, int at_x) {
    XSetWindowAttributes a{};
    a.cursor = XCreateFontCursor(d, shape);
    const Window w = XCreateWindow(d, DefaultRootWindow(d), at_x, 0, 40, 40, 0, CopyFromParent,
                                   InputOutput, CopyFromParent, CWCursor, &a);
    XMapRaised(d, w);
    XSync(d, False);
    return w;
  };
  const auto image = [&] {
    XFixesCursorImage* c = XFixesGetCursorImage(d);
    std::vector<unsigned long> px(c->pixels, c->pixels + std::size_t(c->width) * c->height);
    px.push_back(c->xhot);
    px.push_back(c->yhot);
    XFree(c);
    return px;
  };
  const auto image_at = [&](int px, int py) {
    Xdo(x, "mousemove " + std::to_string(px) + " " + std::to_string(py));
    std::this_thread::sleep_for(150ms);
    return image();
  };
  cursor_of(XC_hand2, 0);
  cursor_of(XC_left_ptr, 60);
  const auto hand = image_at(20, 20);
  const auto arrow = image_at(80, 20);
  ASSERT_NE(hand, arrow);

  Medium m;
  Launcher l(x, m);
  const Geometry g = l.Where(l.AwaitFullSize());
  const struct {
    int x, y;
    bool hand;
  } points[] = {{kInstallX, kInstallY, true}, {kBackgroundX, kBackgroundY, false},
                {kExitX, kExitY, true},       {200, 190, false},
                {kLinkX, kLinkY, true},       {300, 20, false}};
  for (const auto& p : points)
    EXPECT_EQ(image_at(g.x + p.x, g.y + p.y), p.hand ? hand : arrow) << p.x << "," << p.y;
}

TEST(LauncherStartIT, WithoutADisplayItSaysSoInOneLineAndExitsWithOneAtOnce) {
  Medium m;
  for (const char* display : {"DISPLAY=", "DISPLAY=:987"}) {
    const auto start = std::chrono::steady_clock::now();
    Process p({SETUP_BINARY}, m.dir(), {display});
    EXPECT_EQ(p.Wait(2000ms), 1) << display;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << display;
    const std::string err = p.Stderr();
    EXPECT_NE(err.find("cannot open the display"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  }
}

TEST(LauncherStartIT, LosingTheServerEndsItWithAMessageNotAHang) {
  XServer x;
  Medium m;
  Launcher l(x, m);
  l.AwaitFullSize();
  x.Kill();
  const auto code = l.process().Wait(3000ms);
  ASSERT_TRUE(code.has_value()) << "still running after its server went away";
  EXPECT_NE(*code, 0);
  EXPECT_NE(l.process().Stderr().find("lost the connection to the X server"), std::string::npos)
      << l.process().Stderr();
}

TEST_F(LauncherIT, At120PixelsPerInchLayoutAndArtworkScaleTogether) {
  // Desktops announce their pixels per inch as Xft.dpi in the resource database.
  const char db[] = "Xft.dpi:\t120\n";
  XChangeProperty(x.dpy(), DefaultRootWindow(x.dpy()), XA_RESOURCE_MANAGER, XA_STRING, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(db), sizeof db - 1);
  XSync(x.dpy(), False);
  Medium m;
  Launcher l(x, m);
  Window w = 0;
  ASSERT_TRUE(WaitFor([&] {
    if (!w) w = l.Find("frm_utama");
    return w && l.Mapped(w) && l.Where(w).width == 574 && l.Where(w).height == 361;
  })) << (w ? ToString(l.Where(w)) : "no window");
  const Geometry g = l.Where(w);
  EXPECT_EQ(g, (Geometry{225, 203, 574, 361}));
  // Near the right end of the painted, scaled install button: still the hot spot.
  std::this_thread::sleep_for(100ms);
  const auto px = Grab(x.dpy(), g.x + 209 + 150, g.y + 180 + 23, 1, 1);
  const int r = (px[0] >> 16) & 0xFF, gr = (px[0] >> 8) & 0xFF, b = px[0] & 0xFF;
  EXPECT_TRUE(gr > r + 40 && gr > b + 40) << std::hex << px[0] << ": not the green button";
  ClickAt(x, g.x + 209 + 150, g.y + 180 + 23);
  EXPECT_TRUE(WaitFor([&] { return m.InstallerLog().size() == 1; }));
}
