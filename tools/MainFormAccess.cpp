#include "tools/MainFormAccess.h"

namespace kv {

namespace {
TLangDispatcher* gDispatcher = nullptr;
}

TLangDispatcher* MainDispatcher() {
  return gDispatcher;
}
void SetMainDispatcher(TLangDispatcher* dispatcher) {
  gDispatcher = dispatcher;
}

}  // namespace kv
