// Starts a program as a child process and times it until it prints a given line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kv {

struct TStartResult {
  double Seconds = 0;  // from just before the process was created to the line
  std::string Error;   // empty on success
};

// Runs program with the extra environment entries ("NAME=value") and arguments, reads its
// standard output until a line equal to readyLine arrives, then waits for it to exit. A child
// that prints no such line within timeoutSeconds is killed and reported as an error.
TStartResult TimeUntilLine(const std::string& program, const std::vector<std::string>& env,
                           const std::string& readyLine, double timeoutSeconds,
                           const std::vector<std::string>& arguments = {});

}  // namespace kv
