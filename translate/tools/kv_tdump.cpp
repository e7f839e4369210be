// kv_tdump <payload>...: prints each stored translation table as a readable table and checks
// its shape. Exit status 1 when a file cannot be read or has problems.
#include <cstdio>
#include <string>

#include "support/Files.h"
#include "translate/PayloadCheck.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kv_tdump <payload file>...\n");
    return 2;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    std::string bytes;
    if (!kv::ReadFileBytes(kv::THostPath::FromBytes(argv[i]), bytes)) {
      std::fprintf(stderr, "%s: cannot be read\n", argv[i]);
      status = 1;
      continue;
    }
    const kv::TPayloadReport report = kv::CheckPayload(bytes);
    std::printf("== %s (%zu bytes)\n%s", argv[i], bytes.size(), report.Table.c_str());
    for (const std::string& p : report.Problems) std::printf("PROBLEM: %s\n", p.c_str());
    if (!report.Problems.empty()) status = 1;
  }
  return status;
}
