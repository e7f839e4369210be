// Small helpers for tests that touch the environment and the file system.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/common/AsPath.h"

namespace kv::test {

// Sets or clears an environment variable for the lifetime of the object.
class TScopedEnv {
 public:
  TScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~TScopedEnv() {
    if (old_)
      ::setenv(name_.c_str(), old_->c_str(), 1);
    else
      ::unsetenv(name_.c_str());
  }
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// A fresh folder, removed with everything in it (permissions restored first).
class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvtest.XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TTempFolder() {
    std::error_code ec;
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
      if (e.is_directory(ec)) ::chmod(e.path().c_str(), 0700);
    ::chmod(path_.c_str(), 0700);
    std::filesystem::remove_all(path_, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder with a trailing slash.
  std::string Dir() const { return path_ + "/"; }
  std::string File(const std::string& name) const { return Dir() + name; }
  // The same as the host path the file functions take.
  THostPath Path(const std::string& name = "") const { return THostPath::FromBytes(File(name)); }

 private:
  std::string path_;
};

}  // namespace kv::test
