#include <gtest/gtest.h>

#include "fixture.h"

using vcl::TPoint;

namespace {

struct Route {
  TPoint client;
  const char* expect;  // "install", "exit", "link", "drag" (background) or "caption"
};

class LauncherTest : public OnFake {};

}  // namespace

TEST_F(LauncherTest, PressesGoToTheTopmostControlUnderThePointer) {
  const Route routes[] = {
      {{200, 150}, "install"}, {{170, 146}, "install"}, {{296, 183}, "install"},
      {{297, 183}, "drag"},    {{100, 150}, "drag"},    {{200, 190}, "drag"},
      {{200, 184}, "drag"},    {{200, 199}, "drag"},    {{200, 200}, "exit"},
      {{140, 270}, "link"},    {{333, 287}, "link"},    {{140, 290}, "drag"},
      {{134, 263}, "link"},    {{10, 0}, "caption"},    {{465, 39}, "caption"},
      {{200, 40}, "drag"},
  };
  fake::Window& w = Launcher();
  fake->shell().result = 42;
  for (const Route& r : routes) {
    SCOPED_TRACE(std::to_string(r.client.X) + "," + std::to_string(r.client.Y));
    const std::size_t mark = fake->log.calls.size();
    w.Click(r.client);
    const auto calls = fake->log.Since(mark);
    const std::string what = r.expect;
    std::vector<std::string> want;
    if (what == "install")
      want = {"Shell.Open owner=" + std::to_string(w.Handle()) +
              " verb=\"open\" file=\"Setup\\setup qrb.exe\" parameters=\"\" directory=\"\" show=1"};
    else if (what == "link")
      want = {
          "Shell.Open owner=0 verb=\"open\" file=\"http://www.example.com/\" "
          "parameters=absent directory=absent show=5"};
    else if (what == "drag")
      want = {"frm_utama.ReleaseCapture", "frm_utama.StartSystemMove"};
    else if (what == "caption")
      want = {"frm_utama.StartSystemMove"};
    EXPECT_EQ(calls, want);
    if (what == "exit") {
      EXPECT_TRUE(app->Terminated);
    }
    app->Terminated = false;
  }
}
