// Waiting in GUI tests: the event loop runs until a condition holds or the time is up.
#pragma once

#include <functional>

#include "platform/Forms.h"

namespace kv {

inline bool WaitUntil(const std::function<bool()>& done, int ms = 20000) {
  return ProcessMessagesUntil(done, ms);
}

}  // namespace kv
