// Basic value types shared by the framework, the window-system seam and the backends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vcl {

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Contains(TPoint p) const {
    return p.X >= Left && p.X < Left + Width && p.Y >= Top && p.Y < Top + Height;
  }
  bool operator==(const TRect&) const = default;
};

// A colour as 0x00RRGGBB; system colours are resolved before they reach a pixel.
using TColor = std::uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clWindowText = clBlack;

enum TCursor { crDefault, crHandPoint };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlign { alNone, alClient };

// Window-system hit-test answers.
inline constexpr int HTNOWHERE = 0;
inline constexpr int HTCLIENT = 1;
inline constexpr int HTCAPTION = 2;

// Delphi-style MulDiv: a * b / c rounded half away from zero, in 64 bits.
inline int MulDiv(int a, int b, int c) {
  const std::int64_t p = std::int64_t{a} * b;
  const std::int64_t q = (p >= 0) == (c >= 0) ? (2 * p + c) / (2 * std::int64_t{c})
                                              : (2 * p - c) / (2 * std::int64_t{c});
  return static_cast<int>(q);
}

// Signed division truncating toward zero, as the window layout rules use it.
inline constexpr int Div(int a, int b) {
  return a / b;
}

// A picture in memory: 0x00RRGGBB pixels row by row, plus an optional mask of the
// pixels that are transparent (a GIF's transparent entry).
struct TBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;
  std::vector<bool> Transparent;  // empty when the picture has no transparent pixel

  TBitmap() = default;
  TBitmap(int w, int h, TColor fill) : Width(w), Height(h), Pixels(std::size_t(w) * h, fill) {}
  TColor At(int x, int y) const { return Pixels[std::size_t(y) * Width + x]; }
  bool IsTransparent(int x, int y) const {
    return !Transparent.empty() && Transparent[std::size_t(y) * Width + x];
  }
};

// An ARGB image for a window icon (0xAARRGGBB).
struct TIconImage {
  int Size = 0;
  int BitsPerPixel = 0;
  std::vector<std::uint32_t> Argb;
};

// Embedded file: a picture or icon compiled into the program.
struct TEmbedded {
  const char* Name;
  const unsigned char* Data;
  std::size_t Size;
};

}  // namespace vcl
