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

TEST_F(LauncherTest, AnyButtonOnTheBackgroundStartsOneMoveAfterReleasingCapture) {
  fake::Window& w = Launcher();
  const vcl::TMouseButton buttons[] = {vcl::mbLeft, vcl::mbMiddle, vcl::mbRight};
  const struct {
    TPoint at;
    bool moves;
  } places[] = {{{100, 150}, true},
                {{400, 280}, true},
                {{200, 150}, false},
                {{200, 210}, false},
                {{200, 270}, false}};
  for (vcl::TMouseButton b : buttons)
    for (const auto& p : places) {
      SCOPED_TRACE(std::to_string(int(b)) + " at " + std::to_string(p.at.X) + "," +
                   std::to_string(p.at.Y));
      const std::size_t mark = fake->log.calls.size();
      w.Press(b, p.at);
      const auto calls = fake->log.Since(mark, "frm_utama.");
      if (p.moves)
        EXPECT_EQ(calls, (std::vector<std::string>{"frm_utama.ReleaseCapture",
                                                   "frm_utama.StartSystemMove"}));
      else
        EXPECT_EQ(calls, std::vector<std::string>{});
      w.Release(b, p.at);
    }
}

TEST_F(LauncherTest, TheTopFortyRowsAnswerAsCaptionWhateverTheColumn) {
  fake::Window& w = Launcher();
  ASSERT_EQ(int(frm_utama->Top), 237);
  const struct {
    int top, x, y, want;
  } cases[] = {
      {237, 300, 276, vcl::HTCAPTION},   {237, 300, 277, vcl::HTCLIENT},
      {237, -5000, 237, vcl::HTCAPTION}, {237, 30000, 250, vcl::HTCAPTION},
      {237, 279, 529, vcl::HTCLIENT},    {-20, 300, 0, vcl::HTCAPTION},
      {-20, 300, 19, vcl::HTCAPTION},    {-20, 300, 20, vcl::HTCLIENT},
      {-20, 300, -20, vcl::HTCAPTION},
  };
  for (const auto& c : cases) {
    frm_utama->Top = c.top;
    EXPECT_EQ(w.HitTest({c.x, c.y}), c.want) << "Top " << c.top << ", " << c.x << "," << c.y;
  }
}

TEST_F(LauncherTest, AfterTheWindowSystemMovesItTheBandFollows) {
  fake::Window& w = Launcher();
  w.MovedBySystem({100, 50});
  EXPECT_EQ(int(frm_utama->Left), 100);
  EXPECT_EQ(w.HitTest({0, 89}), vcl::HTCAPTION);
  EXPECT_EQ(w.HitTest({0, 90}), vcl::HTCLIENT);
  const std::size_t mark = fake->log.calls.size();
  w.Click({233, 165});
  EXPECT_EQ(fake->log.Since(mark, "Shell.Open").size(), 1u) << "clicks still land after a move";
}

TEST_F(LauncherTest, TheCursorIsTheHandOverHotSpotsAndLinkOnly) {
  fake::Window& w = Launcher();
  const struct {
    TPoint at;
    vcl::TCursor want;
  } cases[] = {{{233, 165}, vcl::crHandPoint}, {{100, 150}, vcl::crDefault},
               {{233, 219}, vcl::crHandPoint}, {{200, 190}, vcl::crDefault},
               {{200, 275}, vcl::crHandPoint}, {{200, 20}, vcl::crDefault}};
  for (const auto& c : cases) {
    w.Move(c.at);
    EXPECT_EQ(w.Cursor(), c.want) << c.at.X << "," << c.at.Y;
  }
}

TEST_F(LauncherTest, EachInstallClickIsItsOwnShellRequestAndTheLauncherStaysPut) {
  fake::Window& w = Launcher();
  fake->shell().result = 2;  // the installer is missing
  const vcl::TRect before = w.Bounds();
  w.Click({200, 150});
  w.Click({200, 150});
  EXPECT_EQ(fake->shell().requests.size(), 2u);
  EXPECT_EQ(w.Bounds(), before);
  EXPECT_TRUE(w.Visible());
  EXPECT_FALSE(app->Terminated);
}

TEST_F(LauncherTest, ALinkOfOnlyBlanksOpensNothingButStillRaisesTheClick) {
  Launcher();
  int clicks = 0;
  frm_utama->suiURLLabel1->OnClick = [&](vcl::TObject*) { ++clicks; };
  for (const char* url : {"   ", "", " \t\r\n "}) {
    frm_utama->suiURLLabel1->URL = url;
    fake->Find("frm_utama")->Click({200, 270});
  }
  EXPECT_TRUE(fake->shell().requests.empty());
  EXPECT_EQ(clicks, 3);
  frm_utama->suiURLLabel1->URL = "  http://www.example.com/ ";
  fake->Find("frm_utama")->Click({200, 270});
  ASSERT_EQ(fake->shell().requests.size(), 1u);
  EXPECT_EQ(fake->shell().requests[0].file, "  http://www.example.com/ ") << "passed untrimmed";
}

TEST(TrimURL, DropsBlanksAndControlCharactersAtBothEnds) {
  const std::pair<const char*, const char*> cases[] = {{"http://a/", "http://a/"},
                                                       {"  http://a/ ", "http://a/"},
                                                       {"\t\nx\r", "x"},
                                                       {"   ", ""},
                                                       {"a b", "a b"},
                                                       {"", ""}};
  for (const auto& [in, out] : cases) EXPECT_EQ(vcl::TrimURL(in), out) << '"' << in << '"';
}

// --- the grow-in ---------------------------------------------------------------------

namespace {

struct Step {
  std::vector<std::string> calls;
  int width = 0, height = 0;
};

// The native calls of the launcher's grow-in, cut into steps (each starts with its
// height), with the size the window has after each.
std::vector<Step> GrowInSteps(const fake::Platform& f, std::vector<std::string>* before) {
  std::vector<Step> steps;
  bool shown = false;
  int width = 0, height = 0;
  for (const std::string& call : f.log.Since(0, "frm_utama.")) {
    const auto value = [&] { return std::stoi(call.substr(call.find(' ') + 1)); };
    if (call.rfind("frm_utama.SetWidth", 0) == 0) width = value();
    if (call.rfind("frm_utama.SetHeight", 0) == 0) height = value();
    if (!shown) {
      if (before) before->push_back(call);
      shown = call == "frm_utama.Show";
      continue;
    }
    if (call.rfind("frm_utama.SetHeight", 0) == 0) steps.emplace_back();
    if (steps.empty()) continue;
    steps.back().calls.push_back(call.substr(10, call.find(' ') - 10));
    steps.back().width = width;
    steps.back().height = height;
  }
  return steps;
}

}  // namespace

TEST_F(LauncherTest, GrowsFromThirtyEightByNineteenInOneHundredThirtySevenSteps) {
  fake::Window& w = Launcher();
  std::vector<std::string> before;
  const std::vector<Step> steps = GrowInSteps(*fake, &before);
  EXPECT_EQ(before, (std::vector<std::string>{"frm_utama.SetIcon 6", "frm_utama.SetWidth 38",
                                              "frm_utama.SetHeight 19", "frm_utama.SetLeft 493",
                                              "frm_utama.SetTop 374", "frm_utama.Present 466x293",
                                              "frm_utama.SetColorKey none", "frm_utama.Show"}));
  ASSERT_EQ(steps.size(), 137u);
  const struct {
    int step, width, height;
  } rows[] = {{1, 42, 21},     {2, 46, 23},     {106, 462, 231}, {107, 466, 233},
              {108, 466, 235}, {136, 466, 291}, {137, 466, 293}};
  for (const auto& r : rows) {
    EXPECT_EQ(steps[r.step - 1].width, r.width) << "step " << r.step;
    EXPECT_EQ(steps[r.step - 1].height, r.height) << "step " << r.step;
  }
  const std::vector<std::string> four = {"SetHeight", "SetWidth", "SetLeft", "SetTop"};
  const std::vector<std::string> two = {"SetHeight", "SetTop"};
  for (std::size_t i = 0; i < steps.size(); ++i)
    EXPECT_EQ(steps[i].calls, i < 107 ? four : two) << "step " << i + 1;
  EXPECT_EQ(w.Bounds(), (vcl::TRect{279, 237, 466, 293}));
  // The screen is read afresh at every centring: twice a step, twice before the show,
  // once for its placement and once for the pixels per inch.
  EXPECT_EQ(fake->screen_reads, 2 * 137 + 2 + 1 + 1);
}

TEST_F(LauncherTest, EndsCentredOnThePrimaryScreenWithoutClamping) {
  const struct {
    int screen_w, screen_h;
    vcl::TRect start, end;
  } cases[] = {
      {1024, 768, {493, 374, 38, 19}, {279, 237, 466, 293}},
      {800, 600, {381, 290, 38, 19}, {167, 153, 466, 293}},
      {400, 300, {181, 140, 38, 19}, {-33, 3, 466, 293}},
      {401, 200, {181, 90, 38, 19}, {-32, -46, 466, 293}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.screen_w) + "x" + std::to_string(c.screen_h));
    auto platform = std::make_unique<fake::Platform>();
    platform->metrics = {c.screen_w, c.screen_h, {0, 0, c.screen_w, c.screen_h}, 96};
    fake::Platform* f = platform.get();
    vcl::TApplication local;
    vcl::TApplication* saved = vcl::Application;
    vcl::Application = &local;
    local.UsePlatform(std::move(platform));
    local.CreateForm<Tfrm_utama>(frm_utama);
    const auto calls = f->log.Since(0, "frm_utama.Set");
    EXPECT_EQ(calls[3], "frm_utama.SetLeft " + std::to_string(c.start.Left));
    EXPECT_EQ(calls[4], "frm_utama.SetTop " + std::to_string(c.start.Top));
    EXPECT_EQ(f->Find("frm_utama")->Bounds(), c.end);
    vcl::Application = saved;
  }
}

TEST_F(LauncherTest, TheStepRunsOnceEvenWhenTheWindowAlreadyHasItsTargetSize) {
  vcl::TFormDescription<Tfrm_utama> small = Tfrm_utama::Description;
  small.Form.ClientWidth = 38;
  small.Form.ClientHeight = 19;
  Tfrm_utama form(app.get());
  frm_utama = &form;
  LoadDescription(form, small);
  // No size changes, but the step's centring read the screen: pixels per inch, the
  // first centring, the show's placement, and one step's centring.
  EXPECT_EQ(fake->screen_reads, 1 + 2 + 1 + 2);
  EXPECT_EQ(fake->Find("frm_utama")->Bounds(), (vcl::TRect{493, 374, 38, 19}));
}

TEST_F(LauncherTest, FirstShowPlacesByTheVirtualScreenThenTheGrowInRecentresOnThePrimary) {
  // Two monitors: the primary 1024 x 768 at the origin, a second 1280 x 1024 to its left.
  fake->metrics = {1024, 768, {-1280, 0, 2304, 1024}, 96};
  fake::Window& w = Launcher();
  const auto calls = fake->log.Since(0, "frm_utama.Set");
  // After the icon, the size and the first centring, the show places by the virtual
  // screen: ((2304 - 38) div 2, (1024 - 19) div 2), then the first step's centring.
  EXPECT_EQ(calls[5], "frm_utama.SetLeft 1133");
  EXPECT_EQ(calls[6], "frm_utama.SetTop 502");
  EXPECT_EQ(w.Bounds(), (vcl::TRect{279, 237, 466, 293}));
}
