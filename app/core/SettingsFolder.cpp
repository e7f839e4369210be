#include "app/core/SettingsFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include "support/Files.h"

namespace kv {

bool CanCreateFileIn(const std::string& dir) {
  if (dir.empty()) return false;
  const std::string trial = SysPath(dir + SettingsTrialFile).string();
  const int fd = ::open(trial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(trial.c_str());
  return true;
}

std::string ChooseSettingsDir(const std::string& programDir,
                              const std::function<std::string()>& userDir) {
  if (CanCreateFileIn(programDir)) return programDir;
  std::string dir = userDir ? userDir() : std::string();
  return dir.empty() ? programDir : dir;
}

}  // namespace kv
