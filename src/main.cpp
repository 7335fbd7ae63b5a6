#include <unistd.h>

#include <climits>
#include <string>

#include "Forms.h"
#include "SETUP.h"

int main(int, char** argv) {
  // The default title comes from the executable's own file name.
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  vcl::Application->Title =
      vcl::TitleFromExecutable(n > 0 ? std::string(self, std::size_t(n)) : argv[0]);
  return SETUP::Main();
}
