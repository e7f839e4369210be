// The translator's settings, loading and string lookup. Applying the tables to the window lives
// in TranslatorApply.cpp.
#include "translate/CustomTranslator.h"

#include <cstdarg>
#include <cstdio>

#include "platform/classes/Exception.h"
#include "support/AnsiCase.h"
#include "support/ScopeGuard.h"
#include "translate/LangDispatcher.h"
#include "translate/LangLocales.h"
#include "translate/LangRows.h"
#include "translate/TestModeInfo.h"

namespace kv {

namespace {

TStringFilterHook& FilterHook() {
  static TStringFilterHook hook;
  return hook;
}

bool ContainsText(const TStrings& list, std::string_view text) {
  for (int i = 0; i < list.Count(); ++i)
    if (SameText(list.Get(i), text)) return true;
  return false;
}

std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* pattern, ...) {
  char buffer[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(buffer, sizeof buffer, pattern, args);
  va_end(args);
  return buffer;
}

std::string LanguageNumberName(int n) {
  return "Language N" + std::to_string(n);
}

// Restores the default screen cursor when a switch that showed its own cursor ends.
class TCursorScope {
 public:
  explicit TCursorScope(int cursor) {
    auto& sc = ScreenCursor();
    if (cursor != -1 && sc.Get && sc.Set && sc.Get() == 0) {
      sc.Set(cursor);
      active_ = true;
    }
  }
  ~TCursorScope() {
    if (active_) ScreenCursor().Set(0);
  }
  TCursorScope(const TCursorScope&) = delete;
  TCursorScope& operator=(const TCursorScope&) = delete;

 private:
  bool active_ = false;
};

}  // namespace

void SetStringFilterHook(TStringFilterHook hook) {
  FilterHook() = std::move(hook);
}
// Used by the applying code.
const TStringFilterHook& CurrentStringFilterHook() {
  return FilterHook();
}

TScreenCursor& ScreenCursor() {
  static TScreenCursor cursor;
  return cursor;
}

const std::vector<std::string>& MessageDialogTexts() {
  static const std::vector<std::string> texts = {
      "Warning", "Error",  "Information", "Confirm", "&Yes",       "&No",         "OK",   "Cancel",
      "&Abort",  "&Retry", "&Ignore",     "&All",    "N&o To All", "Y&es To All", "&Help"};
  return texts;
}

const std::vector<std::string>& StandardDialogTexts() {
  static const std::vector<std::string> texts = {"&Open",
                                                 "Look &in:",
                                                 "File &name:",
                                                 "Files of &type:",
                                                 "&Read-only",
                                                 "&Save",
                                                 "&Drives:",
                                                 "Save &in:",
                                                 "Save as &type:",
                                                 "&Basic colors:",
                                                 "&Custom colors:",
                                                 "&Define Custom Colors >>",
                                                 "Color",
                                                 "|S&olid",
                                                 "Hu&e:",
                                                 "&Sat:",
                                                 "&Lum:",
                                                 "&Red:",
                                                 "&Green:",
                                                 "Bl&ue:",
                                                 "&Add to Custom Colors",
                                                 "&Font:",
                                                 "Font st&yle:",
                                                 "Si&ze:",
                                                 "&Color:",
                                                 "&Apply",
                                                 "Effects",
                                                 "Stri&keout",
                                                 "&Underline",
                                                 "Sample",
                                                 "Sc&ript:",
                                                 "Printer",
                                                 "&Name:",
                                                 "&Properties",
                                                 "Status:",
                                                 "Type:",
                                                 "Where:",
                                                 "Comment:",
                                                 "Paper",
                                                 "&Source:",
                                                 "Orientation",
                                                 "P&ortrait",
                                                 "L&andscape",
                                                 "Print to f&ile",
                                                 "Print",
                                                 "Pa&ges",
                                                 "&Selection",
                                                 "&from:",
                                                 "&to:",
                                                 "Copies",
                                                 "Number of &copies:",
                                                 "C&ollate",
                                                 "Fi&nd what:",
                                                 "Match &whole words only",
                                                 "Match &case",
                                                 "Direction",
                                                 "&Up",
                                                 "&Down",
                                                 "&Find Next",
                                                 "&Replace",
                                                 "Replace &All",
                                                 "Re&place with:",
                                                 "Picture:",
                                                 "Preview",
                                                 "New Folder",
                                                 "Folder:",
                                                 "(None)",
                                                 "Close",
                                                 "Network",
                                                 "Print Setup",
                                                 "Find"};
  return texts;
}

namespace {
std::string WithoutAmpersands(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != '&') r += c;
  return r;
}
std::string RowWithFirstCell(const std::string& key, const std::string& cell, int languages,
                             char delim) {
  std::string r = key + delim + cell;
  for (int k = 1; k < languages; ++k) r += delim;
  r += delim;
  return r;
}
}  // namespace

void FillMessageDialogCaptions(TStrings& rows, int languages, char delim) {
  // The framework's own (German) message-box texts, in the order of the English ones.
  static const char* const german[] = {
      "Warnung",     "Fehler", "Informationen", "Best\xE4tigung", "&Ja",
      "&Nein",       "OK",     "Abbrechen",     "&Abbrechen",     "&Wiederholen",
      "&Ignorieren", "&Alle",  "&Alle Nein",    "A&lle Ja",       "&Hilfe"};
  rows.Clear();
  const auto& keys = MessageDialogTexts();
  for (size_t i = 0; i < keys.size(); ++i)
    rows.Add(RowWithFirstCell(WithoutAmpersands(keys[i]), german[i], languages, delim));
}

void FillStoredExcludedProperties(TStrings& names) {
  // The list every window of the program stores ("HelpKeyword" twice, as it was saved).
  static const char* const stored[] = {"Category",
                                       "SecondaryShortCuts",
                                       "HelpKeyword",
                                       "InitialDir",
                                       "HelpKeyword",
                                       "ActivePage",
                                       "ImeName",
                                       "DefaultExt",
                                       "FileName",
                                       "FieldName",
                                       "PickList",
                                       "DisplayFormat",
                                       "EditMask",
                                       "KeyList",
                                       "LookupDisplayFields",
                                       "DropDownSpecRow",
                                       "TableName",
                                       "DatabaseName",
                                       "IndexName",
                                       "MasterFields"};
  names.Clear();
  for (const char* n : stored) names.Add(n);
}

void FillDefaultExcludedProperties(TStrings& names) {
  // A new component excludes the stored names and ten more.
  static const char* const more[] = {
      "SQL",       "DeleteSQL",       "UpdateSQL",         "ModifySQL",
      "KeyFields", "LookupKeyFields", "LookupResultField", "DataField",
      "KeyField",  "ListField"};
  FillStoredExcludedProperties(names);
  for (const char* n : more) names.Add(n);
}

// ---- TCustomTranslator ------------------------------------------------------------------------

KV_DEFINE_CLASS(TCustomTranslator, TComponent, {})

TCustomTranslator::TCustomTranslator(TComponent* owner)
    : TComponent(owner),
      orphanRows_(std::make_unique<TStringList>()),
      stringsTypes_(std::make_unique<TStringList>()),
      langNames_(std::make_unique<TStringList>()),
      excluded_(std::make_unique<TStringList>()),
      doNotTranslate_(std::make_unique<TStringList>()),
      smartExclude_(std::make_unique<TStringList>()),
      stringsIndex_(std::make_unique<TLangStringsCollection>()) {
  for (int i = 0; i < kTableCount; ++i) tables_.push_back(std::make_unique<TStringList>());
  tables_[stStrings]->OnChange = [this](TObject*) { stringsIndexStale_ = true; };
  stringsTypes_->Add("TIB_STRINGLIST");
  stringsTypes_->Add("TSTRINGLIST");
  langNames_->Add(LanguageNumberName(1));
  language_ = LanguageNumberName(1);
  FillDefaultExcludedProperties(*excluded_);
  FillMessageDialogCaptions(*tables_[stDlgsCaptions], numOfLanguages_, delim_);
}

TCustomTranslator::~TCustomTranslator() {
  if (dispatcher_) {
    dispatcher_->UnlinkLang(this);
    dispatcher_->RemoveFreeNotification(this);
    dispatcher_ = nullptr;
  }
  tables_[stStrings]->OnChange = nullptr;
}

TStringList* TCustomTranslator::Table(TStringsType type) const {
  const int i = static_cast<int>(type);
  return (i >= 0 && i < kTableCount) ? tables_[i].get() : nullptr;
}

TTableSet TCustomTranslator::TableSet() const {
  TTableSet set{};
  for (int i = 0; i < kTableCount; ++i) set[i] = tables_[i].get();
  return set;
}

void TCustomTranslator::SetTable(TStringsType type, const TStrings& rows) {
  TStringList* table = Table(type);
  if (!table) return;
  table->Assign(&rows);
  if (type == stDlgsCaptions) return;
  PendingSection = (type == stCharSets) ? static_cast<int>(stFonts) : static_cast<int>(type);
  ApplyActiveLanguage();
  PendingSection = -1;
}

std::string TCustomTranslator::WindowClassName() const {
  return Window() ? Window()->ClassName() : std::string();
}

void TCustomTranslator::ReadTranslationData(const std::string& payload) {
  TReadOptions options;
  options.WindowClassName = WindowClassName();
  options.Delim = delim_;
  options.IsInheritedOwner = IsInheritedOwner;
  options.StoreAsUTF8 = StoreAsUTF8;
  kv::ReadTranslationData(payload, TableSet(), options);
  RecomputeCharsets();
}

std::string TCustomTranslator::WriteTranslationData() const {
  return kv::WriteTranslationData(TableSet());
}

bool TCustomTranslator::ShouldStoreTranslationData(const TCustomTranslator* ancestor) const {
  if (!ancestor) return true;
  for (int i = 0; i < kTableCount; ++i)
    if (tables_[i]->GetText() != ancestor->tables_[i]->GetText()) return true;
  return false;
}

// ---- Settings ---------------------------------------------------------------------------------

void TCustomTranslator::SetNumOfLanguages(int n) {
  if (n < 1)
    throw ELanguageError(std::to_string(n) +
                         " - is not a valid property value !\rValue must be more than ZERO !");
  if (n < numOfLanguages_)
    for (auto& t : tables_) ShrinkRows(*t, n, delim_);
  numOfLanguages_ = n;
  while (langNames_->Count() < n) langNames_->Add(LanguageNumberName(langNames_->Count() + 1));
  while (langNames_->Count() > n) langNames_->Delete(langNames_->Count() - 1);
  if (!IsLoading()) {
    PadRows(*tables_[stStrings], n, delim_);
    PadRows(*tables_[stDlgsCaptions], n, delim_);
    PadRows(*tables_[stLocales], n, delim_);
    RebuildStringsIndex();
  }
}

void TCustomTranslator::SetActiveLanguage(int n) {
  if (n == activeLanguage_) return;
  if (n < 1 || n > numOfLanguages_) {
    if (IsLoading()) return;
    if (Window())
      throw ELanguageError(
          Format("%s: %d - is not a valid property value!\rValue must be within [1..%d]!",
                 WindowClassName().c_str(), n, numOfLanguages_));
    throw ELanguageError(Format(
        "%d - is not a valid property value!\rValue must be within [1..%d]!", n, numOfLanguages_));
  }
  PendingSection = -1;
  TCursorScope cursor(ChangingCursor);
  if (!IsLoading() && !DispatcherSwitching && OnLanguageChanging) {
    bool allow = true;
    OnLanguageChanging(this, n, allow);
    if (!allow) return;
  }
  activeLanguage_ = n;
  if (!IsLoading()) {
    if (langNames_->Count() >= n) language_ = langNames_->Get(n - 1);
    ApplyActiveLanguage();
  }
}

void TCustomTranslator::SetLangDispatcher(TLangDispatcher* dispatcher) {
  if (dispatcher_ && dispatcher_ != dispatcher) {
    dispatcher_->UnlinkLang(this);
    dispatcher_->RemoveFreeNotification(this);
  }
  dispatcher_ = dispatcher;
  if (!dispatcher) return;
  dispatcher->FreeNotification(this);
  if (IsLoading()) {
    numOfLanguages_ = dispatcher->NumOfLanguages();
    defaultLanguage_ = dispatcher->DefaultLanguage();
    useDefaultLanguage_ = dispatcher->UseDefaultLanguage();
  } else if (Window()) {
    dispatcher->LinkLang(this);
  }
}

void TCustomTranslator::SetLangDelim(char delim) {
  if (delim == delim_) return;
  for (auto& t : tables_) ReplaceDelim(*t, delim_, delim);
  ReplaceDelim(*orphanRows_, delim_, delim);
  delim_ = delim;
  RebuildStringsIndex();
}

void TCustomTranslator::SetLangNames(const TStrings& names) {
  if (&names != langNames_.get()) langNames_->Assign(&names);
  if (activeLanguage_ >= 1 && activeLanguage_ <= langNames_->Count())
    language_ = langNames_->Get(activeLanguage_ - 1);
  // An empty list still leaves one language column.
  numOfLanguages_ = std::max(1, langNames_->Count());
}

void TCustomTranslator::SetLanguage(const std::string& name) {
  int index = -1;
  for (int i = 0; i < langNames_->Count(); ++i)
    if (SameText(langNames_->Get(i), name)) {
      index = i;
      break;
    }
  if (index < 0) {
    if (!IsLoading())
      throw ELanguageError("Language name shall be included in LangNames property!");
    langNames_->Add(name);
    index = langNames_->Count() - 1;
  }
  language_ = name;
  if (!IsLoading()) SetActiveLanguage(index + 1);
}

void TCustomTranslator::SetDefaultLanguage(int n) {
  if (n < 1 || n > numOfLanguages_ || n == defaultLanguage_) return;
  defaultLanguage_ = n;
}

void TCustomTranslator::CopyLanguageState(const TStrings& names, const std::string& language) {
  langNames_->Assign(&names);
  language_ = language;
}

// ---- Loading ----------------------------------------------------------------------------------

void TCustomTranslator::Loaded() {
  TComponent::Loaded();
  // A window must come up even when its stored tables cannot be applied (a property writer
  // that refuses a value): the texts then stay as designed, and the next switch tries again.
  try {
    FinishLoading();
  } catch (const std::exception&) {
  }
}

void TCustomTranslator::FinishLoading() {
  AdjustDialogCaptions();
  if (delim_ == '\t') SetLangDelim('\x01');
  ConvertLegacyTabs();
  CompleteLocales();
  ApplyExclusions();
  RebuildStringsIndex();
  if (!Window()) return;
  if (dispatcher_) dispatcher_->LinkLang(this);
  if (IsInheritedOwner)
    ApplyActiveLanguage();
  else
    RecomputeCharsets();
}

void TCustomTranslator::AdjustDialogCaptions() {
  TStringList& dlgs = *tables_[stDlgsCaptions];
  const auto& messageTexts = MessageDialogTexts();
  const int total = static_cast<int>(messageTexts.size() + StandardDialogTexts().size());
  if (NeedAllDlgs) {
    for (const std::string& text : StandardDialogTexts()) {
      const std::string key = WithoutAmpersands(text);
      bool present = false;
      for (int i = 0; i < dlgs.Count() && !present; ++i)
        present = GetColumn(dlgs.StringRef(i), 0, delim_) == key;
      if (!present) dlgs.Add(RowWithFirstCell(key, text, numOfLanguages_, delim_));
    }
    return;
  }
  if (dlgs.Count() != total) return;
  for (int i = dlgs.Count() - 1; i >= 0; --i) {
    const std::string key = GetColumn(dlgs.StringRef(i), 0, delim_);
    bool keep = false;
    for (const std::string& t : messageTexts) keep = keep || WithoutAmpersands(t) == key;
    if (!keep) dlgs.Delete(i);
  }
}

void TCustomTranslator::ConvertLegacyTabs() {
  auto row0 = [this](TStringsType t) -> std::string {
    return tables_[t]->Count() > 0 ? tables_[t]->Get(0) : std::string();
  };
  const int want = numOfLanguages_ + 1;
  const bool legacy = row0(stDlgsCaptions).find('\t') != std::string::npos ||
                      row0(stLocales).find('\t') != std::string::npos ||
                      CountDelims(row0(stCaptions), '\t') == want ||
                      CountDelims(row0(stLocales), '\t') == want ||
                      CountDelims(row0(stHints), '\t') == want;
  if (!legacy || delim_ == '\t') return;
  for (auto& t : tables_) ReplaceDelim(*t, '\t', delim_);
}

void TCustomTranslator::CompleteLocales() {
  TStringList& locales = *tables_[stLocales];
  if (locales.Count() != 11) return;
  const auto& keys = LocaleKeys();
  for (int k = 11; k < 15; ++k)
    locales.Add(RowWithFirstCell(std::string(keys[k]), LocaleNamesText(FormatSettings(), k),
                                 numOfLanguages_, delim_));
}

bool TCustomTranslator::IsExcluded(const std::string& component,
                                   const std::string& property) const {
  if (property == "Name") return true;
  if (ContainsText(*excluded_, property)) return true;
  size_t start = 0;
  while (start <= property.size()) {
    const size_t dot = property.find('.', start);
    const std::string part =
        property.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (ContainsText(*excluded_, part)) return true;
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (ContainsText(*smartExclude_, component + "." + property)) return true;
  if (Window()) {
    if (TComponent* c = Window()->FindComponent(component))
      if (ContainsText(*smartExclude_, "!" + c->ClassName() + "." + property)) return true;
  }
  return false;
}

void TCustomTranslator::ApplyExclusions() {
  static const char* const sectionProps[] = {"Caption", "Hint", "DisplayLabel", "Font"};
  for (int i = 0; i < excluded_->Count(); ++i) {
    const std::string name = excluded_->Get(i);
    for (int s = 0; s < 4; ++s)
      if (SameText(name, sectionProps[s])) tables_[s]->Clear();
    if (SameText(name, "Font") || SameText(name, "Charset")) tables_[stCharSets]->Clear();
  }
  const TStringsType checked[] = {stCaptions,   stHints,        stDisplayLabels, stFonts,
                                  stMultiLines, stOtherStrings, stCollections,   stCharSets};
  for (TStringsType type : checked) {
    TStringList& table = *tables_[type];
    for (int i = table.Count() - 1; i >= 0; --i) {
      const std::string key = GetColumn(table.StringRef(i), 0, delim_);
      bool excluded = false;
      switch (type) {
        case stCaptions:
          excluded = IsExcluded(key, "Caption");
          break;
        case stHints:
          excluded = IsExcluded(key, "Hint");
          break;
        case stDisplayLabels:
          excluded = IsExcluded(key, "DisplayLabel");
          break;
        case stFonts:
          excluded = IsExcluded(key, "Font");
          break;
        case stCharSets:
          excluded = IsExcluded(key, "CharSet");
          break;
        case stMultiLines:
        case stOtherStrings: {
          const size_t dot = key.find('.');
          const std::string comp = key.substr(0, dot);
          std::string prop;
          if (dot != std::string::npos)
            prop = key.substr(dot + 1, key.find('.', dot + 1) - dot - 1);
          excluded = IsExcluded(comp, prop);
          break;
        }
        case stCollections: {
          const size_t dot = key.find('.');
          const std::string comp = key.substr(0, dot);
          std::string coll;
          if (dot != std::string::npos)
            coll = key.substr(dot + 1, key.find_first_of(".[", dot + 1) - dot - 1);
          excluded = IsExcluded(comp, coll);
          const size_t item = key.find("].");
          if (!excluded && item != std::string::npos)
            excluded = IsExcluded(comp, key.substr(item + 2));
          break;
        }
        default:
          break;
      }
      if (excluded) table.Delete(i);
    }
  }
}

void TCustomTranslator::RebuildStringsIndex() {
  stringsIndex_->Build(*tables_[stStrings], numOfLanguages_, delim_);
  stringsIndexStale_ = false;
}

// ---- Charsets, cells --------------------------------------------------------------------------

namespace {
const std::string* FindRowByKey(const TStringList& table, const std::string& key, char delim) {
  for (int i = 0; i < table.Count(); ++i)
    if (SameText(GetColumn(table.StringRef(i), 0, delim), key)) return &table.StringRef(i);
  return nullptr;
}
}  // namespace

void TCustomTranslator::RecomputeCharsets() {
  const TStringList* source = tables_[stCharSets].get();
  char sourceDelim = delim_;
  const std::string* row = Window() ? FindRowByKey(*source, WindowClassName(), delim_) : nullptr;
  if (!row && dispatcher_) {
    for (TCustomTranslator* other : dispatcher_->LinkedLangs()) {
      if (other == this || !other->Window()) continue;
      row = FindRowByKey(*other->CharSets(), other->WindowClassName(), other->delim_);
      sourceDelim = other->delim_;
      break;
    }
  }
  languageCharsets_.assign(numOfLanguages_, DEFAULT_CHARSET);
  if (row)
    for (int k = 1; k <= numOfLanguages_; ++k)
      if (auto cs = CharsetFromName(GetColumn(*row, k, sourceDelim), false))
        languageCharsets_[k - 1] = *cs;
  activeCharset_ = (activeLanguage_ >= 1 && activeLanguage_ <= numOfLanguages_)
                       ? languageCharsets_[activeLanguage_ - 1]
                       : DEFAULT_CHARSET;
}

bool TCustomTranslator::TestModeOn() const {
  return dispatcher_ && dispatcher_->TestModeInfo().Active;
}

std::string TCustomTranslator::ChooseCell(const std::string& row, bool allowTestMode) const {
  std::string cell = GetColumn(row, activeLanguage_, delim_);
  if (useDefaultLanguage_ && cell.empty() && activeLanguage_ != defaultLanguage_)
    cell = GetColumn(row, defaultLanguage_, delim_);
  if (allowTestMode && testModeOn_ && cell.empty() && activeLanguage_ > 1)
    cell = PseudoTranslate(GetColumn(row, 1, delim_), dispatcher_->TestModeInfo());
  if (cell.empty() && TranslateType == TTranslateType::ttGetDefault)
    cell = GetColumn(row, 1, delim_);
  return cell;
}

// ---- Program strings --------------------------------------------------------------------------

std::string TCustomTranslator::LookupText(TStringsType type, const std::string& identifier,
                                          bool fallBack) {
  std::string cell;
  std::string firstCell;
  bool found = false;
  if (type == stStrings) {
    if (stringsIndexStale_) RebuildStringsIndex();
    const int i = stringsIndex_->FindIdentifier(identifier);
    if (i >= 0) {
      found = true;
      const TStringList& cells = stringsIndex_->Item(i)->Strings();
      if (activeLanguage_ >= 1 && activeLanguage_ <= cells.Count())
        cell = cells.Get(activeLanguage_ - 1);
      if (cells.Count() > 0) firstCell = cells.Get(0);
    }
  } else if (const TStringList* table = Table(type)) {
    const std::string prefix = identifier + delim_;
    for (int i = 0; i < table->Count() && !found; ++i) {
      const std::string& row = table->StringRef(i);
      if (row.size() >= prefix.size() &&
          SameText(std::string_view(row).substr(0, prefix.size()), prefix)) {
        found = true;
        cell = GetColumn(row, activeLanguage_, delim_);
        firstCell = GetColumn(row, 1, delim_);
      }
    }
  }
  if (!found) {
    if (DoRaiseExceptions)
      throw ELanguageError("String identifier \"" + identifier + "\" not found!");
    return {};
  }
  if (cell.empty() && TestModeOn() && activeLanguage_ > 1)
    cell = PseudoTranslate(firstCell, dispatcher_->TestModeInfo());
  if (cell.empty() && fallBack) cell = firstCell;
  return cell;
}

std::string TCustomTranslator::GetText(const std::string& identifier) {
  return LookupText(stStrings, identifier, TranslateType == TTranslateType::ttGetDefault);
}

std::string TCustomTranslator::GetTextOrDefault(const std::string& identifier) {
  if (!useDefaultLanguage_) return LookupText(stStrings, identifier, true);
  std::string text = GetText(identifier);
  if (!text.empty()) return text;
  TScopeGuard restore([this, saved = activeLanguage_] { activeLanguage_ = saved; });
  activeLanguage_ = defaultLanguage_;
  text = GetText(identifier);
  if (text.empty()) text = LookupText(stStrings, identifier, true);
  return text;
}

// ---- Notifications ----------------------------------------------------------------------------

void TCustomTranslator::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove || !component) return;
  if (component == dispatcher_) dispatcher_ = nullptr;
  if (component->Owner() == Window() || component->Owner() == nullptr) {
    for (int i = doNotTranslate_->Count() - 1; i >= 0; --i)
      if (SameText(doNotTranslate_->Get(i), component->Name())) doNotTranslate_->Delete(i);
  }
}

}  // namespace kv
