// Measures a windowed program from outside: starts it, watches the root window for its
// first top-level window, and reports, as one line of numbers:
//   map_ms     exec until that window is mapped
//   full_ms    exec until it stands at WxH (when a size is given; else the map time)
//   idle_ms    CPU time it uses while idle for the next IDLE seconds (after 0.5 s settling)
//   rss_kb     its peak resident memory
// Usage: probe [-s WxH] [-i IDLE] program [args...]
#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

double Ms(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

long CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string s((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto close = s.rfind(')');
  if (close == std::string::npos) return -1;
  char* p = &s[close + 2];
  for (int field = 3; field < 14; ++field) p = std::strchr(p, ' ') + 1;  // to utime (14)
  const long utime = std::strtol(p, &p, 10);
  const long stime = std::strtol(p, &p, 10);
  return utime + stime;
}

}  // namespace

int main(int argc, char** argv) {
  int want_w = 0, want_h = 0, idle = 5, first = 1;
  while (first < argc && argv[first][0] == '-') {
    if (!std::strcmp(argv[first], "-s") && first + 1 < argc)
      std::sscanf(argv[++first], "%dx%d", &want_w, &want_h);
    else if (!std::strcmp(argv[first], "-i") && first + 1 < argc)
      idle = std::atoi(argv[++first]);
    ++first;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: probe [-s WxH] [-i IDLE] program [args...]\n");
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "probe: no display\n");
    return 2;
  }
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);

  const auto t0 = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawnp(&pid, argv[first], nullptr, nullptr, argv + first, environ) != 0) return 2;
  Window win = 0;
  double map_ms = -1, full_ms = -1;
  while (full_ms < 0) {
    XEvent e;
    XNextEvent(d, &e);
    const auto now = std::chrono::steady_clock::now();
    if (e.type == MapNotify && !win && e.xmap.event == DefaultRootWindow(d)) {
      win = e.xmap.window;
      map_ms = Ms(t0, now);
      XWindowAttributes a;
      XGetWindowAttributes(d, win, &a);
      if (!want_w || (a.width == want_w && a.height == want_h)) full_ms = map_ms;
    } else if (e.type == ConfigureNotify && e.xconfigure.window == win &&
               e.xconfigure.width == want_w && e.xconfigure.height == want_h) {
      full_ms = Ms(t0, now);
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const long before = CpuTicks(pid);
  std::this_thread::sleep_for(std::chrono::seconds(idle));
  const long after = CpuTicks(pid);
  kill(pid, SIGTERM);
  int status;
  rusage ru{};
  wait4(pid, &status, 0, &ru);
  std::printf("%.2f %.2f %.0f %ld\n", map_ms, full_ms,
              double(after - before) * 1000.0 / double(sysconf(_SC_CLK_TCK)), ru.ru_maxrss);
  XCloseDisplay(d);
  return 0;
}
