#include "Graphics.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace vcl {
namespace {

struct Taps {
  int first = 0;
  std::vector<float> weights;
};

// For each output position along one axis: the first source index and its weights.
std::vector<Taps> FilterTaps(int src_size, int dst_size) {
  const double scale = double(src_size) / dst_size;
  const double support = std::max(1.0, scale);
  std::vector<Taps> taps(dst_size);
  for (int i = 0; i < dst_size; ++i) {
    const double centre = (i + 0.5) * scale;
    const int lo = std::max(0, int(std::floor(centre - support)));
    const int hi = std::min(src_size - 1, int(std::ceil(centre + support)));
    Taps& t = taps[i];
    t.first = lo;
    double sum = 0;
    for (int s = lo; s <= hi; ++s) {
      const double w = std::max(0.0, 1.0 - std::abs(s + 0.5 - centre) / support);
      t.weights.push_back(float(w));
      sum += w;
    }
    if (sum <= 0) {  // cannot happen for sizes >= 1, but keep the tap well defined
      t.weights.assign(1, 1.0f);
      t.first = std::clamp(int(centre), 0, src_size - 1);
      continue;
    }
    for (float& w : t.weights) w = float(w / sum);
  }
  return taps;
}

std::uint8_t ToByte(float v) {
  return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

TBitmap Resample(const TBitmap& src, int width, int height) {
  assert(width > 0 && height > 0 && src.Width > 0 && src.Height > 0);
  if (width == src.Width && height == src.Height) return src;
  const std::vector<Taps> tx = FilterTaps(src.Width, width);
  const std::vector<Taps> ty = FilterTaps(src.Height, height);
  const bool masked = !src.Transparent.empty();

  // Horizontal pass into floating-point channels (R, G, B, coverage), then vertical.
  std::vector<float> mid(std::size_t(width) * src.Height * 4);
  for (int y = 0; y < src.Height; ++y) {
    for (int x = 0; x < width; ++x) {
      float acc[4] = {0, 0, 0, 0};
      const Taps& t = tx[x];
      for (std::size_t k = 0; k < t.weights.size(); ++k) {
        const int sx = t.first + int(k);
        const TColor c = src.At(sx, y);
        const float w = t.weights[k];
        acc[0] += w * float((c >> 16) & 0xFF);
        acc[1] += w * float((c >> 8) & 0xFF);
        acc[2] += w * float(c & 0xFF);
        acc[3] += w * (src.IsTransparent(sx, y) ? 1.0f : 0.0f);
      }
      std::copy(acc, acc + 4, &mid[(std::size_t(y) * width + x) * 4]);
    }
  }
  TBitmap out(width, height, 0);
  if (masked) out.Transparent.assign(std::size_t(width) * height, false);
  for (int y = 0; y < height; ++y) {
    const Taps& t = ty[y];
    for (int x = 0; x < width; ++x) {
      float acc[4] = {0, 0, 0, 0};
      for (std::size_t k = 0; k < t.weights.size(); ++k) {
        const float* p = &mid[(std::size_t(t.first + int(k)) * width + x) * 4];
        for (int ch = 0; ch < 4; ++ch) acc[ch] += t.weights[k] * p[ch];
      }
      const std::size_t at = std::size_t(y) * width + x;
      out.Pixels[at] = TColor(ToByte(acc[0])) << 16 | TColor(ToByte(acc[1])) << 8 | ToByte(acc[2]);
      if (masked) out.Transparent[at] = acc[3] >= 0.5f;
    }
  }
  return out;
}

std::optional<std::vector<TRect>> OpaqueRegion(const TBitmap& frame, TColor key) {
  if (std::find(frame.Pixels.begin(), frame.Pixels.end(), key) == frame.Pixels.end())
    return std::nullopt;
  std::vector<TRect> rects;
  std::vector<TRect> band;  // the runs of the rows merged so far, all of the same height
  auto flush = [&] { rects.insert(rects.end(), band.begin(), band.end()); };
  for (int y = 0; y < frame.Height; ++y) {
    std::vector<TRect> row;
    for (int x = 0; x < frame.Width;) {
      if (frame.At(x, y) == key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < frame.Width && frame.At(x, y) != key) ++x;
      row.push_back({start, y, x - start, 1});
    }
    const bool same =
        !band.empty() && band.size() == row.size() && band.front().Top + band.front().Height == y &&
        std::equal(band.begin(), band.end(), row.begin(),
                   [](auto& a, auto& b) { return a.Left == b.Left && a.Width == b.Width; });
    if (same) {
      for (TRect& r : band) ++r.Height;
    } else {
      flush();
      band = std::move(row);
    }
  }
  flush();
  return rects;
}

}  // namespace vcl
