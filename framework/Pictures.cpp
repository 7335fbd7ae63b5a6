#include "Pictures.h"

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>

namespace vcl {
namespace {

[[noreturn]] void Fail(const std::string& name, const std::string& why) {
  throw EInvalidGraphic("cannot decode picture '" + name + "': " + why);
}

// A header may claim any size; pictures beyond this many pixels are refused rather
// than allocated.
constexpr long kMaxPixels = 16L * 1024 * 1024;

void CheckSize(const std::string& name, int w, int h) {
  if (w <= 0 || h <= 0) Fail(name, "empty picture");
  if (long(w) * h > kMaxPixels)
    Fail(name, std::to_string(w) + " x " + std::to_string(h) + " pixels is too large");
}

// --- JPEG ---------------------------------------------------------------------
// libjpeg reports errors through a callback that must not return; the default one
// calls exit(). Ours records the message and jumps back to the caller.
struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  int warnings;
};

void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void JpegEmit(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  if (level < 0 && err->warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->message);
}

void JpegOutput(j_common_ptr) {}

// Decodes with libjpeg into `out` (or reads only the header when out is null).
// Returns an empty string on success, else libjpeg's message. Kept free of C++
// objects with destructors so the longjmp out of libjpeg skips nothing.
std::string RunJpeg(const TEmbedded& data, int* width, int* height, TBitmap* out) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  std::memset(&err, 0, sizeof err);
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  err.mgr.emit_message = JpegEmit;
  err.mgr.output_message = JpegOutput;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return err.message;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.Data, static_cast<unsigned long>(data.Size));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.num_components != 3 && cinfo.num_components != 1) {
    std::snprintf(err.message, sizeof err.message, "%d colour components are not supported",
                  cinfo.num_components);
    jpeg_destroy_decompress(&cinfo);
    return err.message;
  }
  *width = static_cast<int>(cinfo.image_width);
  *height = static_cast<int>(cinfo.image_height);
  if (out) {
    // Rows are decoded straight into the picture, four bytes a pixel laid out so that
    // each reads as 0x??RRGGBB; the filler byte is cleared afterwards.
    cinfo.out_color_space =
        std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_start_decompress(&cinfo);
    if (int(cinfo.output_width) != out->Width || int(cinfo.output_height) != out->Height) {
      std::snprintf(err.message, sizeof err.message, "size changed while decoding");
      jpeg_destroy_decompress(&cinfo);
      return err.message;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(
          out->Pixels.data() + std::size_t(cinfo.output_scanline) * cinfo.output_width);
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    for (TColor& px : out->Pixels) px &= 0xFFFFFF;
    jpeg_finish_decompress(&cinfo);
  }
  jpeg_destroy_decompress(&cinfo);
  return err.warnings ? err.message : "";
}

// --- GIF ------------------------------------------------------------------------
struct GifSource {
  const TEmbedded* data;
  std::size_t at;
};

int GifRead(GifFileType* gif, GifByteType* buf, int len) {
  auto* src = static_cast<GifSource*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(std::size_t(len), src->data->Size - src->at);
  std::memcpy(buf, src->data->Data + src->at, n);
  src->at += n;
  return int(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored;
    DGifCloseFile(gif, &ignored);
  }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

GifPtr OpenGif(const TEmbedded& data, GifSource& src) {
  int error = 0;
  GifPtr gif(DGifOpen(&src, GifRead, &error));
  if (!gif) Fail(data.Name, GifErrorString(error) ? GifErrorString(error) : "unreadable header");
  return gif;
}

std::vector<TColor> ToColors(const ColorMapObject* map) {
  std::vector<TColor> out;
  if (!map) return out;
  for (int i = 0; i < map->ColorCount; ++i) {
    const GifColorType& c = map->Colors[i];
    out.push_back(TColor(c.Red) << 16 | TColor(c.Green) << 8 | c.Blue);
  }
  return out;
}

std::uint32_t Le32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const unsigned char* p) {
  return std::uint16_t(p[0] | p[1] << 8);
}

}  // namespace

const TBitmap& TGraphic::Bitmap() {
  if (bitmap_) return *bitmap_;
  if (!error_.empty()) throw EInvalidGraphic(error_);
  try {
    bitmap_ = std::make_unique<TBitmap>(Decode());
  } catch (const EInvalidGraphic& e) {
    error_ = e.what();
    throw;
  }
  return *bitmap_;
}

TJPEGImage::TJPEGImage(const TEmbedded& data) : TGraphic(data, 0, 0) {
  int w = 0, h = 0;
  const std::string error = RunJpeg(data, &w, &h, nullptr);
  if (!error.empty()) Fail(data.Name, error);
  CheckSize(data.Name, w, h);
  SetSize(w, h);
}

TBitmap TJPEGImage::Decode() {
  TBitmap out(Width(), Height(), clBlack);
  int w = 0, h = 0;
  const std::string error = RunJpeg(data_, &w, &h, &out);
  if (!error.empty()) Fail(Name(), error);
  if (w != Width() || h != Height()) Fail(Name(), "size changed while decoding");
  return out;
}

TGIFImage::TGIFImage(const TEmbedded& data) : TGraphic(data, 0, 0) {
  GifSource src{&data, 0};
  GifPtr gif = OpenGif(data, src);
  CheckSize(data.Name, gif->SWidth, gif->SHeight);
  SetSize(gif->SWidth, gif->SHeight);
  palette_ = ToColors(gif->SColorMap);
}

TBitmap TGIFImage::Decode() {
  GifSource src{&data_, 0};
  GifPtr gif = OpenGif(data_, src);
  if (DGifSlurp(gif.get()) != GIF_OK) {
    const char* why = GifErrorString(gif->Error);
    Fail(Name(), why ? why : "damaged image data");
  }
  if (gif->ImageCount < 1) Fail(Name(), "no image");
  const SavedImage& image = gif->SavedImages[0];
  const GifImageDesc& d = image.ImageDesc;
  if (d.Left < 0 || d.Top < 0 || d.Width <= 0 || d.Height <= 0 || d.Left + d.Width > Width() ||
      d.Top + d.Height > Height())
    Fail(Name(), "image larger than its screen");
  const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
  if (!map || map->ColorCount <= 0) Fail(Name(), "no palette");
  const std::vector<TColor> colors = ToColors(map);
  GraphicsControlBlock gcb{};
  gcb.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif.get(), 0, &gcb);
  if (gcb.TransparentColor != NO_TRANSPARENT_COLOR &&
      (gcb.TransparentColor < 0 || gcb.TransparentColor >= map->ColorCount))
    Fail(Name(), "transparent entry " + std::to_string(gcb.TransparentColor) +
                     " outside the palette of " + std::to_string(map->ColorCount));
  transparent_ = gcb.TransparentColor;

  // Outside the image the picture is transparent, as it is on the transparent entry.
  TBitmap out(Width(), Height(), clWhite);
  out.Transparent.assign(out.Pixels.size(), true);
  for (int y = 0; y < d.Height; ++y) {
    for (int x = 0; x < d.Width; ++x) {
      const int index = image.RasterBits[std::size_t(y) * d.Width + x];
      if (index >= map->ColorCount) Fail(Name(), "pixel outside the palette");
      const std::size_t at = std::size_t(d.Top + y) * Width() + (d.Left + x);
      out.Pixels[at] = colors[std::size_t(index)];
      out.Transparent[at] = index == transparent_;
    }
  }
  return out;
}

void TPicture::LoadFromEmbedded(const TEmbedded& data) {
  const auto starts = [&](const char* magic, std::size_t n) {
    return data.Size >= n && std::memcmp(data.Data, magic, n) == 0;
  };
  if (starts("\xFF\xD8", 2))
    graphic_ = std::make_unique<TJPEGImage>(data);
  else if (starts("GIF8", 4))
    graphic_ = std::make_unique<TGIFImage>(data);
  else
    Fail(data.Name, "unknown picture format");
}

std::vector<TIconImage> ReadIcon(const TEmbedded& data) {
  const unsigned char* p = data.Data;
  const auto fail = [&](const char* why) -> std::vector<TIconImage> {
    throw EInvalidGraphic(std::string("cannot read icon '") + data.Name + "': " + why);
  };
  if (data.Size < 6 || Le16(p) != 0 || Le16(p + 2) != 1) return fail("not an icon group");
  const int count = Le16(p + 4);
  if (data.Size < 6 + 16 * std::size_t(count)) return fail("truncated directory");
  std::vector<TIconImage> images;
  for (int i = 0; i < count; ++i) {
    const unsigned char* e = p + 6 + 16 * i;
    const int size = e[0] ? e[0] : 256;
    const std::uint32_t bytes = Le32(e + 8), offset = Le32(e + 12);
    if (offset > data.Size || bytes > data.Size - offset || bytes < 40)
      return fail("truncated image");
    const unsigned char* dib = p + offset;
    const int w = int(Le32(dib + 4)), h2 = int(Le32(dib + 8)), bpp = Le16(dib + 14);
    if (Le32(dib) < 40 || w != size || h2 != 2 * size) return fail("image size mismatch");
    if (bpp != 32) return fail("only 32-bit images are supported");
    const std::size_t need = Le32(dib) + std::size_t(size) * size * 4;
    if (need > bytes) return fail("truncated pixels");
    TIconImage image{size, bpp, std::vector<std::uint32_t>(std::size_t(size) * size)};
    const unsigned char* px = dib + Le32(dib);
    for (int y = 0; y < size; ++y)  // rows are stored bottom up, as BGRA
      for (int x = 0; x < size; ++x) {
        const unsigned char* q = px + (std::size_t(size - 1 - y) * size + x) * 4;
        image.Argb[std::size_t(y) * size + x] =
            std::uint32_t(q[3]) << 24 | std::uint32_t(q[2]) << 16 | std::uint32_t(q[1]) << 8 | q[0];
      }
    images.push_back(std::move(image));
  }
  return images;
}

}  // namespace vcl
