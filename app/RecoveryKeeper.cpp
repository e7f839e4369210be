#include "app/RecoveryKeeper.h"

#include <QObject>
#include <QTimer>
#include <ctime>

#include "app/core/PageRewrite.h"
#include "app/core/SaveDocument.h"
#include "support/Files.h"

namespace kv {

namespace {

using namespace std::chrono_literals;
using TClock = TCopySchedule::TClock;

std::int64_t Now() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

// What a save would write of the page, for the page's folder.
std::string SavedBytes(const TSerializedPage& page, const THostPath& docDir) {
  return RewriteSavedText(page.Text, docDir);
}

}  // namespace

TRecoveryKeeper::TRecoveryKeeper(TWebEngine& engine, std::function<TPage()> page,
                                 std::string folder)
    : engine_(engine),
      page_(std::move(page)),
      session_(std::move(folder)),
      schedule_(2000ms, 30000ms),
      quiet_(2000ms),
      longest_(30000ms),
      context_(std::make_unique<QObject>()) {
  timer_ = new QTimer(context_.get());
  timer_->setSingleShot(true);
  QObject::connect(timer_, &QTimer::timeout, context_.get(), [this] { TakeCopy(); });
}

TRecoveryKeeper::~TRecoveryKeeper() {
  worker_.WaitIdle();
}

void TRecoveryKeeper::SetTimes(std::chrono::milliseconds quiet, std::chrono::milliseconds longest) {
  schedule_.SetTimes(quiet, longest);
  quiet_ = quiet;
  longest_ = longest;
  Reschedule();
}

void TRecoveryKeeper::Reschedule() {
  const std::optional<TCopySchedule::TTime> due = schedule_.Due();
  if (!due || inFlight_) {
    timer_->stop();  // a copy under way reschedules when it is done
    return;
  }
  const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*due - TClock::now());
  timer_->start(static_cast<int>(std::max<std::int64_t>(0, wait.count())));
}

// ---- What happens to the page ----

void TRecoveryKeeper::Changed() {
  changedSinceLoad_ = true;
  schedule_.Changed(TClock::now());
  Reschedule();
}

void TRecoveryKeeper::SetLoaded(const THostPath& file, std::int64_t time) {
  loadedFile_ = file;
  loadTime_ = time;
  changedSinceLoad_ = false;
  copyCurrent_ = false;
  nodeByNode_ = false;
}

void TRecoveryKeeper::Loaded(const THostPath& file) {
  Abandon();
  session_.Discard();
  schedule_.Clear();
  SetLoaded(file, Now());
  Reschedule();
}

void TRecoveryKeeper::Reloaded(const THostPath& file) {
  Abandon();  // a copy under way shows the page before the window's result
  SetLoaded(file, Now());
  // The page is what the window wrote, which the user has not saved.
  schedule_.Changed(TClock::now());
  Reschedule();
}

void TRecoveryKeeper::Saved(const THostPath& file) {
  // The page is its file again, as after opening it.
  Loaded(file);
}

void TRecoveryKeeper::EndRun() {
  Abandon();
  schedule_.Clear();
  Reschedule();
  worker_.WaitIdle();
  session_.End(keepAtClose_);
}

void TRecoveryKeeper::EndRunKeepingCopy() {
  // Changes no copy holds yet, or a copy still on its way: take the page as it is now,
  // waiting for it.
  const bool behind = schedule_.Pending() || inFlight_;
  Abandon();
  worker_.WaitIdle();
  if (behind && engine_.HasDocument()) {
    try {
      const TPage page = page_();
      std::string error;
      WriteNow(SavedBytes(engine_.SaveToPage(), page.DocDir), page, Now(), error);
    } catch (const std::exception&) {
      // The engine cannot answer now: the last copy taken stays.
    }
  }
  schedule_.Clear();
  Reschedule();
  session_.End(true);
}

// ---- Taking copies ----

void TRecoveryKeeper::Abandon() {
  ++sequence_;
  inFlight_ = false;
}

TRecoveryRecord TRecoveryKeeper::RecordOf(const TPage& page, std::int64_t time) const {
  TRecoveryRecord record;
  record.Untitled = page.Untitled;
  if (!page.Untitled) record.PagePath = page.CurrentFile.Bytes();
  record.DocDir = page.DocDir.Bytes();
  record.Time = time;
  return record;
}

bool TRecoveryKeeper::WriteNow(const std::string& bytes, const TPage& page, std::int64_t time,
                               std::string& error) {
  if (!session_.Write(bytes, RecordOf(page, time), session_.Generation(), error)) return false;
  copyTime_ = time;
  copyCurrent_ = true;
  return true;
}

void TRecoveryKeeper::TakeCopy() {
  if (inFlight_ || !schedule_.Pending()) return;
  inFlight_ = true;
  schedule_.Taking();
  const std::uint64_t sequence = ++sequence_;
  const TPage page = page_();
  const std::uint64_t generation = session_.Generation();
  const std::int64_t time = Now();
  std::weak_ptr<int> alive = alive_;
  engine_.CapturePage(
      [this, alive, sequence, page, generation, time](std::optional<TPageCapture> capture) {
        if (alive.lock()) OnCaptured(sequence, page, generation, time, std::move(capture));
      },
      nodeByNode_);
}

void TRecoveryKeeper::OnCaptured(std::uint64_t sequence, const TPage& page,
                                 std::uint64_t generation, std::int64_t time,
                                 std::optional<TPageCapture> capture) {
  if (sequence != sequence_) return;
  if (!capture) {
    OnWritten(sequence, TOutcome::NotWritten, std::string(), time);
    return;
  }
  QObject* context = context_.get();
  worker_.Post([this, context, capture = std::move(*capture), page, generation, time, sequence] {
    TOutcome outcome = TOutcome::Written;
    std::string error;
    try {
      const std::string bytes = SavedBytes(capture.Page(), page.DocDir);
      if (!session_.Write(bytes, RecordOf(page, time), generation, error))
        outcome = TOutcome::NotWritten;
    } catch (const EPageCaptureError&) {
      outcome = TOutcome::Unreadable;
    } catch (const std::exception& e) {
      outcome = TOutcome::NotWritten;
      error = e.what();
    }
    QMetaObject::invokeMethod(
        context,
        [this, sequence, outcome, error, time] { OnWritten(sequence, outcome, error, time); },
        Qt::QueuedConnection);
  });
}

void TRecoveryKeeper::OnWritten(std::uint64_t sequence, TOutcome outcome, const std::string& error,
                                std::int64_t time) {
  if (sequence != sequence_) return;  // abandoned: its write was dropped or is out of date
  inFlight_ = false;
  switch (outcome) {
    case TOutcome::Written:
      if (session_.HasCopy()) {
        copyTime_ = time;
        copyCurrent_ = true;
        ++copiesWritten_;
      }
      break;
    case TOutcome::Unreadable:
      // This page's markup does not read back: at once again, node by node.
      nodeByNode_ = true;
      schedule_.Failed(TClock::now());
      break;
    case TOutcome::NotWritten:
      // No page to take (a load under way, the process gone), or the folder takes no copy:
      // try again later, and say so once.
      schedule_.Failed(TClock::now() + (error.empty() ? quiet_ : longest_));
      if (!error.empty()) Warn(error);
      break;
  }
  Reschedule();
}

// ---- The page process ended ----

bool TRecoveryKeeper::RestoreSource(TRestoreSource& source) {
  worker_.WaitIdle();
  if (changedSinceLoad_ && copyCurrent_ && session_.ReadCopy(source.Bytes)) {
    source.Time = copyTime_;
    source.FromCopy = true;
    source.LaterChangesLost = schedule_.Pending() || inFlight_;
    return true;
  }
  if (!ReadFileBytes(loadedFile_, source.Bytes)) return false;
  source.Time = loadTime_;
  source.FromCopy = false;
  source.LaterChangesLost = changedSinceLoad_;
  return true;
}

void TRecoveryKeeper::Restored(const THostPath& workFile, const TRestoreSource& source) {
  Abandon();
  schedule_.Clear();
  // The copy, when there is one, still holds what the page now shows.
  SetLoaded(workFile, source.Time);
  Reschedule();
}

bool TRecoveryKeeper::Adopt(const std::string& bytes, std::int64_t time) {
  std::string error;
  if (WriteNow(bytes, page_(), time, error)) return true;
  Warn(error);
  return false;
}

void TRecoveryKeeper::Warn(const std::string& reason) {
  if (warned_) return;
  warned_ = true;
  if (OnCannotWrite) OnCannotWrite(reason);
}

void TRecoveryKeeper::WaitIdle() {
  worker_.WaitIdle();
}

}  // namespace kv
