#include "app/core/SettingsFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include "support/Files.h"

namespace kv {

bool CanCreateFileIn(const THostPath& dir) {
  if (dir.IsEmpty()) return false;
  const std::string trial = (dir + SettingsTrialFile).Bytes();
  const int fd = ::open(trial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(trial.c_str());
  return true;
}

THostPath ChooseSettingsDir(const THostPath& programDir,
                            const std::function<THostPath()>& userDir) {
  if (CanCreateFileIn(programDir)) return programDir;
  THostPath dir = userDir ? userDir() : THostPath();
  return dir.IsEmpty() ? programDir : dir;
}

}  // namespace kv
