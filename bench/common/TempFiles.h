// The benchmarks' files: one private folder per run, left behind for a look afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace kv::bench {

inline std::string TempFile(const std::string& name) {
  static const std::string dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvbench.XXXXXX").string();
    std::string d = ::mkdtemp(pattern.data());
    return d + "/";
  }();
  return dir + name;
}

}  // namespace kv::bench
