#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

extern char** environ;

namespace kv {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Waits for the child to end; kills it when it takes longer than the grace time.
void Reap(pid_t pid, double graceSeconds) {
  auto start = Clock::now();
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (SecondsSince(start) > graceSeconds) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return;
    }
    usleep(10000);
  }
}

}  // namespace

TStartResult TimeUntilLine(const std::string& program, const std::vector<std::string>& env,
                           const std::string& readyLine, double timeoutSeconds,
                           const std::vector<std::string>& arguments) {
  TStartResult result;
  int out[2];
  if (pipe(out) != 0) {
    result.Error = "pipe failed";
    return result;
  }
  std::vector<std::string> environment;
  for (char** e = environ; *e; ++e) environment.emplace_back(*e);
  for (const std::string& entry : env) environment.push_back(entry);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::vector<std::string> words = {program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  const auto start = Clock::now();
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    result.Error = "cannot start " + program + ": " + std::strerror(spawned);
    return result;
  }

  std::string buffer;
  bool ready = false;
  while (!ready) {
    double left = timeoutSeconds - SecondsSince(start);
    if (left <= 0) break;
    pollfd fd{out[0], POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left * 1000) + 1) <= 0) continue;
    char chunk[4096];
    ssize_t n = read(out[0], chunk, sizeof chunk);
    if (n <= 0) break;  // the child closed its output without the line
    buffer.append(chunk, static_cast<std::size_t>(n));
    std::size_t end;
    while ((end = buffer.find('\n')) != std::string::npos) {
      if (buffer.compare(0, end, readyLine) == 0) {
        result.Seconds = SecondsSince(start);
        ready = true;
        break;
      }
      buffer.erase(0, end + 1);
    }
  }
  close(out[0]);
  if (!ready) {
    kill(pid, SIGKILL);
    result.Error = program + " printed no \"" + readyLine + "\" line";
  }
  Reap(pid, 20);
  return result;
}

}  // namespace kv
