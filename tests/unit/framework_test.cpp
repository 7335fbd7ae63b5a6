// The framework's own rules, on the fake window system.
#include <gtest/gtest.h>

#include "Graphics.h"
#include "Monitors.h"
#include "SETUP.h"
#include "fixture.h"
#include "res.h"

using namespace vcl;

TEST(Title, IsTheExecutableNameUpToItsFirstDotWithTheRestInLowerCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"/media/disc/SETUP", "Setup"}, {"C:\\disc\\LAUNCH.EXE", "Launch"},
      {"setup.tar.gz", "setup"},      {"./MyApp.Bin", "Myapp"},
      {"/a.b/NODOT", "Nodot"},        {"x", "x"},
  };
  for (const auto& [path, title] : cases) EXPECT_EQ(TitleFromExecutable(path), title) << path;
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(466, 16, 13), 574);
  EXPECT_EQ(MulDiv(13, 120, 96), 16);
  EXPECT_EQ(MulDiv(-11, 120, 96), -14);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(Div(-5, 2), -2);
}

TEST(OpaqueRegion, ListsExactlyThePixelsThatAreNotTheKeyColour) {
  // A 6 x 4 picture: a key-coloured hole in the middle of two rows.
  TBitmap b(6, 4, clWhite);
  b.Pixels[1 * 6 + 2] = b.Pixels[1 * 6 + 3] = clFuchsia;
  b.Pixels[2 * 6 + 2] = b.Pixels[2 * 6 + 3] = clFuchsia;
  const auto region = OpaqueRegion(b, clFuchsia);
  ASSERT_TRUE(region.has_value());
  const std::vector<TRect> want = {{0, 0, 6, 1}, {0, 1, 2, 2}, {4, 1, 2, 2}, {0, 3, 6, 1}};
  EXPECT_EQ(*region, want);

  EXPECT_FALSE(OpaqueRegion(TBitmap(3, 3, clWhite), clFuchsia).has_value()) << "no key pixel";
  const auto all_key = OpaqueRegion(TBitmap(3, 3, clFuchsia), clFuchsia);
  ASSERT_TRUE(all_key.has_value());
  EXPECT_TRUE(all_key->empty()) << "every pixel keyed: nothing drawn, nothing hit";
}

TEST(Resample, KeepsFlatAreasExactAndScalesBothWays) {
  TBitmap b(10, 10, 0x2E9A3E);
  for (int y = 0; y < 10; ++y) b.Pixels[y * 10 + 9] = clWhite;
  for (auto [w, h] : {std::pair{13, 12}, {5, 5}, {20, 7}}) {
    const TBitmap r = Resample(b, w, h);
    ASSERT_EQ(r.Width, w);
    ASSERT_EQ(r.Height, h);
    EXPECT_EQ(r.At(0, 0), 0x2E9A3Eu) << w << "x" << h;
    EXPECT_EQ(r.At(0, h - 1), 0x2E9A3Eu);
    EXPECT_GT(r.At(w - 1, h / 2) & 0xFF, 0x80u) << "the white edge column stays at the edge";
  }
}

namespace {

class FrameworkTest : public OnFake {};

bool IsButtonGreen(TColor c) {
  const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return g > r + 40 && g > b + 40;
}

}  // namespace

TEST_F(FrameworkTest, BoundsReachTheWindowAtOnceAndOnlyWhenTheyChange) {
  Launcher();
  const std::size_t mark = fake->log.calls.size();
  frm_utama->Width = 466;  // unchanged: nothing
  frm_utama->Left = frm_utama->Left;
  frm_utama->Top = 10;
  frm_utama->Top = 10;
  frm_utama->Height = 300;
  EXPECT_EQ(fake->log.Since(mark, "frm_utama.Set"),
            (std::vector<std::string>{"frm_utama.SetTop 10", "frm_utama.SetHeight 300"}));
  EXPECT_EQ(int(frm_utama->Top), 10);
}

TEST_F(FrameworkTest, LayoutAndArtworkScaleTogetherWithPixelsPerInch) {
  struct Case {
    int ppi;
    TRect window, install, exit, link;
  };
  const Case cases[] = {
      {96, {279, 237, 466, 293}, {170, 146, 127, 38}, {170, 200, 127, 38}, {134, 263, 200, 25}},
      {120, {225, 203, 574, 361}, {209, 180, 157, 46}, {209, 246, 157, 47}, {165, 324, 246, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    auto platform = std::make_unique<fake::Platform>();
    platform->metrics.pixels_per_inch = c.ppi;
    fake::Platform* f = platform.get();
    TApplication app;
    TApplication* saved = Application;
    Application = &app;
    app.UsePlatform(std::move(platform));
    app.CreateForm<Tfrm_utama>(frm_utama);
    fake::Window& w = *f->Find("frm_utama");
    EXPECT_EQ(w.Bounds(), c.window);
    EXPECT_EQ(frm_utama->Image_QRB->BoundsRect(), c.install);
    EXPECT_EQ(frm_utama->Image_close->BoundsRect(), c.exit);
    EXPECT_EQ(frm_utama->suiURLLabel1->BoundsRect(), c.link);
    // The painted buttons stay under their hot spots: along the middle row of each hot
    // spot the green button runs from its left edge to its right edge, within 3 pixels
    // (scanned outward from 10 pixels inside each edge, clear of the white lettering).
    for (const TRect& spot : {c.install, c.exit}) {
      const TBitmap& frame = w.Frame();
      const int y = spot.Top + spot.Height / 2;
      int left = spot.Left + 10, right = spot.Left + spot.Width - 11;
      ASSERT_TRUE(IsButtonGreen(frame.At(left, y)) && IsButtonGreen(frame.At(right, y)));
      while (left > 0 && IsButtonGreen(frame.At(left - 1, y))) --left;
      while (right < frame.Width - 1 && IsButtonGreen(frame.At(right + 1, y))) ++right;
      EXPECT_NEAR(left, spot.Left, 3);
      EXPECT_NEAR(right, spot.Left + spot.Width - 1, 3);
    }
    Application = saved;
  }
}

TEST_F(FrameworkTest, TheArtworkHasNoKeyColourSoTheLauncherNeedsNoShape) {
  fake::Window& w = Launcher();
  EXPECT_TRUE(w.ShapeSet());
  EXPECT_FALSE(w.Shape().has_value()) << "a shape would make parts of the launcher see-through";
  EXPECT_EQ(w.Frame().Width, 466);
  EXPECT_EQ(w.Frame().Height, 293);
}

TEST_F(FrameworkTest, TheLauncherCarriesTheSixImageIcon) {
  fake::Window& w = Launcher();
  ASSERT_EQ(w.Icon().size(), 6u);
  const int sizes[] = {72, 64, 48, 32, 24, 16};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(w.Icon()[i].Size, sizes[i]);
    EXPECT_EQ(w.Icon()[i].BitsPerPixel, 32);
  }
}

TEST_F(FrameworkTest, ExitEndsRunAndTheProgramReturnsZero) {
  bool checked = false;
  fake->Queue([&] {
    // Right after start-up: both windows exist, only the launcher shows, it is main.
    ASSERT_NE(frm_utama, nullptr);
    ASSERT_NE(frm_msg, nullptr);
    EXPECT_EQ(app->MainForm, frm_utama);
    EXPECT_TRUE(fake->Find("frm_utama")->Visible());
    EXPECT_FALSE(fake->Find("frm_msg")->Visible());
    checked = true;
  });
  fake->Queue([&] { fake->Find("frm_utama")->Click({233, 219}); });
  fake->Queue([&] { ADD_FAILURE() << "Run went on after the launcher closed"; });
  EXPECT_EQ(SETUP::Main(), 0);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(app->Terminated);
}

TEST_F(FrameworkTest, TheWindowManagersCloseRequestEndsRunToo) {
  fake->Queue([&] { fake->Find("frm_utama")->RequestClose(); });
  fake->Queue([&] { ADD_FAILURE() << "Run went on after the close request"; });
  EXPECT_EQ(SETUP::Main(), 0);
}

namespace {

// A form whose picture is damaged, to see how the framework reports it.
class TDamaged : public TForm {
 public:
  using TForm::TForm;
  static TFormDescription<TDamaged> Description;
  TImage* Image1 = nullptr;
};
TFormDescription<TDamaged> TDamaged::Description;
std::vector<unsigned char> damaged_bytes;
TEmbedded damaged_picture{"damaged.jpg", nullptr, 0};

void Describe(std::vector<unsigned char> bytes) {
  damaged_bytes = std::move(bytes);
  damaged_picture = {"damaged.jpg", damaged_bytes.data(), damaged_bytes.size()};
  TDamaged::Description = {
      .Form = {.Name = "damaged", .ClientWidth = 100, .ClientHeight = 100, .Color = clFuchsia},
      .Controls = {TImageDescription<TDamaged>{.Field = &TDamaged::Image1,
                                               .Name = "Image1",
                                               .Bounds = {0, 0, 100, 100},
                                               .Picture = &damaged_picture}}};
}

std::vector<unsigned char> Artwork() {
  return {res::background_jpg.Data, res::background_jpg.Data + res::background_jpg.Size};
}

}  // namespace

TEST_F(FrameworkTest, APictureWhoseHeaderCannotBeReadStopsCreationWithItsName) {
  std::vector<unsigned char> bytes = Artwork();
  ASSERT_GT(bytes.size(), 200u);
  std::fill(bytes.begin() + 2, bytes.begin() + 200, 0x55);  // the header is gone, SOI stays
  Describe(bytes);
  TDamaged* form = nullptr;
  try {
    app->CreateForm<TDamaged>(form);
    FAIL() << "creation went on";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(std::string(e.what()).find("cannot decode picture 'damaged.jpg'"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(app->MainForm, nullptr);
}

TEST_F(FrameworkTest, APictureDamagedBeyondItsHeaderIsReportedAtFirstPaintAndTheFormGoesOn) {
  std::vector<unsigned char> bytes = Artwork();
  bytes.resize(bytes.size() / 2);
  Describe(bytes);
  TDamaged* form = nullptr;
  app->CreateForm<TDamaged>(form);
  ::testing::internal::CaptureStderr();
  form->Show();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Setup: cannot decode picture 'damaged.jpg'"), std::string::npos) << err;
  EXPECT_TRUE(form->Visible());
  form->Hide();
  ::testing::internal::CaptureStderr();
  form->Show();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "reported once, not at every paint";
}

TEST(Monitors, ThePrimaryMonitorIsTheScreenAndItsTopLeftTheOrigin) {
  using seam::Monitor;
  const TRect root{0, 0, 2304, 1024};
  const struct {
    const char* what;
    std::vector<Monitor> monitors;
    TRect primary;
    TRect virtual_screen;
  } cases[] = {
      {"primary on the right",
       {{{0, 0, 1280, 1024}, false}, {{1280, 0, 1024, 768}, true}},
       {1280, 0, 1024, 768},
       {-1280, 0, 2304, 1024}},
      {"primary below",
       {{{0, 0, 1280, 256}, false}, {{100, 256, 1024, 768}, true}},
       {100, 256, 1024, 768},
       {-100, -256, 2304, 1024}},
      {"no primary flag: the first",
       {{{0, 0, 1280, 1024}, false}, {{1280, 0, 1024, 768}, false}},
       {0, 0, 1280, 1024},
       {0, 0, 2304, 1024}},
      {"no monitors: the root", {}, root, root},
      {"empty monitors are skipped",
       {{{0, 0, 0, 0}, true}, {{1280, 0, 1024, 768}, false}},
       {1280, 0, 1024, 768},
       {-1280, 0, 2304, 1024}},
  };
  for (const auto& c : cases) {
    const TRect primary = seam::PrimaryMonitor(c.monitors, root);
    EXPECT_EQ(primary, c.primary) << c.what;
    const seam::ScreenMetrics m = seam::MetricsFor(primary, root, 96);
    EXPECT_EQ(m.width, c.primary.Width) << c.what;
    EXPECT_EQ(m.height, c.primary.Height) << c.what;
    EXPECT_EQ(m.virtual_screen, c.virtual_screen) << c.what;
  }
}

TEST(Monitors, PixelsPerInchComeFromXftDpi) {
  const std::pair<const char*, int> cases[] = {
      {nullptr, 96},
      {"", 96},
      {"Xft.antialias:\t1\nXft.dpi:\t120\n", 120},
      {"Xft.dpi: 144.0", 144},
      {"Xft.dpi:\t95.6\n", 96},
      {"Xft.dpix:\t200\n", 96},
      {"Xft.dpi:\tnonsense\n", 96},
      {"*.dpi: 200\n", 96},
  };
  for (const auto& [db, ppi] : cases)
    EXPECT_EQ(seam::PixelsPerInchFromResources(db), ppi) << (db ? db : "(none)");
}
