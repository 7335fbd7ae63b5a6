#include "PosixShell.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cctype>
#include <cerrno>
#include <csignal>

namespace posix {

std::string ToPosixPath(const std::string& path) {
  if (IsWebAddress(path)) return path;
  std::string out = path;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

bool IsWebAddress(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '+' ||
                             text[i] == '-' || text[i] == '.'))
    ++i;
  return i >= 2 && i < text.size() && text[i] == ':' &&
         std::isalpha(static_cast<unsigned char>(text[0]));
}

std::vector<std::string> SplitParameters(const std::string& parameters) {
  std::vector<std::string> out;
  std::string word;
  bool quoted = false, any = false;
  for (char c : parameters) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (any) out.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) out.push_back(word);
  return out;
}

int SpawnDetached(const std::vector<std::string>& args, const std::string& directory,
                  bool search_path) {
  // Everything the children need is prepared here: after fork only system calls run.
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const char* dir = directory.empty() ? nullptr : directory.c_str();

  int report[2];  // the grandchild writes errno here if it cannot start the program
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  const pid_t child = fork();
  if (child < 0) {
    const int e = errno;
    close(report[0]);
    close(report[1]);
    return e;
  }
  if (child == 0) {
    // The intermediate child starts a new session and leaves at once, so the program
    // is adopted by init: never a zombie of ours, untouched when we exit.
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? errno : 0);
    close_range(3, unsigned(report[1]) - 1, 0);
    close_range(unsigned(report[1]) + 1, ~0U, 0);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int s : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGHUP}) signal(s, SIG_DFL);
    int e = 0;
    if (dir && chdir(dir) != 0)
      e = errno;
    else {
      if (search_path)
        execvp(argv[0], argv.data());
      else
        execv(argv[0], argv.data());
      e = errno;
    }
    ssize_t ignored = write(report[1], &e, sizeof e);
    (void)ignored;
    _exit(127);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int e = 0;
  ssize_t n;
  while ((n = read(report[0], &e, sizeof e)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (n == ssize_t(sizeof e)) return e == 0 ? EIO : e;
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0) return WEXITSTATUS(status);  // 2nd fork failed
  return 0;
}

namespace {

int FromErrno(int e) {
  switch (e) {
    case 0:
      return kOpened;
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
      return kAccessDenied;
    default:
      return kOutOfResources;
  }
}

}  // namespace

int PosixShell::Open(const seam::ShellRequest& r) {
  if (r.verb && !r.verb->empty() && *r.verb != "open") return kNoAssociation;
  if (!r.file || r.file->empty()) return kFileNotFound;
  const std::string directory = r.directory.value_or("");
  const std::vector<std::string> params = SplitParameters(r.parameters.value_or(""));

  if (IsWebAddress(*r.file)) {
    const int e = SpawnDetached({opener_, *r.file}, directory, true);
    return e == ENOENT ? kNoAssociation : FromErrno(e);
  }
  const std::string path = ToPosixPath(*r.file);
  const std::string where =
      path.front() == '/' || directory.empty() ? path : directory + "/" + path;
  struct stat st;
  if (stat(where.c_str(), &st) != 0) {
    if (errno != ENOENT) return FromErrno(errno);
    // Like the shell it stands in for: a missing folder is a missing path.
    const std::size_t slash = where.rfind('/');
    struct stat parent;
    return slash != std::string::npos && slash > 0 &&
                   stat(where.substr(0, slash).c_str(), &parent) != 0
               ? kPathNotFound
               : kFileNotFound;
  }
  if (S_ISREG(st.st_mode) && access(where.c_str(), X_OK) == 0) {
    std::vector<std::string> argv{path.find('/') == std::string::npos ? "./" + path : path};
    argv.insert(argv.end(), params.begin(), params.end());
    return FromErrno(SpawnDetached(argv, directory, false));
  }
  const int e = SpawnDetached({opener_, path}, directory, true);
  return e == ENOENT ? kNoAssociation : FromErrno(e);
}

}  // namespace posix
