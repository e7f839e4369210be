// The recent-file entries of the File menu, and the hand-offs to the other windows, the web
// browser preview, the help page and the language menu.
#include "app/MainForm.h"
#include "app/core/WorkingFiles.h"
#include "platform/classes/Exception.h"
#include "support/Files.h"
#include "support/Paths.h"
#include "support/Shell.h"
#include "support/StringTools.h"
#include "tools/AboutBox.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"
#include "translate/Translator.h"

namespace kv {

namespace {

constexpr int kFixedFileItems = 5;

}  // namespace

// ---- Recent files -----------------------------------------------------------------------------

void TMainForm::AddRecentFile(const std::string& path) {
  const std::string history = SettingsDir + "historie.ini";
  TStringList list;
  list.SetCaseSensitive(true);
  list.Add(path);
  if (FileExists(history)) {
    TStringList old;
    old.LoadFromFile(history);
    for (int i = 0; i < old.Count(); ++i)
      if (list.IndexOf(old.StringRef(i)) < 0) list.Add(old.StringRef(i));
  }
  list.SaveToFile(history);

  TStringList kept;
  list.LoadFromFile(history);
  for (int i = 0; i < list.Count() && i < 5; ++i)
    if (FileExists(list.StringRef(i))) kept.Add(list.StringRef(i));
  kept.SaveToFile(history);

  TStringList small;
  kept.LoadFromFile(history);
  for (int i = 0; i < kept.Count(); ++i) small.Add(FileNamePart(kept.StringRef(i)));
  small.SaveToFile(SettingsDir + "historiesmall.ini");
}

void TMainForm::RebuildRecentMenu() {
  const std::string history = SettingsDir + "historie.ini";
  if (!FileExists(history)) return;
  TStringList paths, names;
  paths.LoadFromFile(history);
  names.LoadFromFile(SettingsDir + "historiesmall.ini");
  for (int k = 0; k < 6; ++k)
    if (Datei1->Count() > kFixedFileItems) Datei1->Delete(kFixedFileItems);
  for (int i = 0; i < paths.Count(); ++i) {
    auto* item = new TMenuItem(this);
    item->SetCaption(names.Get(i));
    item->Tag = 100 + i;
    item->OnClick = [this](TObject* sender) { RecentFileClick(sender); };
    Datei1->Add(item);
  }
}

void TMainForm::RecentFileClick(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  const long n = item->Tag;
  SetStatusText(std::to_string(n));
  TStringList paths;
  paths.LoadFromFile(SettingsDir + "historie.ini");
  const std::string path = paths.Get(static_cast<int>(n - 100));
  if (FileExists(path)) LoadDocument(path);
}

// ---- Hand-offs --------------------------------------------------------------------------------

void TMainForm::SpeedButton1Click(TObject*) {
  const std::string exchange = DocDir + WorkingFile::SourceCode;
  SaveDocumentTo(exchange);
  TQuellcodeForm* source = Application()->FindForm<TQuellcodeForm>();
  if (source && source->ShowModal() == mrOk) WebBrowser1->Engine()->Navigate(exchange);
}

void TMainForm::ToolButton8Click(TObject*) {
  SaveDocumentTo(DocDir + WorkingFile::Undo);
  TMetaTagForm* meta = Application()->FindForm<TMetaTagForm>();
  if (meta && meta->ShowModal() == mrOk) WebBrowser1->Engine()->Navigate(CurrentFile);
}

void TMainForm::SpeedButton2Click(TObject*) {
  SaveDocumentTo(CurrentFile);
  std::string copy = NewPreviewFileName(WithTrailingBackslash(DirectoryOfPath(CurrentFile)));
  if (!CopyFileOverwrite(CurrentFile, copy))
    throw EFCreateError(FrameworkText::FileCreateError(copy));
  ReplaceNoCase(copy, "\\", "/");
  OpenWithShell(copy);
}

void TMainForm::Hilfedatei2Click(TObject*) {
  OpenWithShell(AppDir + "help" + PathDelim() + "help.html");
}

void TMainForm::Info2Click(TObject*) {
  if (TAboutBox* about = Application()->FindForm<TAboutBox>()) about->ShowModal();
}

void TMainForm::SwitchLanguage(const std::string& name, int language) {
  TStringList file;
  file.Add(name);
  file.SaveToFile(SettingsDir + "Language.ini");
  LanguageName = name;
  LangDispatcher1->SetActiveLanguage(language);
  BlockFormatCombo->SetItemIndex(0);
  ProductTitle = "KAVELIN";
  SetCaption(ProductTitle + " " + VersionText);
}

void TMainForm::Deutsch1Click(TObject*) {
  SwitchLanguage("GERMAN", 1);
}
void TMainForm::English1Click(TObject*) {
  SwitchLanguage("ENGLISH", 2);
}

}  // namespace kv
