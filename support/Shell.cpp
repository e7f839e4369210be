#include "support/Shell.h"

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/StringTools.h"

extern char** environ;

namespace kv {

namespace {

const char* const kDesktopOpener = "xdg-open";
const char* const kFallbackBrowser = "x-www-browser";

std::mutex& LauncherMutex() {
  static std::mutex m;
  return m;
}

TProcessLauncher& InstalledLauncher() {
  static TProcessLauncher launcher;
  return launcher;
}

bool Launch(const std::vector<std::string>& argv) {
  TProcessLauncher launcher;
  {
    std::lock_guard<std::mutex> lock(LauncherMutex());
    launcher = InstalledLauncher();
  }
  try {
    return launcher ? launcher(argv) : LaunchDetached(argv);
  } catch (...) {
    // Neither opener reports to the user; a launcher that throws simply did not start anything.
    return false;
  }
}

// The executable for argv[0], resolved before forking so that the child only has to exec.
std::string ResolveProgram(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return program;
  const char* path = std::getenv("PATH");
  std::string dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    if (dir.empty()) dir = ".";
    std::string candidate = dir + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// Undoes the command-line shape of an argument: a leading double quote and, when there is one,
// the closing quote at its end.
std::string StripCommandLineQuotes(const std::string& argument) {
  if (argument.empty() || argument.front() != '"') return argument;
  std::string s = argument.substr(1);
  if (!s.empty() && s.back() == '"') s.pop_back();
  return s;
}

// One $BROWSER entry as argv: words split at blanks, double quotes group, "%s" is the address.
std::vector<std::string> BrowserCommand(const std::string& entry, const std::string& address) {
  std::vector<std::string> argv;
  std::string word;
  bool inWord = false, quoted = false, substituted = false;
  for (size_t i = 0; i < entry.size(); ++i) {
    const char c = entry[i];
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) argv.push_back(word);
      word.clear();
      inWord = false;
    } else if (c == '%' && i + 1 < entry.size() && (entry[i + 1] == 's' || entry[i + 1] == '%')) {
      if (entry[i + 1] == 's') {
        word += address;
        substituted = true;
      } else {
        word += '%';
      }
      ++i;
      inWord = true;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) argv.push_back(word);
  if (!argv.empty() && !substituted) argv.push_back(address);
  return argv;
}

bool StartDefaultBrowser(const std::string& argument) {
  const std::string address = StripCommandLineQuotes(argument);
  std::vector<std::string> entries;
  if (const char* browser = std::getenv("BROWSER"); browser && *browser) {
    entries = SplitNonEmpty(browser, ':');
  }
  if (entries.empty()) entries.push_back(kFallbackBrowser);
  for (const std::string& entry : entries) {
    const std::vector<std::string> argv = BrowserCommand(entry, address);
    if (!argv.empty() && Launch(argv)) return true;
  }
  return Launch({kDesktopOpener, address});
}

}  // namespace

TProcessLauncher SetProcessLauncher(TProcessLauncher launcher) {
  std::lock_guard<std::mutex> lock(LauncherMutex());
  TProcessLauncher previous = std::move(InstalledLauncher());
  InstalledLauncher() = std::move(launcher);
  return previous;
}

bool LaunchDetached(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  const std::string program = ResolveProgram(argv[0]);
  if (program.empty()) return false;
  // Everything the children need is prepared here: after fork only exec-safe calls remain.
  std::vector<std::string> args = argv;
  std::vector<char*> cargv;
  for (std::string& a : args) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);

  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    if (devNull >= 0) ::close(devNull);
    return false;
  }
  if (child == 0) {
    // The middle process exits at once, so the program started below is adopted by init and
    // never becomes our zombie.
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
    if (devNull >= 0) {
      ::dup2(devNull, 0);
      ::dup2(devNull, 1);
      ::dup2(devNull, 2);
    }
    ::execve(program.c_str(), cargv.data(), environ);
    const int error = errno;
    ssize_t ignored = ::write(report[1], &error, sizeof error);
    (void)ignored;
    ::_exit(127);
  }
  ::close(report[1]);
  if (devNull >= 0) ::close(devNull);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes when exec succeeds (close-on-exec) and carries errno when it fails.
  int error = 0;
  ssize_t n;
  while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  ::close(report[0]);
  const bool middleOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return middleOk && n == 0;
}

bool OpenWithShell(const THostPath& file) {
  try {
    if (Launch({kDesktopOpener, file.Bytes()})) return true;
    return StartDefaultBrowser("\"" + FileUrl(file));
  } catch (...) {
    return false;
  }
}

bool OpenWithShell(const std::string& address) {
  try {
    const std::string utf8 = Cp1252ToUtf8(address);
    if (Launch({kDesktopOpener, utf8})) return true;
    return StartDefaultBrowser("\"" + utf8);
  } catch (...) {
    return false;
  }
}

void OpenInDefaultBrowser(const std::string& argument) {
  try {
    StartDefaultBrowser(Cp1252ToUtf8(argument));
  } catch (...) {
  }
}

}  // namespace kv
