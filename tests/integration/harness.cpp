#include "harness.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace it {

using namespace std::chrono_literals;

std::string ToString(const Geometry& g) {
  return std::to_string(g.width) + "x" + std::to_string(g.height) + "+" + std::to_string(g.x) +
         "+" + std::to_string(g.y);
}

bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

namespace {

pid_t SpawnQuiet(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                 const char* err_file = "/dev/null", const char* cwd = nullptr) {
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (char** e = environ; *e; ++e) {
    const std::string kv = *e;
    bool replaced = false;
    for (const auto& o : env)
      replaced |= kv.substr(0, kv.find('=') + 1) == o.substr(0, o.find('=') + 1);
    if (!replaced) envp.push_back(*e);
  }
  for (const auto& o : env)
    if (o.back() != '=') envp.push_back(const_cast<char*>(o.c_str()));  // "NAME=" unsets
  envp.push_back(nullptr);
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 2, err_file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (cwd) posix_spawn_file_actions_addchdir_np(&fa, cwd);
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, args[0], &fa, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&fa);
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
  return pid;
}

bool Exists(const std::string& p) {
  return access(p.c_str(), F_OK) == 0;
}

}  // namespace

XServer::XServer(int width, int height, const std::string& extra) {
  int n = 200 + (getpid() % 300);
  while (Exists("/tmp/.X" + std::to_string(n) + "-lock") ||
         Exists("/tmp/.X11-unix/X" + std::to_string(n)))
    ++n;
  name_ = ":";  // built in two steps: GCC 12 misreports the one-line form (-Wrestrict)
  name_ += std::to_string(n);
  std::vector<std::string> argv = {"Xvfb",
                                   name_,
                                   "-screen",
                                   "0",
                                   std::to_string(width) + "x" + std::to_string(height) + "x24",
                                   "-nolisten",
                                   "tcp"};
  if (!extra.empty()) argv.push_back(extra);
  pid_ = SpawnQuiet(argv, {});
  WaitFor([&] { return (dpy_ = XOpenDisplay(name_.c_str())) != nullptr; });
  if (!dpy_) throw std::runtime_error("Xvfb did not start on " + name_);
}

XServer::~XServer() {
  if (wm_ > 0) {
    kill(wm_, SIGTERM);
    waitpid(wm_, nullptr, 0);
  }
  Kill();
}

void XServer::Kill() {
  if (dpy_) XCloseDisplay(dpy_);  // the test's own connection must not see the server die
  dpy_ = nullptr;
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

void XServer::StartWindowManager() {
  wm_ = SpawnQuiet({"openbox", "--sm-disable"}, {"DISPLAY=" + name_});
  const Atom check = XInternAtom(dpy_, "_NET_SUPPORTING_WM_CHECK", False);
  const bool up = WaitFor([&] {
    Atom type;
    int format;
    unsigned long n = 0, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(dpy_, DefaultRootWindow(dpy_), check, 0, 1, False, XA_WINDOW, &type, &format,
                       &n, &after, &data);
    if (data) XFree(data);
    return n == 1;
  });
  if (!up) throw std::runtime_error("openbox did not start");
  std::this_thread::sleep_for(200ms);
}

Medium::Medium(bool with_setup) {
  char tmpl[] = "/tmp/medium-XXXXXX";
  dir_ = mkdtemp(tmpl);
  fs::create_directories(dir_ / "bin");
  const auto script = [](const fs::path& p, const std::string& body) {
    std::ofstream(p) << "#!/bin/sh\n" << body;
    fs::permissions(p, fs::perms::owner_all);
  };
  if (with_setup) {
    fs::create_directories(dir_ / "Setup");
    script(dir_ / "Setup" / "setup qrb.exe", "echo \"dir=$(pwd) argc=$# pid=$$\" >> '" +
                                                 (dir_ / "installer.log").string() +
                                                 "'\nexec sleep 20\n");
  }
  script(dir_ / "bin" / "xdg-open",
         "for a in \"$@\"; do echo \"$a\"; done >> '" + (dir_ / "opener.log").string() + "'\n");
}

Medium::~Medium() {
  // Stand-in installers still sleeping are ended with the medium.
  for (const std::string& line : InstallerLog()) {
    const auto at = line.find("pid=");
    if (at != std::string::npos) kill(std::stoi(line.substr(at + 4)), SIGKILL);
  }
  fs::remove_all(dir_);
}

std::string Medium::path_env() const {
  return "PATH=" + (dir_ / "bin").string() + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "");
}

std::vector<std::string> Medium::Lines(const fs::path& p) {
  std::vector<std::string> out;
  std::ifstream in(p);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

Process::Process(const std::vector<std::string>& argv, const fs::path& cwd,
                 const std::vector<std::string>& env) {
  char tmpl[] = "/tmp/launcher-err-XXXXXX";
  close(mkstemp(tmpl));
  err_ = tmpl;
  pid_ = SpawnQuiet(argv, env, err_.c_str(), cwd.c_str());
}

Process::~Process() {
  if (!reaped_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  fs::remove(err_);
}

std::optional<int> Process::Wait(std::chrono::milliseconds timeout) {
  WaitFor([&] { return !Running(); }, timeout);
  if (!reaped_ || !WIFEXITED(status_)) return std::nullopt;
  return WEXITSTATUS(status_);
}

bool Process::Running() {
  if (reaped_) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

std::string Process::Stderr() const {
  std::ifstream in(err_);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Launcher::Launcher(XServer& x, Medium& m, const std::string& binary)
    : x_(x), process_({binary}, m.dir(), {"DISPLAY=" + x.name(), m.path_env()}) {}

Window Launcher::Find(const std::string& res_name) {
  Display* d = x_.dpy();
  const Atom pid_atom = XInternAtom(d, "_NET_WM_PID", False);
  std::function<Window(Window, int)> search = [&](Window w, int depth) -> Window {
    Window root, parent, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i) {
      Atom type;
      int format;
      unsigned long count = 0, after;
      unsigned char* data = nullptr;
      XGetWindowProperty(d, kids[i], pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data);
      const bool ours = data && count == 1 && *reinterpret_cast<long*>(data) == process_.pid();
      if (data) XFree(data);
      XClassHint hint{};
      if (ours && XGetClassHint(d, kids[i], &hint)) {
        if (res_name == hint.res_name) found = kids[i];
        XFree(hint.res_name);
        XFree(hint.res_class);
      }
      if (!found && depth < 2) found = search(kids[i], depth + 1);
    }
    if (kids) XFree(kids);
    return found;
  };
  return search(DefaultRootWindow(d), 0);
}

Geometry Launcher::Where(Window w) {
  Window root, child;
  int x, y, rx, ry;
  unsigned width, height, border, depth;
  XGetGeometry(x_.dpy(), w, &root, &x, &y, &width, &height, &border, &depth);
  XTranslateCoordinates(x_.dpy(), w, root, 0, 0, &rx, &ry, &child);
  return {rx, ry, int(width), int(height)};
}

bool Launcher::Mapped(Window w) {
  XWindowAttributes a;
  return XGetWindowAttributes(x_.dpy(), w, &a) && a.map_state == IsViewable;
}

Window Launcher::AwaitFullSize() {
  Window w = 0;
  WaitFor([&] {
    if (!w) w = Find("frm_utama");
    if (!w) return false;
    const Geometry g = Where(w);
    return Mapped(w) && g.width == 466 && g.height == 293;
  });
  if (!w) throw std::runtime_error("the launcher's window did not appear: " + process_.Stderr());
  return w;
}

void Xdo(const XServer& x, const std::string& args) {
  const std::string cmd = "DISPLAY=" + x.name() + " xdotool " + args;
  if (std::system(cmd.c_str()) != 0) throw std::runtime_error("failed: " + cmd);
}

void ClickAt(const XServer& x, int px, int py) {
  Xdo(x, "mousemove " + std::to_string(px) + " " + std::to_string(py) + " sleep 0.05 click 1");
  std::this_thread::sleep_for(100ms);
}

void Drag(const XServer& x, int button, int x0, int y0, int x1, int y1) {
  std::string args = "mousemove " + std::to_string(x0) + " " + std::to_string(y0) +
                     " sleep 0.05 mousedown " + std::to_string(button);
  for (int i = 1; i <= 5; ++i)
    args += " sleep 0.05 mousemove " + std::to_string(x0 + (x1 - x0) * i / 5) + " " +
            std::to_string(y0 + (y1 - y0) * i / 5);
  args += " sleep 0.1 mouseup " + std::to_string(button);
  Xdo(x, args);
  std::this_thread::sleep_for(200ms);
}

std::vector<std::uint32_t> Grab(Display* dpy, int x, int y, int w, int h) {
  XImage* img =
      XGetImage(dpy, DefaultRootWindow(dpy), x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
  std::vector<std::uint32_t> out;
  if (!img) return out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(std::uint32_t(XGetPixel(img, i, j)) & 0xFFFFFF);
  XDestroyImage(img);
  return out;
}

bool PointerFree(Display* dpy) {
  const int rc = XGrabPointer(dpy, DefaultRootWindow(dpy), False, ButtonPressMask, GrabModeAsync,
                              GrabModeAsync, None, None, CurrentTime);
  XUngrabPointer(dpy, CurrentTime);
  XSync(dpy, False);
  return rc == GrabSuccess;
}

}  // namespace it
