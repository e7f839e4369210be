#include "tools/MainFormAccess.h"

namespace kv {

namespace {
TLangDispatcher* gDispatcher = nullptr;
const std::string* gDocDir = nullptr;
const std::string* gProductTitle = nullptr;
}  // namespace

TLangDispatcher* MainDispatcher() {
  return gDispatcher;
}
void SetMainDispatcher(TLangDispatcher* dispatcher) {
  gDispatcher = dispatcher;
}

std::string MainDocDir() {
  return gDocDir ? *gDocDir : std::string();
}
std::string MainProductTitle() {
  return gProductTitle ? *gProductTitle : std::string();
}
void SetMainFormFields(const std::string* docDir, const std::string* productTitle) {
  gDocDir = docDir;
  gProductTitle = productTitle;
}

}  // namespace kv
