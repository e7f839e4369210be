#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>

namespace kv {

namespace {

// The signal handler may only write to a pipe; the event loop reads the other end.
int gPipe[2] = {-1, -1};

void OnSignal(int signal) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signal);
  if (::write(gPipe[1], &number, 1) < 0) {
  }
  errno = saved;
}

std::function<void(int)>& Handler() {
  static std::function<void(int)> handler;
  return handler;
}

}  // namespace

void OnTerminationSignals(std::function<void(int signal)> handler) {
  constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
  Handler() = std::move(handler);
  if (!Handler()) {
    for (int signal : kSignals) ::signal(signal, SIG_DFL);
    return;
  }
  if (gPipe[0] < 0) {
    if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(gPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
      unsigned char number = 0;
      while (::read(gPipe[0], &number, 1) == 1)
        if (Handler()) Handler()(number);
    });
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

}  // namespace kv
