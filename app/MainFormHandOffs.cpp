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
  file.SaveToFile(AppDir + "Language.ini");
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
