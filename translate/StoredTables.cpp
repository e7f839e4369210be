#include <string_view>

#include "translate/Translator.h"

namespace kv {

// Generated from the payload files of translate/tables at build time.
std::string_view StoredPayload(std::string_view windowClassName);

namespace {
// The translator version each window was last saved with (the component reports its own).
const char* StoredVersion(const std::string& cls) {
  return (cls == "TMainForm" || cls == "TMetaTagForm") ? "2.4.3.0" : "2.0.2.0";
}
}  // namespace

std::string StoredTranslationData(const std::string& windowClassName) {
  return std::string(StoredPayload(windowClassName));
}

TTranslator* CreateStoredTranslator(TComponent* form, TLangDispatcher* dispatcher) {
  return CreateStoredTranslator(form, dispatcher,
                                StoredTranslationData(form ? form->ClassName() : std::string()));
}

TTranslator* CreateStoredTranslator(TComponent* form, TLangDispatcher* dispatcher,
                                    const std::string& payload) {
  auto* t = new TTranslator(form);
  t->SetName("Lang_WerbungForm");
  t->BeginLoading();
  const std::string cls = form ? form->ClassName() : std::string();
  // The stored properties, in their stored order.
  t->SetVersion(StoredVersion(cls));
  t->StringsTypes()->Clear();
  t->StringsTypes()->Add("TIB_STRINGLIST");
  t->StringsTypes()->Add("TSTRINGLIST");
  t->SetNumOfLanguages(2);
  t->SetActiveLanguage(2);
  if (dispatcher) t->SetLangDispatcher(dispatcher);
  t->SetLangDelim('\x01');
  TStringList names;
  names.Add("GERMAN");
  names.Add("ENGLISH");
  t->SetLangNames(names);
  t->SetLanguage("ENGLISH");
  FillStoredExcludedProperties(*t->ExcludedProperties());
  t->ReadTranslationData(payload);
  return t;
}

TLangDispatcher* CreateStoredDispatcher(TComponent* mainForm) {
  auto* d = new TLangDispatcher(mainForm);
  d->SetName("LangDispatcher1");
  d->BeginLoading();
  d->SetActiveLanguage(2);
  d->SetNumOfLanguages(2);
  TStringList names;
  names.Add("GERMAN");
  names.Add("ENGLISH");
  d->SetLangNames(names);
  d->SetLanguage("ENGLISH");
  return d;
}

void ApplyStartupLanguage(TLangDispatcher& dispatcher, const std::string& languageName) {
  dispatcher.SetActiveLanguage(1);
  if (languageName == "GERMAN") dispatcher.SetActiveLanguage(1);
  if (languageName == "ENGLISH") dispatcher.SetActiveLanguage(2);
}

}  // namespace kv
