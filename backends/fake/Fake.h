// A window system that records every native call, in order, with scripted screen
// metrics and injected input. Unit tests run on it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Seam.h"

namespace fake {

struct Log {
  std::vector<std::string> calls;  // "frm_utama.SetWidth 42", "Shell.Open ..."
  void Add(std::string call) { calls.push_back(std::move(call)); }
  // Calls recorded since index `from`, optionally only those starting with `prefix`.
  std::vector<std::string> Since(std::size_t from, const std::string& prefix = "") const;
};

class Window : public seam::Window {
 public:
  Window(Log& log, const seam::WindowParams& p, seam::WindowEvents& events, std::uintptr_t handle)
      : log_(log), name_(p.class_name), events_(events), handle_(handle), bounds_(p.bounds) {}
  void SetLeft(int v) override;
  void SetTop(int v) override;
  void SetWidth(int v) override;
  void SetHeight(int v) override;
  void Show() override;
  void Hide() override;
  void Present(const seam::TBitmap& frame) override;
  void SetColorKey(seam::TColor key,
                   const std::optional<std::vector<seam::TRect>>& opaque) override;
  void SetCursor(seam::TCursor cursor) override;
  void SetIcon(const std::vector<seam::TIconImage>& images) override;
  void StartSystemMove() override;
  void ReleaseCapture() override;
  std::uintptr_t Handle() const override { return handle_; }

  // Input as a user would give it, at a client point of this window.
  void Press(seam::TMouseButton b, seam::TPoint client);
  void Release(seam::TMouseButton b, seam::TPoint client);
  void Click(seam::TPoint client);  // left press and release
  void Move(seam::TPoint client);
  // The window system moved the window (a drag), to screen position `to`.
  void MovedBySystem(seam::TPoint to);
  void RequestClose() { events_.CloseRequest(); }
  int HitTest(seam::TPoint screen) { return events_.HitTest(screen); }

  const std::string& Name() const { return name_; }
  seam::TRect Bounds() const { return bounds_; }
  bool Visible() const { return visible_; }
  seam::TCursor Cursor() const { return cursor_; }
  const seam::TBitmap& Frame() const { return frame_; }
  const std::optional<std::vector<seam::TRect>>& Shape() const { return shape_; }
  bool ShapeSet() const { return shape_set_; }
  const std::vector<seam::TIconImage>& Icon() const { return icon_; }

 private:
  seam::TPoint Screen(seam::TPoint client) const {
    return {bounds_.Left + client.X, bounds_.Top + client.Y};
  }
  Log& log_;
  std::string name_;
  seam::WindowEvents& events_;
  std::uintptr_t handle_;
  seam::TRect bounds_;
  bool visible_ = false;
  seam::TCursor cursor_ = seam::TCursor::crDefault;
  seam::TBitmap frame_;
  std::optional<std::vector<seam::TRect>> shape_;
  bool shape_set_ = false;
  std::vector<seam::TIconImage> icon_;
};

class Shell : public seam::Shell {
 public:
  explicit Shell(Log& log) : log_(log) {}
  int Open(const seam::ShellRequest& r) override;
  std::vector<seam::ShellRequest> requests;
  int result = 42;

 private:
  Log& log_;
};

class Platform : public seam::Platform {
 public:
  Platform() : shell_(log) {}
  std::unique_ptr<seam::Window> CreateWindow(const seam::WindowParams& p,
                                             seam::WindowEvents& events) override;
  seam::ScreenMetrics Screen() override;
  // Runs the next injected event; false when none is left.
  bool WaitAndDispatch() override;
  seam::Shell& GetShell() override { return shell_; }

  // Test side.
  Window* Find(const std::string& name) const;
  void Queue(std::function<void()> event) { events.push_back(std::move(event)); }
  Log log;
  seam::ScreenMetrics metrics{1024, 768, {0, 0, 1024, 768}, 96};
  int screen_reads = 0;
  Shell& shell() { return shell_; }

 private:
  Shell shell_;
  std::deque<std::function<void()>> events;
  std::map<std::string, Window*> windows_;
  std::uintptr_t next_handle_ = 0x1000;
};

// The platform the next Application::Initialize opens when nothing was handed in; set
// by tests that run code which calls Initialize itself.
void PrepareDefault(std::unique_ptr<Platform> platform);

}  // namespace fake
