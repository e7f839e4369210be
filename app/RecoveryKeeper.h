// Keeps the recovery copy of the page being edited (app/core/RecoveryFolder.h): a quiet while
// after the last change, and while changes go on, no later than a longest delay after the
// oldest change the copy lacks. The engine hands the page over without waiting; turning it
// into the saved page's bytes and writing them happens on a thread of its own, so the window
// never stalls for a copy. It also remembers what the page was last loaded from, so that the
// page can come back when the engine's page process ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/core/RecoveryFolder.h"
#include "app/core/RecoverySchedule.h"
#include "engine/WebEngine.h"
#include "support/SerialWorker.h"

class QObject;
class QTimer;

namespace kv {

class TRecoveryKeeper {
 public:
  // What a copy's record says of the page: the program's paths, asked when a copy is taken.
  struct TPage {
    THostPath CurrentFile, DocDir;
    bool Untitled = false;
  };

  TRecoveryKeeper(TWebEngine& engine, std::function<TPage()> page, std::string folder);
  ~TRecoveryKeeper();
  TRecoveryKeeper(const TRecoveryKeeper&) = delete;
  TRecoveryKeeper& operator=(const TRecoveryKeeper&) = delete;

  // Tests shorten the quiet while (2 s) and the longest delay (30 s).
  void SetTimes(std::chrono::milliseconds quiet, std::chrono::milliseconds longest);

  // ---- What happens to the page ----
  // The user changed the page: a copy follows.
  void Changed();
  // The page was replaced by file (Open, New): it is its own file again; no copy is kept.
  void Loaded(const THostPath& file);
  // A window's result was loaded from file (a hand-off): the page changed as a whole.
  void Reloaded(const THostPath& file);
  // The page was written to the user's file: no copy is kept.
  void Saved(const THostPath& file);
  // The program closes normally: no copy is kept, nothing remains in the folder.
  void EndRun();
  // The program is told to end (logout, shutdown, Ctrl+C): the page as it is now goes into the
  // copy, which stays for the next start.
  void EndRunKeepingCopy();
  // A normal close keeps the copy too (the page could not be brought back).
  void KeepCopyAtClose() { keepAtClose_ = true; }

  // ---- The engine's page process ended ----
  struct TRestoreSource {
    std::string Bytes;      // the page's file bytes
    std::int64_t Time = 0;  // as it was then
    bool FromCopy = false;
    bool LaterChangesLost = false;  // changes after Time are gone
  };
  // What the page comes back from: the file last loaded when nothing changed since, else the
  // copy, else that file all the same. False when neither can be read.
  bool RestoreSource(TRestoreSource& source);
  // The page came back from source, loaded from workFile.
  void Restored(const THostPath& workFile, const TRestoreSource& source);
  // A copy restored at start becomes this run's copy, written at once; false (and said once
  // per run) when it cannot be written.
  bool Adopt(const std::string& bytes, std::int64_t time);

  // Called once per run, when a copy cannot be written (reason names file and cause).
  std::function<void(const std::string& reason)> OnCannotWrite;

  // ---- For tests ----
  TRecoverySession& Session() { return session_; }
  // Returns when no copy is being taken or written.
  void WaitIdle();
  bool Busy() const { return inFlight_; }
  // How many copies have been written.
  int CopiesWritten() const { return copiesWritten_; }

 private:
  void Reschedule();
  void TakeCopy();
  void OnCaptured(std::uint64_t sequence, const TPage& page, std::uint64_t generation,
                  std::int64_t time, std::optional<TPageCapture> capture);
  enum class TOutcome { Written, Unreadable, NotWritten };
  void OnWritten(std::uint64_t sequence, TOutcome outcome, const std::string& error,
                 std::int64_t time);
  // Forgets a copy being taken; its result, when it comes, is dropped.
  void Abandon();
  // Tells OnCannotWrite, once per run.
  void Warn(const std::string& reason);
  void SetLoaded(const THostPath& file, std::int64_t time);
  TRecoveryRecord RecordOf(const TPage& page, std::int64_t time) const;
  bool WriteNow(const std::string& bytes, const TPage& page, std::int64_t time, std::string& error);

  TWebEngine& engine_;
  std::function<TPage()> page_;
  TRecoverySession session_;
  TCopySchedule schedule_;
  std::chrono::milliseconds quiet_, longest_;
  std::unique_ptr<QObject> context_;  // queued calls from the writer die with it
  QTimer* timer_ = nullptr;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);

  bool inFlight_ = false;
  std::uint64_t sequence_ = 0;
  bool nodeByNode_ = false;
  bool warned_ = false;
  bool keepAtClose_ = false;
  std::int64_t copyTime_ = 0;
  bool copyCurrent_ = false;  // the copy shows the page as changed since its last load
  int copiesWritten_ = 0;
  THostPath loadedFile_;  // what the page was last loaded from, or saved to
  std::int64_t loadTime_ = 0;
  bool changedSinceLoad_ = false;
  TSerialWorker worker_;  // last: it ends first, before what its jobs use
};

}  // namespace kv
