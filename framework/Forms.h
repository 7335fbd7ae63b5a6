// The form framework the program is written against: the application object, forms
// built from descriptions, and the controls on them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Pictures.h"
#include "Seam.h"
#include "Types.h"

namespace vcl {

class TObject {
 public:
  virtual ~TObject() = default;
};

class TComponent : public TObject {
 public:
  std::string Name;
};

enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32
};
using TShiftState = unsigned;
enum TBorderStyle { bsNone };
enum TPosition { poDesigned, poDesktopCenter };
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
inline constexpr int DEFAULT_CHARSET = 1;

struct TFont {
  const char* Name = "";
  int Height = 0;
  TColor Color = clWindowText;
  int Charset = DEFAULT_CHARSET;
  unsigned Style = 0;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

// The window system's hit-test message: the cursor's screen position as two signed
// 16-bit values and the answer the handlers settle on.
struct TWMNCHitTest {
  unsigned Msg = 0x0084;
  std::int16_t XPos = 0;
  std::int16_t YPos = 0;
  std::intptr_t Result = HTNOWHERE;
};

class TForm;

class TControl : public TComponent {
 public:
  explicit TControl(TForm* parent) : Parent(parent) {}
  int Left = 0, Top = 0, Width = 0, Height = 0;
  TAlign Align = alNone;
  TCursor Cursor = crDefault;
  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;

  // Client rectangle of the control on its form (alClient follows the form's size).
  TRect BoundsRect() const;
  // Scales the bounds by m / d, edges rounded so adjacent controls stay adjacent.
  virtual void ChangeScale(int m, int d);
  // Draws the control into `canvas` at `bounds` (its place in a frame of the form).
  virtual void Paint(TBitmap& canvas, TRect bounds);
  virtual void Click();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

 protected:
  TForm* Parent;
};

// A picture control: draws its picture unscaled at its top left, clipped to its
// bounds. Without a picture it draws nothing and is an invisible hot spot that still
// takes clicks and shows its cursor.
class TImage : public TControl {
 public:
  using TControl::TControl;
  TPicture Picture;
  bool Transparent = false;
  void ChangeScale(int m, int d) override;
  void Paint(TBitmap& canvas, TRect bounds) override;

 private:
  int scale_m_ = 1;
  int scale_d_ = 1;
};

// A form's settings as its description gives them.
struct TFormSettings {
  const char* Name = "";
  int Left = 0, Top = 0, ClientWidth = 0, ClientHeight = 0;
  TBorderStyle BorderStyle = bsNone;
  unsigned BorderIcons = 0;
  TColor Color = clWhite;
  bool TransparentColor = false;
  TColor TransparentColorValue = clBlack;
  TFont Font{};
  int PixelsPerInch = 96;
  int TextHeight = 13;
  TPosition Position = poDesigned;
  bool OldCreateOrder = false;
  const TEmbedded* Icon = nullptr;
};

// An integer property of a form: reads and assignments go through the form, so an
// assignment of a new value reaches the native window at once.
class TIntProperty {
 public:
  using Getter = int (TForm::*)() const;
  using Setter = void (TForm::*)(int);
  TIntProperty(TForm* form, Getter get, Setter set) : form_(form), get_(get), set_(set) {}
  TIntProperty(const TIntProperty&) = delete;
  operator int() const { return (form_->*get_)(); }
  TIntProperty& operator=(int value) {
    (form_->*set_)(value);
    return *this;
  }
  TIntProperty& operator=(const TIntProperty& other) { return *this = int(other); }

 private:
  TForm* form_;
  Getter get_;
  Setter set_;
};

class TApplication;

class TForm : public TComponent, private seam::WindowEvents {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // Outer size and screen position. Assigning a new value is one native call at once;
  // assigning the value already held does nothing.
  TIntProperty Left{this, &TForm::GetLeft, &TForm::SetLeft};
  TIntProperty Top{this, &TForm::GetTop, &TForm::SetTop};
  TIntProperty Width{this, &TForm::GetWidth, &TForm::SetWidth};
  TIntProperty Height{this, &TForm::GetHeight, &TForm::SetHeight};

  TColor Color = clWhite;
  bool TransparentColor = false;
  TColor TransparentColorValue = clBlack;
  TPosition Position = poDesigned;
  TFont Font{};
  TNotifyEvent OnCreate;

  void Show();
  void Hide();
  // Closes the form: the main form ends the application, any other only hides.
  void Close();
  bool Visible() const { return visible_; }
  std::uintptr_t Handle() const;
  const std::vector<std::unique_ptr<TControl>>& Controls() const { return controls_; }
  int ClientWidth() const { return width_; }
  int ClientHeight() const { return height_; }

  // Hit-test message handler; the default answers HTCLIENT everywhere in the window.
  // Overrides call it first, then adjust the result.
  virtual void WMNCHitTest(TWMNCHitTest& Message);

  // --- used while a description is applied (see Description.h) ---
  void ApplySettings(const TFormSettings& settings);
  template <class C>
  C* AddControl() {
    controls_.push_back(std::make_unique<C>(this));
    return static_cast<C*>(controls_.back().get());
  }
  // Scales the layout for the screen's pixels per inch, then makes the native window.
  void FinishLoading();
  // Runs the creation handler; a failure in it is reported and creation goes on.
  void DoCreate();

  seam::Window* NativeWindow() const { return window_.get(); }
  // Ends the mouse capture a press on this form started, if it still holds one.
  void ReleaseMouseCapture();

 private:
  int GetLeft() const { return left_; }
  int GetTop() const { return top_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetLeft(int v);
  void SetTop(int v);
  void SetWidth(int v);
  void SetHeight(int v);
  void Paint();
  TControl* ControlAt(TPoint client) const;
  void UpdateCursor(TPoint screen, TPoint client);

  // seam::WindowEvents
  int HitTest(TPoint screen) override;
  void MouseDown(TMouseButton button, TPoint screen, TPoint client) override;
  void MouseUp(TMouseButton button, TPoint screen, TPoint client) override;
  void MouseMove(TPoint screen, TPoint client) override;
  void Moved(TPoint screen) override;
  void CloseRequest() override;

  friend class TApplication;

  TComponent* owner_;
  std::vector<std::unique_ptr<TControl>> controls_;
  std::unique_ptr<seam::Window> window_;
  std::vector<TIconImage> icon_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int pixels_per_inch_ = 96, text_height_ = 13;
  int designed_width_ = 0, designed_height_ = 0;
  int painted_width_ = 0, painted_height_ = 0;
  bool visible_ = false;
  bool shown_once_ = false;
  bool key_applied_ = false;
  TControl* captured_ = nullptr;
  TControl* hovered_ = nullptr;
  TCursor cursor_ = crDefault;
};

class TApplication : public TComponent {
 public:
  TApplication() = default;
  ~TApplication() override;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Opens the window system; throws Exception when it cannot.
  void Initialize();
  // Makes the form from its class's description. `Reference` points at the form before
  // its creation handler runs; the first form created becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    forms_.push_back(std::make_unique<T>(this));
    T* form = static_cast<T*>(forms_.back().get());
    Reference = form;
    LoadDescription(*form, T::Description);  // found by argument-dependent lookup
    if (!MainForm) MainForm = form;
  }
  // Shows the main form and handles window messages until the application terminates.
  void Run();
  void Terminate() { Terminated = true; }
  // Reports an error to the user (standard error, prefixed with the title).
  void ShowException(const std::exception& e);

  TForm* MainForm = nullptr;
  bool Terminated = false;
  // The executable's file name up to its first dot, every character after the first
  // in lower case (LAUNCH.EXE gives Launch).
  std::string Title;

  // The window system in use; tests hand in a fake one before Initialize.
  void UsePlatform(std::unique_ptr<seam::Platform> platform) { platform_ = std::move(platform); }
  seam::Platform& Platform() const { return *platform_; }
  bool HasPlatform() const { return platform_ != nullptr; }
  TForm* FindForm(std::uintptr_t handle) const;
  // Ends the mouse capture of whichever form holds it.
  void ReleaseCapture();

 private:
  std::unique_ptr<seam::Platform> platform_;
  std::vector<std::unique_ptr<TForm>> forms_;
};

// The primary display, read afresh from the window system at every call.
class TScreen {
 public:
  int Width() const;
  int Height() const;
  int PixelsPerInch() const;
};

// The application object of this process, and its screen.
extern TApplication* Application;
extern TScreen* Screen;

// Derives the default application title from an executable path.
std::string TitleFromExecutable(const std::string& path);

}  // namespace vcl
