// TCustomTranslator: one per window. Holds the window's texts in every language as tables (one
// per section, one row per item, one column per language), writes the active column into the
// window's components through their published properties, and answers lookups of program
// strings by identifier. Switching is driven by a TLangDispatcher the component links to.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/classes/Strings.h"
#include "translate/LangStringsCollection.h"
#include "translate/LangTypes.h"
#include "translate/TranslationData.h"

namespace kv {

class TLangDispatcher;
struct TPropInfo;

// Called before any string property is written from a table; may change the text.
using TStringFilterHook =
    std::function<void(TPersistent* object, const TPropInfo* info, std::string& text)>;
void SetStringFilterHook(TStringFilterHook hook);

// The screen cursor as the visual layer shows it (0 is the default cursor).
struct TScreenCursor {
  std::function<int()> Get;
  std::function<void(int)> Set;
};
TScreenCursor& ScreenCursor();

class TCustomTranslator : public TComponent {
  KV_DECLARE_CLASS()
  explicit TCustomTranslator(TComponent* owner);
  ~TCustomTranslator() override;

  // ---- Tables -------------------------------------------------------------------------------
  // The table of a section; null for the list/tree view items, which have none.
  TStringList* Table(TStringsType type) const;
  TStringList* Captions() const { return Table(stCaptions); }
  TStringList* Hints() const { return Table(stHints); }
  TStringList* DisplayLabels() const { return Table(stDisplayLabels); }
  TStringList* Fonts() const { return Table(stFonts); }
  TStringList* MultiLines() const { return Table(stMultiLines); }
  TStringList* DlgsCaptions() const { return Table(stDlgsCaptions); }
  TStringList* Strings() const { return Table(stStrings); }
  TStringList* OtherStrings() const { return Table(stOtherStrings); }
  TStringList* Locales() const { return Table(stLocales); }
  TStringList* Collections() const { return Table(stCollections); }
  TStringList* CharSets() const { return Table(stCharSets); }
  // Assigning a table from code copies the rows and applies that section at once (character
  // sets count as the fonts pass); the dialog captions are only copied.
  void SetTable(TStringsType type, const TStrings& rows);
  TTableSet TableSet() const;
  // Rows taken out because the component they name does not exist.
  TStringList* OrphanRows() const { return orphanRows_.get(); }
  const TLangStringsCollection& StringsIndex() const { return *stringsIndex_; }

  // ---- Stored tables ------------------------------------------------------------------------
  void ReadTranslationData(const std::string& payload);
  std::string WriteTranslationData() const;
  // A window's stored form carries the tables unless an ancestor form holds the same ones
  // (compared exactly, table by table).
  bool ShouldStoreTranslationData(const TCustomTranslator* ancestor) const;

  // ---- Language settings --------------------------------------------------------------------
  std::string Version() const { return "2.4.3.0"; }
  void SetVersion(const std::string&) {}  // the component's own version wins over a stored one
  TStringList* StringsTypes() const { return stringsTypes_.get(); }
  int NumOfLanguages() const { return numOfLanguages_; }
  void SetNumOfLanguages(int n);
  int ActiveLanguage() const { return activeLanguage_; }
  void SetActiveLanguage(int n);
  TLangDispatcher* LangDispatcher() const { return dispatcher_; }
  void SetLangDispatcher(TLangDispatcher* dispatcher);
  char LangDelim() const { return delim_; }
  void SetLangDelim(char delim);
  const TStringList& LangNames() const { return *langNames_; }
  void SetLangNames(const TStrings& names);
  const std::string& Language() const { return language_; }
  void SetLanguage(const std::string& name);
  TStringList* ExcludedProperties() const { return excluded_.get(); }
  TStringList* DoNotTranslate() const { return doNotTranslate_.get(); }
  TStringList* SmartExcludeProps() const { return smartExclude_.get(); }
  int DefaultLanguage() const { return defaultLanguage_; }
  void SetDefaultLanguage(int n);
  bool UseDefaultLanguage() const { return useDefaultLanguage_; }
  void SetUseDefaultLanguage(bool use) { useDefaultLanguage_ = use; }

  bool ChangeLocales = false;
  TTranslateType TranslateType = TTranslateType::ttNoChange;
  bool NeedAllDlgs = false;
  int ChangingCursor = -1;
  bool DoRaiseExceptions = false;
  bool IsInheritedOwner = false;
  bool StoreAsUTF8 = false;
  bool AutoSkipEmpties = true;
  bool UseTaskMsgDlg = true;
  int ResourceLanguageIndex = 1;

  TLanguageChangingEvent OnLanguageChanging;
  TNotifyEvent OnChangeLanguage;

  // ---- Program strings ----------------------------------------------------------------------
  std::string GetText(const std::string& identifier);
  std::string GetTextOrDefault(const std::string& identifier);
  std::string LookupText(TStringsType table, const std::string& identifier, bool fallBack);

  // ---- Applying -----------------------------------------------------------------------------
  // Writes the active column of the pending section(s) into the window.
  virtual void ApplyActiveLanguage();
  void PruneSection(TStringsType type);
  void ApplySection(TStringsType type);

  // -1 for all sections, else the one section the next ApplyActiveLanguage writes.
  int PendingSection = -1;
  // Set while the dispatcher switches this component (its own veto is then not asked).
  bool DispatcherSwitching = false;
  const std::vector<TFontCharset>& LanguageCharsets() const { return languageCharsets_; }
  TFontCharset ActiveCharset() const { return activeCharset_; }
  void RecomputeCharsets();

  // The window the tables are applied to: the owner.
  TComponent* Window() const { return Owner(); }

 protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TLangDispatcher;
  // Plain copies from the dispatcher when linking: no checks, no switching.
  void CopyLanguageState(const TStrings& names, const std::string& language);
  void FinishLoading();
  void AdjustDialogCaptions();
  void ConvertLegacyTabs();
  void CompleteLocales();
  void ApplyExclusions();
  bool IsExcluded(const std::string& component, const std::string& property) const;
  void RebuildStringsIndex();
  std::string ChooseCell(const std::string& row, bool allowTestMode) const;
  bool TestModeOn() const;
  std::string WindowClassName() const;
  void ApplyWindowString(const char* propName, TStringsType type);
  void ApplyWindowFont();
  void ApplyCollections();
  void ApplyRow(TStringsType type, const std::string& row);

  std::vector<std::unique_ptr<TStringList>> tables_;
  std::unique_ptr<TStringList> orphanRows_;
  std::unique_ptr<TStringList> stringsTypes_;
  std::unique_ptr<TStringList> langNames_;
  std::unique_ptr<TStringList> excluded_;
  std::unique_ptr<TStringList> doNotTranslate_;
  std::unique_ptr<TStringList> smartExclude_;
  std::unique_ptr<TLangStringsCollection> stringsIndex_;
  int numOfLanguages_ = 1;
  int activeLanguage_ = 1;
  int defaultLanguage_ = 1;
  bool useDefaultLanguage_ = false;
  char delim_ = '\x01';
  std::string language_;
  TLangDispatcher* dispatcher_ = nullptr;
  std::vector<TFontCharset> languageCharsets_;
  TFontCharset activeCharset_ = DEFAULT_CHARSET;
  bool testModeOn_ = false;
  bool stringsIndexStale_ = true;
};

// The 15 message-box rows every new component starts with (German framework texts).
void FillMessageDialogCaptions(TStrings& rows, int languages, char delim);
// The 71 further standard-dialog keys with their English texts, for NeedAllDlgs.
const std::vector<std::string>& StandardDialogTexts();
const std::vector<std::string>& MessageDialogTexts();
// The exclusion list a new component starts with (30 names).
void FillDefaultExcludedProperties(TStrings& names);
// The twenty names every window of the program stores.
void FillStoredExcludedProperties(TStrings& names);

}  // namespace kv
