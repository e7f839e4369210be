// Waiting in GUI tests: the event loop runs until a condition holds or the time is up.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace kv {

inline bool WaitUntil(const std::function<bool()>& done, int ms = 20000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

}  // namespace kv
