// The shell's "open" on POSIX systems: an executable file is started directly as a
// program; any other file, and every web address, goes to the desktop's opener.
#pragma once

#include <string>
#include <vector>

#include "Seam.h"

namespace posix {

// Shell result codes, as the window system's shell gives them.
inline constexpr int kOpened = 42;  // anything above 32 means success
inline constexpr int kOutOfResources = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kAccessDenied = 5;
inline constexpr int kNoAssociation = 31;

// "Setup\setup qrb.exe" -> "Setup/setup qrb.exe"; web addresses are left alone.
std::string ToPosixPath(const std::string& path);
// True for "scheme:..." with a scheme of two or more letters (so "C:\x" is a path).
bool IsWebAddress(const std::string& text);
// Splits a parameter text the way a Windows command line is split: on blanks, with
// double quotes grouping.
std::vector<std::string> SplitParameters(const std::string& parameters);

class PosixShell : public seam::Shell {
 public:
  explicit PosixShell(std::string opener = "xdg-open") : opener_(std::move(opener)) {}
  int Open(const seam::ShellRequest& request) override;

 private:
  std::string opener_;
};

// Starts `argv` detached: in its own session, with only descriptors 0-2, in `directory`
// when that is not empty, never through a shell. `search_path` looks argv[0] up on PATH.
// Returns 0 once the program runs, else the errno of the failed step.
int SpawnDetached(const std::vector<std::string>& argv, const std::string& directory,
                  bool search_path);

}  // namespace posix
