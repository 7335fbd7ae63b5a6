// Drives the real launcher on a real X server: a private Xvfb per test, a scratch
// medium folder with stand-ins for the installer and the desktop's opener, xdotool for
// the user's hands, and a client connection of the test's own to look from outside.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace it {

namespace fs = std::filesystem;

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Geometry&) const = default;
};
std::string ToString(const Geometry& g);

// Polls `ready` every 10 ms until it holds or `timeout` passes.
bool WaitFor(const std::function<bool()>& ready,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// A private X server, started for one test and stopped after it.
class XServer {
 public:
  explicit XServer(int width = 1024, int height = 768, const std::string& extra = "");
  ~XServer();
  XServer(const XServer&) = delete;
  const std::string& name() const { return name_; }
  Display* dpy() const { return dpy_; }
  void Kill();  // the server goes away at once, as on a crash
  // Starts openbox on this server and waits until it manages windows.
  void StartWindowManager();

 private:
  std::string name_;
  pid_t pid_ = -1;
  pid_t wm_ = -1;
  Display* dpy_ = nullptr;
};

// A medium folder: Setup/setup qrb.exe records each start (folder, argument count, pid)
// in installer.log and then stays running a while; bin/xdg-open records what it was
// given in opener.log.
class Medium {
 public:
  explicit Medium(bool with_setup = true);
  ~Medium();
  const fs::path& dir() const { return dir_; }
  std::vector<std::string> InstallerLog() const { return Lines(dir_ / "installer.log"); }
  std::vector<std::string> OpenerLog() const { return Lines(dir_ / "opener.log"); }
  std::string path_env() const;

 private:
  static std::vector<std::string> Lines(const fs::path& p);
  fs::path dir_;
};

// A program started with the display and PATH of the test; its output is kept.
class Process {
 public:
  Process(const std::vector<std::string>& argv, const fs::path& cwd,
          const std::vector<std::string>& env);
  ~Process();
  pid_t pid() const { return pid_; }
  // Waits for the exit; the exit code, or std::nullopt on timeout or a signal.
  std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
  bool Running();
  std::string Stderr() const;

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;
  fs::path err_;
};

// The launcher under test, started from a medium on a server.
class Launcher {
 public:
  Launcher(XServer& x, Medium& m, const std::string& binary = SETUP_BINARY);
  Process& process() { return process_; }
  // The top-level window of the given class (frm_utama, frm_msg) of this process.
  Window Find(const std::string& res_name);
  // Waits until the launcher stands mapped at its full size.
  Window AwaitFullSize();
  Geometry Where(Window w);
  bool Mapped(Window w);

 private:
  XServer& x_;
  Process process_;
};

// The user's hands: runs `xdotool ARGS` on the server, waiting for it to finish.
void Xdo(const XServer& x, const std::string& args);
// Clicks the left button at root point (x, y).
void ClickAt(const XServer& x, int px, int py);
// Presses `button` at (x0, y0), moves in small steps to (x1, y1), releases.
void Drag(const XServer& x, int button, int x0, int y0, int x1, int y1);

// The pixels of a root area as 0x00RRGGBB.
std::vector<std::uint32_t> Grab(Display* dpy, int x, int y, int w, int h);

// True when the test client can take the pointer: nobody else holds a grab.
bool PointerFree(Display* dpy);

}  // namespace it
