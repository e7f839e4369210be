// The recovery folder: a private per-user folder ($XDG_STATE_HOME/kavelin/recovery/, by default
// ~/.local/state/kavelin/recovery/, mode 0700) where each running program keeps one copy of the
// page being edited and its record (RecoveryRecord.h), never beside the page.
//
// Each run has an id; its files are <id>.html (the copy), <id>.record and <id>.lock. The run
// holds an flock on its lock file for as long as it lives; the record and the copy are replaced
// atomically, so the lock lives on a file of its own. A record whose lock can be taken belongs
// to a run that has ended without removing it: an orphan, offered at the next start. Two
// programs running at once keep separate copies and never take each other's.
//
// Paths here are the host's bytes.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "app/core/RecoveryRecord.h"

namespace kv {

// The folder, ending with "/"; empty when there is no home folder to put it in.
std::string RecoveryFolderPath();

// An flock held on a file until released or destroyed.
class TFileLock {
 public:
  TFileLock() = default;
  ~TFileLock() { Release(); }
  TFileLock(TFileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  TFileLock& operator=(TFileLock&& other) noexcept;
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  // Creates the file when needed and takes its lock without waiting; false when another
  // process holds it or the file cannot be made.
  bool TryLock(const std::string& path);
  bool Held() const { return fd_ >= 0; }
  void Release();

 private:
  int fd_ = -1;
};

// This run's copy. All members may be called from any thread.
class TRecoverySession {
 public:
  explicit TRecoverySession(std::string folder);
  ~TRecoverySession();
  TRecoverySession(const TRecoverySession&) = delete;
  TRecoverySession& operator=(const TRecoverySession&) = delete;

  const std::string& Folder() const { return folder_; }
  const std::string& Id() const { return id_; }
  std::string CopyPath() const { return folder_ + id_ + ".html"; }
  std::string RecordPath() const { return folder_ + id_ + ".record"; }

  // Counts the discards: a copy taken before the last one is out of date.
  std::uint64_t Generation() const;
  // Replaces the copy and then its record, unless a discard came after generation was read.
  // The folder and the lock are made on the first write. False, with error saying why, when
  // the folder cannot be made or written.
  bool Write(const std::string& copy, TRecoveryRecord record, std::uint64_t generation,
             std::string& error);
  // Deletes record and copy; copies under way are dropped.
  void Discard();
  bool HasCopy() const;
  // The copy's bytes; false when there is none or it cannot be read.
  bool ReadCopy(std::string& bytes) const;
  // The end of the run: the lock is released, and unless keepCopy, the copy, its record and
  // the lock file are deleted.
  void End(bool keepCopy);

 private:
  std::string folder_;
  std::string id_;
  mutable std::mutex mutex_;
  std::uint64_t generation_ = 0;
  bool hasCopy_ = false;
  bool ended_ = false;
  TFileLock lock_;
};

// A record left by a run that has ended. Its lock is held while the orphan is dealt with.
struct TOrphan {
  std::string Folder;
  std::string Id;
  TRecordReading Reading;
  std::int64_t Time = 0;  // the record's, or when its files were last written if it is damaged
  bool HasCopy = false;
  TFileLock Lock;

  std::string CopyPath() const;
  // The copy's bytes as far as they can be read; false when there is no copy. Complete is
  // false when they are not what the record says (shorter, longer or altered).
  bool ReadCopy(std::string& bytes, bool& complete) const;
  // Deletes record, copy and lock file.
  void Delete();
};

// The orphans in folder, newest first, each with its lock held. Leftovers of ended runs that
// have no record (a copy alone, a lock file, a temporary file of an interrupted write) are
// deleted on the way.
std::vector<TOrphan> FindOrphans(const std::string& folder);

}  // namespace kv
