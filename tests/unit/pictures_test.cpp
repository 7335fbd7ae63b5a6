// The picture readers on the embedded pictures and on damaged data.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "Pictures.h"
#include "res.h"

using namespace vcl;

namespace {

TEmbedded View(const char* name, const std::vector<unsigned char>& bytes) {
  return {name, bytes.data(), bytes.size()};
}

// A 2 x 2 GIF89a with a 4-colour global palette, entry 3 (white) transparent, pixels 0 1 2 3.
std::vector<unsigned char> TinyGif() {
  return {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x81, 0x00, 0x00,
          0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0x00, 0xff, 0xff, 0xff, 0x21,
          0xf9, 0x04, 0x01, 0x00, 0x00, 0x03, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x02,
          0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0x44, 0x34, 0x05, 0x00, 0x3b};
}

// Decodes fully; returns the error message, or "" when the picture decoded.
std::string Decode(const TEmbedded& data) {
  try {
    TPicture p;
    p.LoadFromEmbedded(data);
    p.Graphic()->Bitmap();
    return "";
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
}

}  // namespace

TEST(Artwork, IsABaselineJpegOfTheDesignedSizeWithoutTheKeyColour) {
  TJPEGImage jpeg(res::background_jpg);
  EXPECT_EQ(jpeg.Width(), 467);
  EXPECT_EQ(jpeg.Height(), 295);
  const std::vector<unsigned char> bytes(res::background_jpg.Data,
                                         res::background_jpg.Data + res::background_jpg.Size);
  const unsigned char sof0[] = {0xFF, 0xC0};
  auto sof = std::search(bytes.begin(), bytes.end(), std::begin(sof0), std::end(sof0));
  ASSERT_NE(sof, bytes.end()) << "baseline frame marker";
  EXPECT_EQ(*(sof + 9), 3) << "three colour components";
  EXPECT_NEAR(double(bytes.size()), 57000.0, 8000.0);
  const TBitmap& b = jpeg.Bitmap();
  EXPECT_EQ(std::count(b.Pixels.begin(), b.Pixels.end(), clFuchsia), 0);
}

TEST(NoticePicture, IsA500By300GifWithSixteenColoursAndWhiteEntryFifteenTransparent) {
  TGIFImage gif(res::notice_gif);
  EXPECT_EQ(gif.Width(), 500);
  EXPECT_EQ(gif.Height(), 300);
  ASSERT_EQ(gif.Palette().size(), 16u);
  EXPECT_EQ(gif.Palette()[15], clWhite);
  const TBitmap& b = gif.Bitmap();
  EXPECT_EQ(gif.TransparentIndex(), 15);
  int minx = 500, maxx = -1, miny = 300, maxy = -1;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 500; ++x) {
      if (b.IsTransparent(x, y)) {
        EXPECT_EQ(b.At(x, y), clWhite);
        continue;
      }
      EXPECT_NE(b.At(x, y), clWhite) << "white is only ever the transparent entry";
      minx = std::min(minx, x), maxx = std::max(maxx, x);
      miny = std::min(miny, y), maxy = std::max(maxy, y);
    }
  EXPECT_GE(miny, 111);
  EXPECT_LE(maxy, 190);
  EXPECT_GE(minx, 27);
  EXPECT_LE(maxx, 473);
  EXPECT_NEAR(double(res::notice_gif.Size), 4000.0, 1500.0);
}

TEST(GifReader, GivesThePaletteAndTheTransparentEntry) {
  const auto bytes = TinyGif();
  TGIFImage gif(View("tiny.gif", bytes));
  EXPECT_EQ(gif.Palette(), (std::vector<TColor>{0x000000, 0xFF0000, 0x00FF00, 0xFFFFFF}));
  const TBitmap& b = gif.Bitmap();
  EXPECT_EQ(gif.TransparentIndex(), 3);
  EXPECT_EQ(b.Pixels, (std::vector<TColor>{0x000000, 0xFF0000, 0x00FF00, 0xFFFFFF}));
  EXPECT_EQ(b.Transparent, (std::vector<bool>{false, false, false, true}));
}

TEST(GifReader, FailsClearlyOnDamagedGifs) {
  using Mutate = std::function<void(std::vector<unsigned char>&)>;
  const struct {
    const char* what;
    Mutate mutate;
  } cases[] = {
      {"header only", [](auto& g) { g.resize(8); }},
      {"cut inside the image data", [](auto& g) { g.resize(46); }},
      {"cut before the image", [](auto& g) { g.resize(33); }},
      {"no palette anywhere",
       [](auto& g) {
         g[10] = 0x01;
         g.erase(g.begin() + 13, g.begin() + 25);
       }},
      {"transparent entry outside the palette", [](auto& g) { g[31] = 200; }},
      {"image larger than its screen", [](auto& g) { g[34] = 1; }},
      {"image wider than its screen", [](auto& g) { g[38] = 9; }},
      {"no image at all", [](auto& g) { g.erase(g.begin() + 33, g.end() - 1); }},
      {"a screen of 65535 x 65535", [](auto& g) { g[6] = g[7] = g[8] = g[9] = 0xFF; }},
      {"not a GIF after all", [](auto& g) { g[3] = 'x'; }},
  };
  for (const auto& c : cases) {
    auto bytes = TinyGif();
    c.mutate(bytes);
    const std::string error = Decode(View("bad.gif", bytes));
    EXPECT_NE(error.find("'bad.gif'"), std::string::npos) << c.what << ": " << error;
  }
}

TEST(JpegReader, FailsClearlyOnDamagedJpegsAndNeverExits) {
  const std::vector<unsigned char> good(res::background_jpg.Data,
                                        res::background_jpg.Data + res::background_jpg.Size);
  const struct {
    const char* what;
    std::size_t keep;  // bytes kept from the start
    std::size_t scribble_from, scribble_to;
  } cases[] = {
      {"only the start-of-image marker", 2, 0, 0},
      {"header cut short", 120, 0, 0},
      {"half the scan data", good.size() / 2, 0, 0},
      {"tables scribbled over", good.size(), 20, 400},
      {"scan scribbled over", good.size(), good.size() / 2, good.size() / 2 + 3000},
  };
  for (const auto& c : cases) {
    std::vector<unsigned char> bytes(good.begin(), good.begin() + long(c.keep));
    for (std::size_t i = c.scribble_from; i < c.scribble_to; ++i) bytes[i] = 0xFF;
    const std::string error = Decode(View("bad.jpg", bytes));
    EXPECT_NE(error.find("cannot decode picture 'bad.jpg'"), std::string::npos)
        << c.what << ": " << error;
  }
  EXPECT_EQ(Decode(res::background_jpg), "");
}

TEST(IconReader, ReadsSixSquareImagesAtThirtyTwoBitsLargestFirst) {
  const auto icon = ReadIcon(res::MAINICON_ico);
  ASSERT_EQ(icon.size(), 6u);
  const int sizes[] = {72, 64, 48, 32, 24, 16};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(icon[i].Size, sizes[i]);
    EXPECT_EQ(icon[i].BitsPerPixel, 32);
    ASSERT_EQ(icon[i].Argb.size(), std::size_t(sizes[i] * sizes[i]));
    EXPECT_LT(icon[i].Argb[0] >> 24, 128u) << "rounded corner is see-through";
    EXPECT_EQ(icon[i].Argb[std::size_t(sizes[i] * sizes[i] / 2 + sizes[i] / 2)] >> 24, 255u);
  }
  std::vector<unsigned char> cut(res::MAINICON_ico.Data, res::MAINICON_ico.Data + 200);
  EXPECT_THROW(ReadIcon(View("cut.ico", cut)), EInvalidGraphic);
}

TEST(PictureReaders, SurviveDamageAnywhereInTheirInput) {
  // Seeded damage of the real pictures: bytes flipped, runs zeroed, cuts anywhere. Each
  // must decode or fail with EInvalidGraphic; the sanitizer build catches the rest.
  const TEmbedded* sources[] = {&res::notice_gif, &res::background_jpg};
  std::uint32_t seed = 12345;
  const auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  int failures = 0, runs = 0;
  for (const TEmbedded* src : sources) {
    for (int i = 0; i < 300; ++i) {
      std::vector<unsigned char> bytes(src->Data, src->Data + src->Size);
      switch (next() % 3) {
        case 0:
          for (int k = 0; k < 8; ++k)
            bytes[next() % bytes.size()] ^= std::uint8_t(1u << (next() % 8));
          break;
        case 1: {
          const std::size_t at = next() % bytes.size(),
                            n = std::min<std::size_t>(64, bytes.size() - at);
          std::fill_n(bytes.begin() + long(at), n, 0);
          break;
        }
        default:
          bytes.resize(next() % bytes.size());
      }
      ++runs;
      failures += !Decode(View(src->Name, bytes)).empty();
    }
  }
  EXPECT_GT(failures, 0);
  EXPECT_EQ(runs, 600);
}
