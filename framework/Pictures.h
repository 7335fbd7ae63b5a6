// Pictures a picture control can hold: JPEG and GIF, read from embedded data. The
// header is read when the picture is loaded; the pixels are decoded when the picture
// is first drawn, so damage beyond the header shows up then.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Types.h"

namespace vcl {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture that cannot be read; the message names the picture.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::string& Name() const { return name_; }
  // The decoded pixels. Decodes on the first call; throws EInvalidGraphic if the data
  // is damaged, and after a failure throws the same error again without retrying.
  const TBitmap& Bitmap();

 protected:
  TGraphic(const TEmbedded& data, int width, int height)
      : data_(data), name_(data.Name), width_(width), height_(height) {}
  virtual TBitmap Decode() = 0;  // throws EInvalidGraphic
  void SetSize(int width, int height) {
    width_ = width;
    height_ = height;
  }
  const TEmbedded data_;

 private:
  std::string name_;
  int width_;
  int height_;
  std::unique_ptr<TBitmap> bitmap_;
  std::string error_;
};

class TJPEGImage : public TGraphic {
 public:
  // Reads the header; throws EInvalidGraphic when it cannot be read.
  explicit TJPEGImage(const TEmbedded& data);

 private:
  TBitmap Decode() override;
};

class TGIFImage : public TGraphic {
 public:
  static constexpr int NoTransparentColor = -1;
  // Reads the header and the global palette; throws EInvalidGraphic when unreadable.
  explicit TGIFImage(const TEmbedded& data);
  // The global palette (0x00RRGGBB), empty when the GIF has none.
  const std::vector<TColor>& Palette() const { return palette_; }
  // The palette entry the first image marks transparent, once decoded.
  int TransparentIndex() const { return transparent_; }

 private:
  TBitmap Decode() override;
  std::vector<TColor> palette_;
  int transparent_ = NoTransparentColor;
};

// Holds at most one picture, chosen by the data's signature.
class TPicture {
 public:
  // Throws EInvalidGraphic for an unknown format or an unreadable header.
  void LoadFromEmbedded(const TEmbedded& data);
  TGraphic* Graphic() const { return graphic_.get(); }

 private:
  std::unique_ptr<TGraphic> graphic_;
};

// The images of an icon group (a .ico file), in file order; throws EInvalidGraphic.
std::vector<TIconImage> ReadIcon(const TEmbedded& data);

}  // namespace vcl
