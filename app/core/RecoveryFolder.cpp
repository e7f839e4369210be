#include "app/core/RecoveryFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>

#include "support/AtomicFile.h"
#include "support/UserFolders.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

bool ReadHostFile(const std::string& path, std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

void RemoveHostFile(const std::string& path) {
  ::unlink(path.c_str());
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A name no other run picks: the process, the time and chance.
std::string NewRunId() {
  static std::mt19937_64 random(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                                 (static_cast<std::uint64_t>(::getpid()) << 32)));
  char text[48];
  std::snprintf(text, sizeof text, "kv%ld-%08llx", static_cast<long>(::getpid()),
                static_cast<unsigned long long>(random() & 0xFFFFFFFFULL));
  return text;
}

std::int64_t ModifiedTime(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_mtime) : 0;
}

}  // namespace

std::string RecoveryFolderPath() {
  const std::string state = XdgFolder("XDG_STATE_HOME", ".local/state").Bytes();
  return state.empty() ? std::string() : state + "kavelin/recovery/";
}

// ---- TFileLock ----

TFileLock& TFileLock::operator=(TFileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

bool TFileLock::TryLock(const std::string& path) {
  Release();
  // Not handed on to the engine's processes: a lock must end with this process.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void TFileLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the last descriptor releases the lock
  fd_ = -1;
}

// ---- TRecoverySession ----

TRecoverySession::TRecoverySession(std::string folder)
    : folder_(std::move(folder)), id_(NewRunId()) {}

TRecoverySession::~TRecoverySession() {
  // Ended without a word (the program is going down hard): what was written stays.
  End(true);
}

std::uint64_t TRecoverySession::Generation() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return generation_;
}

bool TRecoverySession::Write(const std::string& copy, TRecoveryRecord record,
                             std::uint64_t generation, std::string& error) {
  std::lock_guard<std::mutex> guard(mutex_);
  error.clear();
  if (generation != generation_ || ended_) return true;  // out of date: nothing to keep
  if (folder_.empty()) {
    error = "no home folder";
    return false;
  }
  if (!lock_.Held()) {
    errno = 0;
    if (!MakePrivateDirs(THostPath::FromBytes(folder_))) {
      // A file where a folder should be says "exists"; what the user needs to hear is this.
      error = folder_ + ": " + std::strerror(errno == EEXIST || errno == 0 ? ENOTDIR : errno);
      return false;
    }
    ::chmod(folder_.c_str(), 0700);
    if (!lock_.TryLock(folder_ + id_ + ".lock")) {
      error = folder_ + id_ + ".lock: " + std::strerror(errno ? errno : EACCES);
      return false;
    }
  }
  record.CopySize = copy.size();
  record.CopyHash = CopyHash(copy);
  if (!WriteFileAtomically(fs::path(CopyPath()), copy, error)) {
    error = CopyPath() + ": " + error;
    return false;
  }
  if (!WriteFileAtomically(fs::path(RecordPath()), WriteRecoveryRecord(record), error)) {
    error = RecordPath() + ": " + error;
    RemoveHostFile(CopyPath());
    hasCopy_ = false;
    return false;
  }
  hasCopy_ = true;
  return true;
}

void TRecoverySession::Discard() {
  std::lock_guard<std::mutex> guard(mutex_);
  ++generation_;
  if (!hasCopy_) return;
  // The record first: a copy without a record is a leftover, never an orphan.
  RemoveHostFile(RecordPath());
  RemoveHostFile(CopyPath());
  hasCopy_ = false;
}

bool TRecoverySession::HasCopy() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return hasCopy_;
}

bool TRecoverySession::ReadCopy(std::string& bytes) const {
  std::lock_guard<std::mutex> guard(mutex_);
  return hasCopy_ && ReadHostFile(CopyPath(), bytes);
}

void TRecoverySession::End(bool keepCopy) {
  std::lock_guard<std::mutex> guard(mutex_);
  if (ended_) return;
  ended_ = true;
  ++generation_;
  if (!keepCopy && lock_.Held()) {
    RemoveHostFile(RecordPath());
    RemoveHostFile(CopyPath());
    hasCopy_ = false;
    RemoveHostFile(folder_ + id_ + ".lock");
  }
  lock_.Release();
}

// ---- Orphans ----

std::string TOrphan::CopyPath() const {
  return Folder + Id + ".html";
}

bool TOrphan::ReadCopy(std::string& bytes, bool& complete) const {
  complete = false;
  if (!HasCopy || !ReadHostFile(CopyPath(), bytes)) return false;
  complete = Reading.State == TRecordState::Ok && bytes.size() == Reading.Record.CopySize &&
             CopyHash(bytes) == Reading.Record.CopyHash;
  return true;
}

void TOrphan::Delete() {
  RemoveHostFile(Folder + Id + ".record");
  RemoveHostFile(CopyPath());
  if (Lock.Held()) RemoveHostFile(Folder + Id + ".lock");
  Lock.Release();
}

std::vector<TOrphan> FindOrphans(const std::string& folder) {
  struct TFiles {
    bool Record = false, Copy = false;
    std::vector<std::string> Temporary;
  };
  std::map<std::string, TFiles> runs;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(folder), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 5 && name[0] == '.' && EndsWith(name, ".tmp")) {
      // The atomic writer's ".<target>.<number>.tmp" of a write that never finished.
      runs[name.substr(1, name.find('.', 1) - 1)].Temporary.push_back(name);
    } else if (EndsWith(name, ".record")) {
      runs[name.substr(0, name.size() - 7)].Record = true;
    } else if (EndsWith(name, ".html")) {
      runs[name.substr(0, name.size() - 5)].Copy = true;
    } else if (EndsWith(name, ".lock")) {
      runs[name.substr(0, name.size() - 5)];
    }
  }
  std::vector<TOrphan> orphans;
  for (auto& [id, files] : runs) {
    TOrphan orphan;
    orphan.Folder = folder;
    orphan.Id = id;
    // Held by a run that is still going: not ours to touch.
    if (!orphan.Lock.TryLock(folder + id + ".lock")) continue;
    for (const std::string& name : files.Temporary) RemoveHostFile(folder + name);
    if (!files.Record) {
      orphan.Delete();
      continue;
    }
    std::string bytes;
    const std::string record = folder + id + ".record";
    if (ReadHostFile(record, bytes)) orphan.Reading = ReadRecoveryRecord(bytes);
    orphan.HasCopy = files.Copy;
    orphan.Time = orphan.Reading.State == TRecordState::Ok
                      ? orphan.Reading.Record.Time
                      : std::max(ModifiedTime(record), ModifiedTime(orphan.CopyPath()));
    orphans.push_back(std::move(orphan));
  }
  std::stable_sort(orphans.begin(), orphans.end(),
                   [](const TOrphan& a, const TOrphan& b) { return a.Time > b.Time; });
  return orphans;
}

}  // namespace kv
