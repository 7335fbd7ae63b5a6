// The POSIX shell, for real: programs started in a scratch folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "PosixShell.h"

namespace fs = std::filesystem;
using posix::PosixShell;

TEST(ShellPaths, MapsWindowsSeparatorsAndKnowsWebAddresses) {
  EXPECT_EQ(posix::ToPosixPath("Setup\\setup qrb.exe"), "Setup/setup qrb.exe");
  EXPECT_EQ(posix::ToPosixPath("a\\b\\c"), "a/b/c");
  EXPECT_EQ(posix::ToPosixPath("http://x/a\\b"), "http://x/a\\b");
  const std::pair<const char*, bool> cases[] = {{"http://www.example.com/", true},
                                                {"https://a", true},
                                                {"mailto:a@b", true},
                                                {"C:\\Setup\\x.exe", false},
                                                {"Setup\\setup qrb.exe", false},
                                                {"", false},
                                                {":x", false},
                                                {"1a:b", false}};
  for (const auto& [text, web] : cases) EXPECT_EQ(posix::IsWebAddress(text), web) << text;
}

TEST(ShellParameters, SplitLikeACommandLine) {
  using V = std::vector<std::string>;
  EXPECT_EQ(posix::SplitParameters(""), V{});
  EXPECT_EQ(posix::SplitParameters("  a  b "), (V{"a", "b"}));
  EXPECT_EQ(posix::SplitParameters("\"a b\" c"), (V{"a b", "c"}));
  EXPECT_EQ(posix::SplitParameters("\"\""), (V{""}));
}

namespace {

// A scratch medium folder, made current for the test, with a stand-in opener on PATH.
class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    char tmpl[] = "/tmp/shell-test-XXXXXX";
    dir_ = mkdtemp(tmpl);
    old_cwd_ = fs::current_path();
    fs::current_path(dir_);
    old_path_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    fs::create_directories(dir_ / "bin");
  }
  ~ShellTest() override {
    fs::current_path(old_cwd_);
    setenv("PATH", old_path_.c_str(), 1);
    fs::remove_all(dir_);
  }
  // A shell script that records its directory, arguments, session and descriptors.
  void Script(const fs::path& where, const std::string& log) {
    fs::create_directories(where.parent_path());
    std::ofstream(where) << "#!/bin/sh\n"
                         << "{ echo \"dir=$(pwd)\"; echo \"argc=$#\"; echo \"args=$*\";"
                         << " echo \"sid=$(ps -o sid= -p $$ | tr -d ' ')\";"
                         << " echo \"fd50=$(test -e /proc/$$/fd/50 && echo open || echo closed)\";"
                         << " } > '" << log << ".tmp'\nmv '" << log << ".tmp' '" << log << "'\n";
    fs::permissions(where, fs::perms::owner_all);
  }
  void UseOpener(bool present) {
    if (present) Script(dir_ / "bin" / "xdg-open", (dir_ / "opened.txt").string());
    setenv("PATH", ((dir_ / "bin").string() + (present ? ":" + old_path_ : "")).c_str(), 1);
  }
  // Waits for a log file the started program writes, and reads it.
  std::string Await(const fs::path& log) {
    for (int i = 0; i < 200 && !fs::exists(log); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(log);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static seam::ShellRequest Install() { return {7, "open", "Setup\\setup qrb.exe", "", "", 1}; }
  fs::path dir_;

 private:
  fs::path old_cwd_;
  std::string old_path_;
};

}  // namespace

TEST_F(ShellTest, StartsTheInstallerDirectlyFromTheCurrentFolderDetachedWithNoArguments) {
  UseOpener(true);
  Script(dir_ / "Setup" / "setup qrb.exe", (dir_ / "ran.txt").string());
  const int leaked = dup2(open("/dev/null", O_RDONLY), 50);  // not close-on-exec
  ASSERT_EQ(leaked, 50);
  PosixShell shell;
  EXPECT_GT(shell.Open(Install()), 32);
  close(50);
  const std::string ran = Await(dir_ / "ran.txt");
  EXPECT_NE(ran.find("dir=" + dir_.string() + "\n"), std::string::npos) << ran;
  EXPECT_NE(ran.find("argc=0\n"), std::string::npos) << ran;
  EXPECT_EQ(ran.find("sid=" + std::to_string(getsid(0)) + "\n"), std::string::npos)
      << "in a session of its own: " << ran;
  EXPECT_NE(ran.find("fd50=closed"), std::string::npos) << "no descriptor beyond 0-2: " << ran;
  EXPECT_FALSE(fs::exists(dir_ / "opened.txt")) << "an executable needs no opener";
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "no child of ours is left to reap";
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ShellTest, NamesWithSpacesAndShellCharactersPassAsTheyStand) {
  UseOpener(true);
  const std::string name = "it's $(touch pwned) & `x`; y.exe";
  Script(dir_ / "Setup" / name, (dir_ / "ran.txt").string());
  PosixShell shell;
  EXPECT_GT(shell.Open({0, "open", "Setup\\" + name, "", "", 1}), 32);
  EXPECT_NE(Await(dir_ / "ran.txt").find("argc=0"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "pwned"));
}

TEST_F(ShellTest, WebAddressesAndOtherFilesGoToTheOpener) {
  UseOpener(true);
  PosixShell shell;
  EXPECT_GT(shell.Open({0, "open", "http://www.example.com/", std::nullopt, std::nullopt, 5}), 32);
  EXPECT_NE(Await(dir_ / "opened.txt").find("args=http://www.example.com/\n"), std::string::npos);
  fs::remove(dir_ / "opened.txt");
  fs::create_directories(dir_ / "Setup");
  std::ofstream(dir_ / "Setup" / "readme.txt") << "not a program";
  EXPECT_GT(shell.Open({0, "open", "Setup\\readme.txt", "", "", 1}), 32);
  EXPECT_NE(Await(dir_ / "opened.txt").find("args=Setup/readme.txt\n"), std::string::npos);
}

TEST_F(ShellTest, FailuresAreReportedHonestly) {
  UseOpener(false);
  PosixShell shell;
  EXPECT_EQ(shell.Open(Install()), posix::kPathNotFound) << "no Setup folder";
  fs::create_directories(dir_ / "Setup");
  EXPECT_EQ(shell.Open(Install()), posix::kFileNotFound) << "no installer in it";
  EXPECT_EQ(shell.Open({0, "open", "http://www.example.com/", std::nullopt, std::nullopt, 5}),
            posix::kNoAssociation)
      << "no opener on PATH";
  EXPECT_EQ(shell.Open({0, "print", "http://www.example.com/", std::nullopt, std::nullopt, 5}),
            posix::kNoAssociation);
  EXPECT_EQ(shell.Open({0, "open", "", "", "", 1}), posix::kFileNotFound);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}
