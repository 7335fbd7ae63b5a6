// The hidden completion notice.
#include <gtest/gtest.h>

#include "Pictures.h"
#include "fixture.h"
#include "res.h"

namespace {
class NoticeTest : public OnFake {
 protected:
  fake::Window& Notice() {
    Launcher();
    app->CreateForm<Tfrm_msg>(frm_msg);
    return *fake->Find("frm_msg");
  }
};
}  // namespace

TEST_F(NoticeTest, IsBuiltHiddenAndTheLauncherStaysTheMainWindow) {
  fake::Window& w = Notice();
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(app->MainForm, frm_utama);
  EXPECT_EQ(w.Bounds(), (vcl::TRect{378, 285, 494, 272}));
  EXPECT_TRUE(fake->log.Since(0, "frm_msg.Show").empty());
}

TEST_F(NoticeTest, ItsShapeIsExactlyTheNonWhitePixelsOfItsVisiblePart) {
  fake::Window& w = Notice();
  frm_msg->Show();
  EXPECT_EQ(w.Bounds(), (vcl::TRect{265, 248, 494, 272})) << "placed at the desktop's centre";
  ASSERT_TRUE(w.Shape().has_value());
  std::vector<bool> shape(494 * 272, false);
  for (const vcl::TRect& r : *w.Shape())
    for (int y = r.Top; y < r.Top + r.Height; ++y)
      for (int x = r.Left; x < r.Left + r.Width; ++x) {
        ASSERT_TRUE(x >= 0 && x < 494 && y >= 0 && y < 272);
        EXPECT_FALSE(shape[std::size_t(y) * 494 + x]) << "rectangles overlap";
        shape[std::size_t(y) * 494 + x] = true;
      }
  vcl::TGIFImage gif(res::notice_gif);
  const vcl::TBitmap& b = gif.Bitmap();
  int letters = 0;
  for (int y = 0; y < 272; ++y)
    for (int x = 0; x < 494; ++x) {
      const bool lettered = b.At(x, y) != vcl::clWhite;
      letters += lettered;
      ASSERT_EQ(shape[std::size_t(y) * 494 + x], lettered) << x << "," << y;
    }
  EXPECT_GT(letters, 1000);
}

TEST_F(NoticeTest, ClosingItHidesItAndRunGoesOnUntilTheLauncherCloses) {
  Notice();
  fake->Queue([&] { frm_msg->Show(); });
  fake->Queue([&] {
    fake::Window& w = *fake->Find("frm_msg");
    ASSERT_TRUE(w.Visible());
    w.Click({60, 140});  // on the first letter's stem
    EXPECT_FALSE(w.Visible());
    EXPECT_FALSE(app->Terminated);
  });
  bool went_on = false;
  fake->Queue([&] {
    went_on = true;
    fake->Find("frm_utama")->Click({233, 219});
  });
  app->Run();
  EXPECT_TRUE(went_on);
  EXPECT_TRUE(app->Terminated);
  EXPECT_NE(frm_msg, nullptr);
  EXPECT_NE(fake->Find("frm_msg"), nullptr) << "the notice still exists as Run ends";
}

TEST_F(NoticeTest, ItsTopFortyRowsAreTheDragBandToo) {
  fake::Window& w = Notice();
  EXPECT_EQ(w.HitTest({300, 285 + 39}), vcl::HTCAPTION);
  EXPECT_EQ(w.HitTest({300, 285 + 40}), vcl::HTCLIENT);
}
