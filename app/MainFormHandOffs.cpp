// The hand-offs to the other windows, the web browser preview, the help page and the language
// menu.
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

// ---- Hand-offs --------------------------------------------------------------------------------

void TMainForm::SpeedButton1Click(TObject*) {
  const THostPath exchange = DocDir + WorkingFile::SourceCode;
  SaveDocumentTo(exchange);
  TQuellcodeForm* source = Application()->FindForm<TQuellcodeForm>();
  if (!source) return;
  // The window stores its own snapshot; a visit that ends without OK puts back the one from
  // before, so a later Undo never drops edits made after the visit.
  const TKeptFile snapshot(DocDir + WorkingFile::Undo);
  if (source->ShowModal() == mrOk)
    WebBrowser1->Engine()->Navigate(exchange);
  else
    snapshot.Restore();
}

void TMainForm::ToolButton8Click(TObject*) {
  const THostPath undo = DocDir + WorkingFile::Undo;
  // The window reads the snapshot written for its visit; without OK the earlier one returns.
  const TKeptFile snapshot(undo);
  SaveDocumentTo(undo);
  TMetaTagForm* meta = Application()->FindForm<TMetaTagForm>();
  if (meta && meta->ShowModal() == mrOk)
    WebBrowser1->Engine()->Navigate(CurrentFile);
  else
    snapshot.Restore();
}

THostPath TMainForm::PreviewCopyPath() const {
  return CurrentFile.Directory() / WorkingFile::Preview;
}

void TMainForm::DeletePreviewCopy() {
  if (!CurrentFile.IsEmpty()) DeleteFileIfExists(PreviewCopyPath());
}

void TMainForm::SpeedButton2Click(TObject*) {
  SaveDocumentTo(CurrentFile);
  // One copy per folder, rewritten by every preview: a reload in the browser shows the latest.
  const THostPath copy = PreviewCopyPath();
  std::string bytes;
  if (!ReadFileBytes(CurrentFile, bytes))
    throw EFOpenError(FrameworkText::FileOpenError(CurrentFile));
  SaveBytesToFile(copy, bytes);
  OpenWithShell(copy);
}

void TMainForm::Hilfedatei2Click(TObject*) {
  OpenWithShell(AppDir / "help" / "help.html");
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
