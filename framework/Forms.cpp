#include "Forms.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "Graphics.h"
#include "WinApi.h"

namespace vcl {

namespace {
TApplication default_application;
TScreen default_screen;
}  // namespace

TApplication* Application = &default_application;
TScreen* Screen = &default_screen;

int TScreen::Width() const {
  return Application->Platform().Screen().width;
}
int TScreen::Height() const {
  return Application->Platform().Screen().height;
}
int TScreen::PixelsPerInch() const {
  return Application->Platform().Screen().pixels_per_inch;
}

// --- controls ----------------------------------------------------------------------

TRect TControl::BoundsRect() const {
  if (Align == alClient) return {0, 0, Parent->ClientWidth(), Parent->ClientHeight()};
  return {Left, Top, Width, Height};
}

void TControl::ChangeScale(int m, int d) {
  const int left = MulDiv(Left, m, d), top = MulDiv(Top, m, d);
  Width = MulDiv(Left + Width, m, d) - left;
  Height = MulDiv(Top + Height, m, d) - top;
  Left = left;
  Top = top;
}

void TControl::Paint(TBitmap&, TRect) {}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TImage::ChangeScale(int m, int d) {
  TControl::ChangeScale(m, d);
  scale_m_ *= m;
  scale_d_ *= d;
}

void TImage::Paint(TBitmap& canvas, TRect r) {
  TGraphic* graphic = Picture.Graphic();
  if (!graphic) return;
  const TBitmap* source = &graphic->Bitmap();  // throws on damaged data
  // A scaled layout scales its picture by the same factor, so what is painted stays
  // under the controls laid over it.
  TBitmap scaled;
  if (scale_m_ != scale_d_) {
    scaled = Resample(*source, std::max(1, MulDiv(source->Width, scale_m_, scale_d_)),
                      std::max(1, MulDiv(source->Height, scale_m_, scale_d_)));
    source = &scaled;
  }
  const int w = std::min({r.Width, source->Width, canvas.Width - r.Left});
  const int h = std::min({r.Height, source->Height, canvas.Height - r.Top});
  for (int y = 0; y < h; ++y) {
    if (r.Top + y < 0) continue;
    for (int x = 0; x < w; ++x) {
      if (r.Left + x < 0) continue;
      if (Transparent && source->IsTransparent(x, y)) continue;
      canvas.Pixels[std::size_t(r.Top + y) * canvas.Width + (r.Left + x)] = source->At(x, y);
    }
  }
}

// --- forms ---------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : owner_(owner) {}

TForm::~TForm() = default;

std::uintptr_t TForm::Handle() const {
  return window_ ? window_->Handle() : 0;
}

void TForm::ApplySettings(const TFormSettings& s) {
  assert(s.BorderStyle == bsNone && "this framework makes frameless windows only");
  Name = s.Name;
  left_ = s.Left;
  top_ = s.Top;
  width_ = s.ClientWidth;  // frameless: outer size equals client size
  height_ = s.ClientHeight;
  Color = s.Color;
  TransparentColor = s.TransparentColor;
  TransparentColorValue = s.TransparentColorValue;
  Font = s.Font;
  Position = s.Position;
  pixels_per_inch_ = s.PixelsPerInch;
  text_height_ = s.TextHeight;
  if (s.Icon) icon_ = ReadIcon(*s.Icon);
}

void TForm::FinishLoading() {
  seam::Platform& platform = Application->Platform();
  const int screen_ppi = platform.Screen().pixels_per_inch;
  if (screen_ppi != pixels_per_inch_) {
    // The font is rescaled by screen / designed pixels per inch, and the height of its
    // digit 0 then decides the layout's scale. The framework draws no text, so its
    // stand-in font's 0 measures the designed text height grown in the same
    // proportion, rounded: 13 at 96, 16 at 120, 20 at 144 pixels per inch.
    Font.Height = -MulDiv(-Font.Height, screen_ppi, pixels_per_inch_);
    const int text_height = MulDiv(text_height_, screen_ppi, pixels_per_inch_);
    if (text_height != text_height_) {
      width_ = MulDiv(width_, text_height, text_height_);
      height_ = MulDiv(height_, text_height, text_height_);
      for (auto& c : controls_) c->ChangeScale(text_height, text_height_);
    }
  }
  designed_width_ = width_;
  designed_height_ = height_;
  seam::WindowParams params{{left_, top_, width_, height_}, Color, Application->Title, Name};
  window_ = platform.CreateWindow(params, *this);
  if (!icon_.empty()) window_->SetIcon(icon_);
}

void TForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (const std::exception& e) {
    Application->ShowException(e);
  }
}

void TForm::SetLeft(int v) {
  if (v == left_) return;
  left_ = v;
  if (window_) window_->SetLeft(v);
}

void TForm::SetTop(int v) {
  if (v == top_) return;
  top_ = v;
  if (window_) window_->SetTop(v);
}

void TForm::SetWidth(int v) {
  if (v == width_) return;
  width_ = v;
  if (window_) window_->SetWidth(v);
  if (visible_ && (v > painted_width_)) Paint();
}

void TForm::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  if (window_) window_->SetHeight(v);
  if (visible_ && (v > painted_height_)) Paint();
}

void TForm::Paint() {
  // The frame covers the largest size the form has had, so a form that grows shows
  // more of the same frame and needs no repaint.
  const int w = std::max(width_, painted_width_), h = std::max(height_, painted_height_);
  if (w <= 0 || h <= 0) return;
  TBitmap frame(w, h, Color);
  for (auto& c : controls_) {
    // A control aligned to the client area fills the whole frame.
    const TRect bounds = c->Align == alClient ? TRect{0, 0, w, h} : c->BoundsRect();
    try {
      c->Paint(frame, bounds);
    } catch (const std::exception& e) {
      Application->ShowException(e);
    }
  }
  window_->Present(frame);
  painted_width_ = w;
  painted_height_ = h;
  if (TransparentColor && !key_applied_) {
    window_->SetColorKey(TransparentColorValue, OpaqueRegion(frame, TransparentColorValue));
    key_applied_ = true;
  }
}

void TForm::Show() {
  if (visible_) return;
  if (!shown_once_) {
    shown_once_ = true;
    if (Position == poDesktopCenter) {
      const TRect vs = Application->Platform().Screen().virtual_screen;
      Left = std::max(0, Div(vs.Width - width_, 2));
      Top = std::max(0, Div(vs.Height - height_, 2));
    }
    // The first frame is painted at the form's designed size, which is the largest a
    // form that grows in will reach.
    painted_width_ = std::max(width_, designed_width_);
    painted_height_ = std::max(height_, designed_height_);
    Paint();
  }
  visible_ = true;
  window_->Show();
}

void TForm::Hide() {
  if (!visible_) return;
  visible_ = false;
  captured_ = nullptr;
  window_->Hide();
}

void TForm::Close() {
  if (Application->MainForm == this)
    Application->Terminate();
  else
    Hide();
}

void TForm::WMNCHitTest(TWMNCHitTest& Message) {
  Message.Result = HTCLIENT;
}

TControl* TForm::ControlAt(TPoint client) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if ((*it)->BoundsRect().Contains(client)) return it->get();
  return nullptr;
}

int TForm::HitTest(TPoint screen) {
  TWMNCHitTest message;
  message.XPos = static_cast<std::int16_t>(screen.X);
  message.YPos = static_cast<std::int16_t>(screen.Y);
  WMNCHitTest(message);
  return static_cast<int>(message.Result);
}

void TForm::MouseDown(TMouseButton button, TPoint screen, TPoint client) {
  // The hit test decides first: a caption answer hands the press to the window
  // system's move, and the controls never see it.
  const int code = HitTest(screen);
  if (code == HTCAPTION) {
    window_->StartSystemMove();
    return;
  }
  if (code != HTCLIENT) return;
  TControl* c = ControlAt(client);
  captured_ = c;
  if (!c) return;
  const TRect r = c->BoundsRect();
  const TShiftState shift = button == mbLeft    ? ssLeft
                            : button == mbRight ? ssRight
                                                : TShiftState(ssMiddle);
  c->MouseDown(button, shift, client.X - r.Left, client.Y - r.Top);
}

void TForm::MouseUp(TMouseButton button, TPoint, TPoint client) {
  TControl* c = captured_;
  captured_ = nullptr;
  // A click is a left press and release on the same control.
  if (c && button == mbLeft && c->BoundsRect().Contains(client)) c->Click();
}

void TForm::ReleaseMouseCapture() {
  if (!captured_) return;
  captured_ = nullptr;
  window_->ReleaseCapture();
}

void TForm::UpdateCursor(TPoint screen, TPoint client) {
  TControl* under = HitTest(screen) == HTCLIENT ? ControlAt(client) : nullptr;
  if (under != hovered_) {
    if (hovered_) hovered_->MouseLeave();
    hovered_ = under;
    if (hovered_) hovered_->MouseEnter();
  }
  const TCursor cursor = under ? under->Cursor : crDefault;
  if (cursor != cursor_) {
    cursor_ = cursor;
    window_->SetCursor(cursor);
  }
}

void TForm::MouseMove(TPoint screen, TPoint client) {
  UpdateCursor(screen, client);
}

void TForm::Moved(TPoint screen) {
  left_ = screen.X;
  top_ = screen.Y;
}

void TForm::CloseRequest() {
  Close();
}

// --- application ---------------------------------------------------------------------

TApplication::~TApplication() {
  // Forms go first, newest first, while the window system they live on is still open.
  while (!forms_.empty()) forms_.pop_back();
  platform_.reset();
}

void TApplication::Initialize() {
  if (platform_) return;
  std::string error;
  platform_ = seam::OpenDefault(error);
  if (!platform_) throw Exception(error);
}

void TApplication::Run() {
  if (MainForm) MainForm->Show();
  while (!Terminated)
    if (!platform_->WaitAndDispatch()) break;
}

void TApplication::ShowException(const std::exception& e) {
  std::fprintf(stderr, "%s: %s\n", Title.empty() ? "error" : Title.c_str(), e.what());
}

void TApplication::ReleaseCapture() {
  for (auto& f : forms_) f->ReleaseMouseCapture();
}

TForm* TApplication::FindForm(std::uintptr_t handle) const {
  for (auto& f : forms_)
    if (f->Handle() == handle) return f.get();
  return nullptr;
}

std::string TitleFromExecutable(const std::string& path) {
  std::string name = path.substr(path.find_last_of("/\\") + 1);
  name = name.substr(0, name.find('.'));
  for (std::size_t i = 1; i < name.size(); ++i)
    if (name[i] >= 'A' && name[i] <= 'Z') name[i] = char(name[i] - 'A' + 'a');
  return name;
}

}  // namespace vcl
