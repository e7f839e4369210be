// What brings the page back when something ends that should not have: the engine's page
// process (the page is restored from its recovery copy at once), the program itself (the copy
// is offered at the next start), and logout, shutdown or Ctrl+C (the program closes as a window
// closes, keeping the copy).
#include <QTimer>

#include "app/MainForm.h"
#include "app/core/RecoveryRestore.h"
#include "app/core/WorkingFiles.h"
#include "platform/TerminationSignals.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"
#include "translate/ProgramTexts.h"

namespace kv {

namespace {

using namespace std::chrono_literals;

// A page process that ends again this soon after a restore is not restored again.
constexpr auto kRestoreAgainAfter = 10s;

const char* const kCaption = "KAVELIN";

// Writes bytes as a new working copy in docDir and has the engine load it; nothing is left
// behind when that fails.
THostPath LoadWorkingCopy(TWebEngine& engine, const THostPath& docDir, const std::string& bytes) {
  const THostPath work = WriteWorkingCopy(docDir, bytes);
  TScopeGuard dropCopy([&] { DeleteFileIfExists(work); });
  engine.Load(work);
  dropCopy.Dismiss();
  return work;
}

}  // namespace

void TMainForm::InstallRecovery() {
  Recovery = std::make_unique<TRecoveryKeeper>(
      *WebBrowser1->Engine(),
      [this] {
        return TRecoveryKeeper::TPage{CurrentFile, DocDir, CurrentFile == UntitledFile(TempDir)};
      },
      RecoveryFolderPath());
  Recovery->OnCannotWrite = [this](const std::string& reason) {
    ShowWhenIdle(ProgramText("Recovery.CannotWrite", ActiveLanguage(), {Utf8ToPageText(reason)}),
                 MB_ICONWARNING);
  };
  TWebEngine* engine = WebBrowser1->Engine();
  engine->OnContentChanged = [this] {
    if (Recovery && !CurrentFile.IsEmpty()) Recovery->Changed();
  };
  engine->OnProcessGone = [this] { SafeCall([this] { RestoreAfterProcessGone(); }); };
}

// A message that comes from work in the background waits until the engine is not waiting
// for anything, so that it never opens in the middle of a command.
void TMainForm::ShowWhenIdle(std::string text, unsigned flags) {
  if (WebBrowser1->Engine()->Busy()) {
    QTimer::singleShot(200, Peer(),
                       [this, text = std::move(text), flags] { ShowWhenIdle(text, flags); });
    return;
  }
  MessageBox(this, text, kCaption, flags);
}

void TMainForm::RestorePage(bool untitled, const THostPath& currentFile, const THostPath& docDir,
                            const std::string& bytes) {
  if (untitled && !ForceDirectories(docDir))
    throw EFCreateError(FrameworkText::FileCreateError(docDir));
  const THostPath work = LoadWorkingCopy(*WebBrowser1->Engine(), docDir, bytes);
  if (!DocDir.IsEmpty()) kv::DeleteWorkingFiles(DocDir, TempDir, work);
  CurrentFile = untitled ? UntitledFile(TempDir) : currentFile;
  DocDir = docDir;
  WorkFile = work;
  SetStatusText(CurrentFile);
  Recovery->Loaded(work);
}

bool TMainForm::OfferRecoveryAtStart() {
  const std::string folder = RecoveryFolderPath();
  if (folder.empty() || !Recovery) return false;
  const int language = ActiveLanguage();
  std::vector<TOrphan> orphans = FindOrphans(folder);
  std::string notices;
  TOrphan* offered = nullptr;
  for (TOrphan& orphan : orphans) {
    if (offered) {
      orphan.Lock.Release();  // the others wait for the next start
      continue;
    }
    const std::string notice = UnrestorableNotice(orphan, language);
    if (notice.empty()) {
      offered = &orphan;
      continue;
    }
    notices += (notices.empty() ? "" : "\n\n") + notice;
    // A later version's copy is that version's to restore.
    if (orphan.Reading.State == TRecordState::FutureVersion)
      orphan.Lock.Release();
    else
      orphan.Delete();
  }
  if (!notices.empty()) MessageBox(this, notices, kCaption, MB_ICONWARNING);
  if (!offered) return false;

  std::string bytes;
  bool complete = false;
  offered->ReadCopy(bytes, complete);
  const TRestorePlan plan = PlanRestore(*offered, complete, language);
  SetYesNoCaptions(ProgramText("Recovery.Yes", language), ProgramText("Recovery.No", language));
  if (MessageBox(this, plan.Question, kCaption, MB_YESNO | MB_ICONQUESTION) != mrYes) {
    offered->Delete();
    return false;
  }
  try {
    try {
      RestorePage(plan.Untitled, plan.CurrentFile,
                  plan.Untitled ? UntitledDocDir(TempDir) : plan.DocDir, bytes);
    } catch (const std::exception& e) {
      if (plan.Untitled) throw;
      // The page's folder takes no working copy: a new page in the temporary folder instead.
      RestorePage(true, {}, UntitledDocDir(TempDir), bytes);
      MessageBox(this, ProgramText("Recovery.RestoredUntitled", language, {e.what()}), kCaption,
                 MB_ICONWARNING);
    }
  } catch (const std::exception& e) {
    MessageBox(this, ProgramText("Recovery.RestoreFailed", language, {e.what()}), kCaption,
               MB_ICONERROR);
    return false;  // the copy stays for the next start
  }
  // The copy is this run's now; the old one goes only once the new one is written.
  if (Recovery->Adopt(bytes, offered->Time)) offered->Delete();
  return true;
}

void TMainForm::RestoreAfterProcessGone() {
  if (!Recovery || CurrentFile.IsEmpty() || closingForSignal_) return;
  const int language = ActiveLanguage();
  const auto now = std::chrono::steady_clock::now();
  if (lastRestore_ && now - *lastRestore_ < kRestoreAgainAfter) {
    Recovery->KeepCopyAtClose();
    MessageBox(this, ProgramText("Recovery.GaveUp", language), kCaption, MB_ICONERROR);
    return;
  }
  lastRestore_ = now;
  TRecoveryKeeper::TRestoreSource source;
  THostPath work;
  try {
    if (!Recovery->RestoreSource(source)) throw EFOpenError(FrameworkText::FileOpenError(WorkFile));
    // A new working copy in the page's folder, so that its addresses resolve as before.
    work = LoadWorkingCopy(*WebBrowser1->Engine(), DocDir, source.Bytes);
  } catch (const std::exception& e) {
    Recovery->KeepCopyAtClose();
    MessageBox(this, ProgramText("Recovery.RestoreFailed", language, {e.what()}), kCaption,
               MB_ICONERROR);
    return;
  }
  WorkFile = work;
  Recovery->Restored(work, source);
  SafeCall([this] { RefreshToolbarState(); });
  const char* id =
      source.FromCopy
          ? (source.LaterChangesLost ? "Recovery.RestoredLaterLost" : "Recovery.Restored")
          : (source.LaterChangesLost ? "Recovery.ReloadedChangesLost" : "Recovery.Reloaded");
  MessageBox(this, ProgramText(id, language, {RecoveryTimeText(source.Time, language)}), kCaption,
             MB_ICONWARNING);
}

void TMainForm::CloseForSignal() {
  if (closingForSignal_) return;
  closingForSignal_ = true;
  if (Recovery) Recovery->EndRunKeepingCopy();
  DeleteWorkingFiles();
  Application()->Terminate();
}

void TMainForm::CloseOnTerminationSignals() {
  signalsTaken_ = true;
  OnTerminationSignals([this](int) { SafeCall([this] { CloseForSignal(); }); });
}

}  // namespace kv
