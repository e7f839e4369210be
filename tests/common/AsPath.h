// Tests name their files by byte strings; the file functions take host paths.
#pragma once

#include <string>

#include "support/HostPath.h"

namespace kv {

inline THostPath AsPath(const std::string& bytes) {
  return THostPath::FromBytes(bytes);
}
inline const THostPath& AsPath(const THostPath& path) {
  return path;
}

}  // namespace kv
