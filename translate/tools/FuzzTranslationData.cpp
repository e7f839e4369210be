// libFuzzer entry: arbitrary bytes as the stored tables of one of the program-shaped windows,
// loaded, switched both ways and written back. Nothing may crash; only the documented errors
// of property writers may leave a switch.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FakeComponents.h"
#include "translate/PayloadCheck.h"
#include "translate/tables/TableSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto& windows = kv::TranslatedWindows();
  const std::string cls = windows[data[0] % windows.size()];
  const std::string payload(reinterpret_cast<const char*>(data + 1), size - 1);
  auto main =
      kv::testing::CreateFakeWindow("TMainForm", nullptr, cls == "TMainForm" ? &payload : nullptr);
  kv::TLangDispatcher* dispatcher = kv::testing::DispatcherOf(*main);
  dispatcher->SetActiveLanguage(1);
  auto window =
      cls == "TMainForm" ? nullptr : kv::testing::CreateFakeWindow(cls, dispatcher, &payload);
  try {
    dispatcher->SetActiveLanguage(2);
    dispatcher->SetActiveLanguage(1);
  } catch (const kv::Exception&) {
  }
  kv::TTranslator* t = kv::testing::TranslatorOf(window ? *window : *main);
  (void)t->WriteTranslationData();
  (void)t->GetTextOrDefault("IDS_36");
  (void)kv::CheckPayload(payload);
  return 0;
}
