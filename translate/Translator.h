// TTranslator: the translator placed on every window, with its settings and tables published
// so that the stored settings can be set by name like any other component's.
#pragma once

#include <string>

#include "translate/CustomTranslator.h"
#include "translate/LangDispatcher.h"

namespace kv {

class TTranslator : public TCustomTranslator {
  KV_DECLARE_CLASS()
  using TCustomTranslator::TCustomTranslator;
};

// ---- The windows' stored translators ----------------------------------------------------------

// The stored tables of a window ("TMainForm", "TCreateTableForm", "TQuellcodeForm", "TAboutBox",
// "TWerbungForm", "TMetaTagForm"); empty for any other name.
std::string StoredTranslationData(const std::string& windowClassName);

// Creates the window's translator "Lang_WerbungForm" under form with the stored settings and
// tables. It finishes loading (and links to dispatcher) when the form's EndLoading runs.
TTranslator* CreateStoredTranslator(TComponent* form, TLangDispatcher* dispatcher);
// The same with other tables (a window whose tables come from elsewhere, tests).
TTranslator* CreateStoredTranslator(TComponent* form, TLangDispatcher* dispatcher,
                                    const std::string& payload);

// Creates the main window's dispatcher "LangDispatcher1" with its stored settings (two
// languages "GERMAN" and "ENGLISH", English active).
TLangDispatcher* CreateStoredDispatcher(TComponent* mainForm);

// The start-up choice: German first, then the stored language if it is exactly "GERMAN" or
// "ENGLISH"; anything else (also an empty name) leaves German.
void ApplyStartupLanguage(TLangDispatcher& dispatcher, const std::string& languageName);

}  // namespace kv
