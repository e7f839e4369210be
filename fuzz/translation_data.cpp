// The stored tables of a translator on arbitrary payloads: read straight into tables under
// every reading option, written and read again; and loaded into one of the program-shaped
// windows, switched both ways and written back. Nothing may crash; only the documented errors
// of property writers may leave a switch.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FakeComponents.h"
#include "FuzzInput.h"
#include "platform/classes/Strings.h"
#include "translate/PayloadCheck.h"
#include "translate/TranslationData.h"
#include "translate/tables/TableSource.h"

namespace {

void ReadDirectly(std::uint8_t flags, const std::string& payload) {
  std::array<kv::TStringList, kv::kTableCount> lists;
  kv::TTableSet set{};
  for (int i = 0; i < kv::kTableCount; ++i) set[i] = (flags >> (i % 8) & 1) ? nullptr : &lists[i];
  set[0] = &lists[0];
  kv::TReadOptions options;
  options.WindowClassName = (flags & 0x20) ? "TMainForm" : "";
  options.IsInheritedOwner = flags & 0x40;
  options.StoreAsUTF8 = flags & 0x80;
  kv::ReadTranslationData(payload, set, options);
  const std::string written = kv::WriteTranslationData(set);
  std::array<kv::TStringList, kv::kTableCount> again;
  kv::TTableSet againSet{};
  for (int i = 0; i < kv::kTableCount; ++i) againSet[i] = set[i] ? &again[i] : nullptr;
  kv::ReadTranslationData(written, againSet, options);
  (void)kv::FrameTranslationData(written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto& windows = kv::TranslatedWindows();
  const std::string cls = windows[data[0] % windows.size()];
  const std::string payload(reinterpret_cast<const char*>(data + 1), size - 1);
  ReadDirectly(data[0], payload);

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
