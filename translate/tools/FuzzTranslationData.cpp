// libFuzzer entry: reads arbitrary bytes as a window's stored tables, applies them to a small
// window, and writes them back. Nothing may crash or throw.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/classes/Graphics.h"
#include "translate/Translator.h"

namespace {

class TFuzzForm : public kv::TComponent {
  KV_DECLARE_CLASS()
 public:
  using TComponent::TComponent;
  std::string Caption;
  kv::TFont Font;
};
KV_DEFINE_CLASS(TFuzzForm, kv::TComponent,
                {kv::prop::String<TFuzzForm>(
                     "Caption", [](TFuzzForm& f) { return f.Caption; },
                     [](TFuzzForm& f, const std::string& v) { f.Caption = v; }),
                 kv::prop::Object<TFuzzForm>(
                     "Font", "TFont", [](TFuzzForm& f) -> kv::TPersistent* { return &f.Font; },
                     [](TFuzzForm& f, kv::TPersistent* v) { f.Font.Assign(v); })})

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string payload(reinterpret_cast<const char*>(data), size);
  TFuzzForm form(nullptr);
  form.SetName("FuzzForm");
  auto* label = new TFuzzForm(&form);
  label->SetName("Label1");
  kv::TLangDispatcher dispatcher(nullptr);
  dispatcher.SetNumOfLanguages(2);
  auto* t = new kv::TTranslator(&form);
  t->BeginLoading();
  t->SetNumOfLanguages(2);
  t->SetActiveLanguage(2);
  t->SetLangDispatcher(&dispatcher);
  t->ReadTranslationData(payload);
  form.EndLoading();
  try {
    dispatcher.SetActiveLanguage(1);
    dispatcher.SetActiveLanguage(2);
  } catch (const kv::Exception&) {
    // Property writers may refuse a value; that reaches the caller by design.
  }
  (void)t->WriteTranslationData();
  (void)t->GetTextOrDefault("IDS_36");
  return 0;
}
