// The page's life on disk: New, Open, Save, Save as, the working copy the engine edits, the
// save routine and the clean-up of working files.
#include "app/MainForm.h"
#include "app/core/PageFileCheck.h"
#include "app/core/SaveDocument.h"
#include "app/core/WorkingFiles.h"
#include "platform/classes/Exception.h"
#include "support/Files.h"
#include "support/Paths.h"
#include "support/ScopeGuard.h"

namespace kv {

namespace {

// Makes the working copy of a page: its bytes under a new "KAVELIN_temp" name in docDir. A
// page that cannot be read, or a folder that takes no copy, is an error naming the file; the
// caller's document is then left as it was.
THostPath MakeWorkingCopy(const THostPath& docDir, const THostPath* sourcePath) {
  std::string bytes;
  if (sourcePath && !ReadFileBytes(*sourcePath, bytes))
    throw EFOpenError(FrameworkText::FileOpenError(*sourcePath));
  try {
    return WriteWorkingCopy(docDir, bytes);
  } catch (const EFCreateError& e) {
    if (sourcePath)
      throw EFCreateError(FrameworkText::FileOpenError(*sourcePath) + ": " + e.Message);
    throw;
  }
}

}  // namespace

TWebEngine* TMainForm::GetDocument() const {
  TWebEngine* engine = WebBrowser1 ? WebBrowser1->Engine() : nullptr;
  return engine && engine->HasDocument() ? engine : nullptr;
}

void TMainForm::InitEditing() {
  TWebEngine* engine = WebBrowser1->Engine();
  engine->SetDesignMode(true);
  engine->SetOnClick([this] { RefreshToolbarState(); });
}

void TMainForm::WebBrowser1NavigateComplete2() {
  InitEditing();
  // A window's result (source, meta tags, table, undo) replaced the page.
  if (Recovery && !CurrentFile.IsEmpty()) Recovery->Reloaded(WebBrowser1->Engine()->LoadedFile());
  WebBrowser1->SetFocus();
  if (!filterOn_) {
    filterOn_ = true;
    ApplicationEvents1->OnMessage = [this](TMsg& msg, bool& handled) {
      ApplicationEvents1Message(msg, handled);
    };
  }
  ReportReadyOnce();
  if (showPending_) SafeCall([this] { RunPendingShow(); });
}

void TMainForm::LoadDocument(const THostPath& path) {
  const THostPath newDocDir = path.Directory().WithTrailingSeparator();
  // Copy and load first: a page that cannot be opened leaves the current one untouched.
  const THostPath newWork = MakeWorkingCopy(newDocDir, &path);
  {
    TScopeGuard dropCopy([&] { DeleteFileIfExists(newWork); });
    WebBrowser1->Engine()->Load(newWork);
    dropCopy.Dismiss();
  }
  // The previous folder's sweep spares the copy just made when both folders are the same.
  if (!DocDir.IsEmpty()) kv::DeleteWorkingFiles(DocDir, TempDir, newWork);
  CurrentFile = path;
  DocDir = newDocDir;
  WorkFile = newWork;
  SetStatusText(CurrentFile);
  if (Recovery) Recovery->Loaded(newWork);
}

void TMainForm::Neu1Click(TObject*) {
  const THostPath docDir = UntitledDocDir(TempDir);
  if (!ForceDirectories(docDir)) throw EFCreateError(FrameworkText::FileCreateError(docDir));
  const THostPath work = MakeWorkingCopy(docDir, nullptr);
  {
    TScopeGuard dropCopy([&] { DeleteFileIfExists(work); });
    WebBrowser1->Engine()->Load(work);
    dropCopy.Dismiss();
  }
  DeletePreviewCopy();
  CurrentFile = UntitledFile(TempDir);
  DocDir = docDir;
  WorkFile = work;
  SetStatusText(CurrentFile);
  if (Recovery) Recovery->Loaded(work);
}

void TMainForm::NeueInternetseit1Click(TObject*) {
  OpenDialog1->SetFileName("");
  if (!OpenDialog1->Execute()) return;
  OpenChosenPage(OpenDialog1->FilePath());
}

void TMainForm::OpenChosenPage(const THostPath& path) {
  RefuseNonPage(path, CheckPageFile(path));
  LoadDocument(path);
  AddRecentFile(path);
  RebuildRecentMenu();
}

void TMainForm::PageDropped(const THostPath& path) {
  OpenChosenPage(path);
}

void TMainForm::RefuseNonPage(const THostPath& path, TPageFileVerdict verdict) {
  if (verdict != TPageFileVerdict::Ok)
    throw EFOpenError(Message(PageFileRefusalText(verdict), {PathInMessage(path)}));
}

void TMainForm::SaveDocumentTo(const THostPath& path) {
  // One save at a time: a second request while the engine is still writing (a key repeat, a
  // timer) would interleave two pages in one file.
  if (saving_) throw EEngineError(Message("Main.SaveBusy", {PathInMessage(path)}));
  saving_ = true;
  TScopeGuard done([this] { saving_ = false; });
  TWebEngine* engine = GetDocument();
  if (!engine) throw EEngineError(Message("Main.SaveNoPage", {PathInMessage(path)}));
  SaveRewrittenText(path, engine->SaveToPage().Text, DocDir);
}

void TMainForm::Soeichern1Click(TObject*) {
  SaveDocumentTo(CurrentFile);
  if (Recovery) Recovery->Saved(CurrentFile);
  MessageBox(this, SavedMessage(), "KAVELIN", MB_OK);
}

void TMainForm::Speichernunter1Click(TObject*) {
  SaveDialog1->SetFilePath(CurrentFile);
  if (!SaveDialog1->Execute()) return;
  const THostPath chosen = SaveDialog1->FilePath();
  SaveDocumentTo(chosen);
  const THostPath newDocDir = chosen.Directory().WithTrailingSeparator();
  if (newDocDir != DocDir) DeletePreviewCopy();
  if (Recovery) Recovery->Saved(chosen);
  CurrentFile = chosen;
  DocDir = newDocDir;
  SetStatusText(CurrentFile);
  AddRecentFile(CurrentFile);
  RebuildRecentMenu();
}

void TMainForm::DeleteWorkingFiles() {
  kv::DeleteWorkingFiles(DocDir, TempDir);
}

}  // namespace kv
