#include "translate/Translator.h"

#include "translate/LangDispatcher.h"

namespace kv {

namespace {

using T = TCustomTranslator;

TPropInfo TableProp(const char* name, TStringsType type) {
  return prop::Object<T>(
      name, "TStrings", [type](T& t) -> TPersistent* { return t.Table(type); },
      [type](T& t, TPersistent* v) {
        if (auto* rows = dynamic_cast<TStrings*>(v)) t.SetTable(type, *rows);
      });
}

TPropInfo ListProp(const char* name, TStringList* (T::*get)() const) {
  return prop::Object<T>(
      name, "TStrings", [get](T& t) -> TPersistent* { return (t.*get)(); },
      [get](T& t, TPersistent* v) { (t.*get)()->Assign(v); });
}

TPropInfo BoolField(const char* name, bool T::*field) {
  return prop::Boolean<T>(
      name, [field](T& t) { return t.*field; },
      [field](T& t, std::int64_t v) { t.*field = v != 0; });
}

}  // namespace

KV_DEFINE_CLASS(
    TTranslator, TCustomTranslator,
    {prop::String<T>("Version", &T::Version, &T::SetVersion),
     ListProp("StringsTypes", &T::StringsTypes),
     prop::Integer<T>("NumOfLanguages", &T::NumOfLanguages,
                      [](T& t, std::int64_t v) { t.SetNumOfLanguages(static_cast<int>(v)); }),
     prop::Integer<T>("ActiveLanguage", &T::ActiveLanguage,
                      [](T& t, std::int64_t v) { t.SetActiveLanguage(static_cast<int>(v)); }),
     prop::Object<T>(
         "LangDispatcher", "TLangDispatcher",
         [](T& t) -> TPersistent* { return t.LangDispatcher(); },
         [](T& t, TPersistent* v) { t.SetLangDispatcher(dynamic_cast<TLangDispatcher*>(v)); }),
     prop::Ordinal<T>(
         "LangDelim", tkChar, [](T& t) { return static_cast<unsigned char>(t.LangDelim()); },
         [](T& t, std::int64_t v) { t.SetLangDelim(static_cast<char>(v)); }),
     prop::Object<T>(
         "LangNames", "TStrings",
         [](T& t) -> TPersistent* { return const_cast<TStringList*>(&t.LangNames()); },
         [](T& t, TPersistent* v) {
           if (auto* names = dynamic_cast<TStrings*>(v)) t.SetLangNames(*names);
         }),
     prop::String<T>("Language", &T::Language, &T::SetLanguage),
     ListProp("ExcludedProperties", &T::ExcludedProperties),
     TableProp("Captions", stCaptions),
     TableProp("Hints", stHints),
     TableProp("DisplayLabels", stDisplayLabels),
     TableProp("Fonts", stFonts),
     TableProp("MultiLines", stMultiLines),
     TableProp("DlgsCaptions", stDlgsCaptions),
     TableProp("Strings", stStrings),
     TableProp("OtherStrings", stOtherStrings),
     TableProp("Locales", stLocales),
     TableProp("Collections", stCollections),
     TableProp("CharSets", stCharSets),
     BoolField("ChangeLocales", &T::ChangeLocales),
     BoolField("NeedAllDlgs", &T::NeedAllDlgs),
     BoolField("DoRaiseExceptions", &T::DoRaiseExceptions),
     BoolField("AutoSkipEmpties", &T::AutoSkipEmpties),
     BoolField("StoreAsUTF8", &T::StoreAsUTF8),
     BoolField("IsInheritedOwner", &T::IsInheritedOwner),
     ListProp("DoNotTranslate", &T::DoNotTranslate),
     ListProp("SmartExcludeProps", &T::SmartExcludeProps)})

}  // namespace kv
