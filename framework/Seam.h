// The seam between the framework and a window system. The framework talks to the
// window system only through these interfaces; each backend implements them in its
// own folder, and nothing above this seam includes a native header.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Types.h"

namespace seam {

using vcl::TBitmap;
using vcl::TColor;
using vcl::TCursor;
using vcl::TIconImage;
using vcl::TMouseButton;
using vcl::TPoint;
using vcl::TRect;

// What a backend tells a window's owner. Positions: screen coordinates (origin at the
// primary monitor's top left) and client coordinates (origin at the window's top left).
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // The hit-test answer for a screen point inside the window (HTCLIENT, HTCAPTION, ...).
  virtual int HitTest(TPoint screen) = 0;
  virtual void MouseDown(TMouseButton button, TPoint screen, TPoint client) = 0;
  virtual void MouseUp(TMouseButton button, TPoint screen, TPoint client) = 0;
  virtual void MouseMove(TPoint screen, TPoint client) = 0;
  // The window system placed the window elsewhere (a move by the user).
  virtual void Moved(TPoint screen) = 0;
  // The window system asks the window to close (the window manager's close button).
  virtual void CloseRequest() = 0;
};

struct WindowParams {
  TRect bounds;  // screen coordinates, outer size
  TColor color;  // shown where nothing has been presented yet
  std::string title;
  std::string class_name;
};

// One native top-level window, frameless, created hidden. Each setter is one native call.
class Window {
 public:
  virtual ~Window() = default;
  virtual void SetLeft(int left) = 0;
  virtual void SetTop(int top) = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // The client area's content, at least as large as the window; the window shows its
  // top-left part and keeps showing it as it grows or shrinks.
  virtual void Present(const TBitmap& frame) = 0;
  // The colour key: only the pixels listed in `opaque` (client rectangles) are drawn
  // and take the mouse; std::nullopt means the whole window.
  virtual void SetColorKey(TColor key, const std::optional<std::vector<TRect>>& opaque) = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  virtual void SetIcon(const std::vector<TIconImage>& images) = 0;
  // The window system's interactive move, returning when the user lets go or at once
  // when the window system runs the move on its own.
  virtual void StartSystemMove() = 0;
  virtual void ReleaseCapture() = 0;
  virtual std::uintptr_t Handle() const = 0;
};

struct ScreenMetrics {
  int width = 0;  // the primary monitor
  int height = 0;
  TRect virtual_screen;  // the bounding box of every monitor, screen coordinates
  int pixels_per_inch = 96;
};

// A shell request, with each value as a shell call carries it: absent or a text.
struct ShellRequest {
  std::uintptr_t owner = 0;
  std::optional<std::string> verb;
  std::optional<std::string> file;
  std::optional<std::string> parameters;
  std::optional<std::string> directory;
  int show_command = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Returns a value greater than 32 on success, else the kind of failure.
  virtual int Open(const ShellRequest& request) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;
  virtual std::unique_ptr<Window> CreateWindow(const WindowParams& params,
                                               WindowEvents& events) = 0;
  virtual ScreenMetrics Screen() = 0;
  // Blocks until the window system has something to say and delivers it; returns false
  // when there is nothing more to wait for (on a real display this never happens: a lost
  // connection ends the process with a message).
  virtual bool WaitAndDispatch() = 0;
  virtual Shell& GetShell() = 0;
};

// Opens the window system the program was built for; on failure returns nullptr and
// says why in `error`. Each backend defines it.
std::unique_ptr<Platform> OpenDefault(std::string& error);

}  // namespace seam
