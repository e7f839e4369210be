// Writes the stored translation tables of every window into a folder (default: the current
// one), one payload file per window. Run it after changing TableSource.cpp and commit the files.
#include <cstdio>
#include <string>

#include "support/Files.h"
#include "translate/tables/TableSource.h"

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? std::string(argv[1]) + "/" : std::string();
  int failures = 0;
  for (const std::string& cls : kv::TranslatedWindows()) {
    const std::string path = dir + kv::PayloadFileName(cls);
    const std::string payload = kv::AuthoredTranslationData(cls);
    if (!kv::WriteFileBytes(kv::THostPath::FromBytes(path), payload)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ++failures;
      continue;
    }
    std::printf("%s: %zu bytes\n", path.c_str(), payload.size());
  }
  return failures == 0 ? 0 : 1;
}
