#include "support/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <random>

#include "support/Files.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

std::string SystemError(int code) {
  return std::strerror(code);
}

// Follows a chain of symbolic links to the path that is really written. A dangling link yields
// the path it names, so the file is created there.
bool ResolveLinks(fs::path path, fs::path& resolved, std::string& error) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (ec || !fs::is_symlink(st)) {
      resolved = path;
      return true;
    }
    fs::path target = fs::read_symlink(path, ec);
    if (ec) {
      error = ec.message();
      return false;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  error = SystemError(ELOOP);
  return false;
}

// Write permission in the sense a user expects: the permission bits must allow writing, also
// for the super-user, who would otherwise replace read-only files silently.
bool Writable(const fs::path& path, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(path.c_str(), W_OK) == 0;
}

TPartialWriteFault& PartialFault() {
  static TPartialWriteFault fault;
  return fault;
}

// Writes all bytes at the descriptor's position. With a partial fault in force for the target,
// only the first bytes get out before the write fails as a full disk would.
bool WriteAll(int fd, const std::string& bytes, int& code, const fs::path* target = nullptr) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  if (target && PartialFault()) {
    if (const std::optional<size_t> cut = PartialFault()(target->native()); cut && *cut < left) {
      if (!WriteAll(fd, bytes.substr(0, *cut), code)) return false;
      code = ENOSPC;
      return false;
    }
  }
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      code = errno;
      return false;
    }
    if (n == 0) {
      code = ENOSPC;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

int CreateTemporary(const fs::path& dir, const std::string& base, fs::path& name, int& code) {
  static std::mt19937_64 random(static_cast<uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = dir / ("." + base + "." + std::to_string(random() % 1000000000ULL) + ".tmp");
    // 0666 lets the umask decide, as for any new file; an existing file's bits are set later.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) {
      code = errno;
      return -1;
    }
  }
  code = EEXIST;
  return -1;
}

TAtomicWriteFault& WriteFault() {
  static TAtomicWriteFault fault;
  return fault;
}

void SyncDirectory(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the data itself is already on disk
  ::close(fd);
}

// Reads the whole file behind fd from its start.
bool ReadAll(int fd, std::string& bytes, int& code) {
  bytes.clear();
  if (::lseek(fd, 0, SEEK_SET) < 0) {
    code = errno;
    return false;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      code = errno;
      return false;
    }
    if (n == 0) return true;
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

// Puts bytes into fd from its start and cuts the file there, then flushes it.
bool OverwriteFrom0(int fd, const std::string& bytes, int& code, const fs::path* target) {
  if (::lseek(fd, 0, SEEK_SET) < 0) {
    code = errno;
    return false;
  }
  if (!WriteAll(fd, bytes, code, target)) return false;
  if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0) {
    code = errno;
    return false;
  }
  return true;
}

// A file with other hard links: a rename would give this name a new file and leave the other
// names with the old contents. The file itself is rewritten instead, after a copy of its old
// contents beside it; when the write fails part-way the copy goes back in, so the file is never
// left half-written. The copy is removed afterwards, unless it could not be put back, when it
// is the user's only way to the old contents and the error names it.
bool WriteInPlace(const fs::path& target, const fs::path& dir, const std::string& bytes,
                  std::string& error) {
  int code = 0;
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    error = SystemError(errno);
    return false;
  }
  std::string old;
  fs::path backup;
  int backupFd = -1;
  bool ok = ReadAll(fd, old, code);
  if (ok) backupFd = CreateTemporary(dir, target.filename().string(), backup, code);
  if (ok && backupFd < 0) ok = false;
  if (ok) {
    ok = WriteAll(backupFd, old, code) && ::fsync(backupFd) == 0;
    if (!ok && code == 0) code = errno;
    ::close(backupFd);
    if (ok) SyncDirectory(dir);
  }
  if (!ok) {
    // Nothing of the file was touched yet.
    if (backupFd >= 0) ::unlink(backup.c_str());
    ::close(fd);
    error = SystemError(code);
    return false;
  }
  const bool written = OverwriteFrom0(fd, bytes, code, &target);
  const bool closed = ::close(fd) == 0;  // a failed close can mean lost data
  if (written && closed) {
    ::unlink(backup.c_str());
    SyncDirectory(dir);
    return true;
  }
  if (written) code = errno;
  error = SystemError(code);
  // The old contents go back in, through a descriptor of their own: the first one is closed.
  bool restored = false;
  if (const int again = ::open(target.c_str(), O_RDWR | O_CLOEXEC); again >= 0) {
    int ignored = 0;
    restored = OverwriteFrom0(again, old, ignored, nullptr);
    restored = ::close(again) == 0 && restored;
  }
  if (restored)
    ::unlink(backup.c_str());
  else
    error += "; the old contents are in " + backup.string();
  return false;
}

}  // namespace

TPartialWriteFault SetPartialWriteFault(TPartialWriteFault fault) {
  TPartialWriteFault previous = std::move(PartialFault());
  PartialFault() = std::move(fault);
  return previous;
}

TAtomicWriteFault SetAtomicWriteFault(TAtomicWriteFault fault) {
  TAtomicWriteFault previous = std::move(WriteFault());
  WriteFault() = std::move(fault);
  return previous;
}

bool WriteFileAtomically(const THostPath& path, const std::string& bytes, std::string& error) {
  return WriteFileAtomically(path.Sys(), bytes, error);
}

bool WriteFileAtomically(const fs::path& path, const std::string& bytes, std::string& error) {
  error.clear();
  if (path.empty()) {
    error = SystemError(ENOENT);
    return false;
  }
  if (WriteFault()) {
    error = WriteFault()(path);
    if (!error.empty()) return false;
  }
  fs::path target;
  if (!ResolveLinks(path, target, error)) return false;
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";

  struct stat dirStat {};
  if (::stat(dir.c_str(), &dirStat) != 0) {
    error = SystemError(errno);
    return false;
  }
  if (!S_ISDIR(dirStat.st_mode)) {
    error = SystemError(ENOTDIR);
    return false;
  }
  if (!Writable(dir, dirStat)) {
    error = "the folder is read-only";
    return false;
  }

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) {
    if (S_ISDIR(old.st_mode)) {
      error = SystemError(EISDIR);
      return false;
    }
    if (!S_ISREG(old.st_mode)) {
      // Devices and pipes cannot be replaced by a rename.
      error = "not a regular file";
      return false;
    }
    if (!Writable(target, old)) {
      error = "the file is read-only";
      return false;
    }
    if (old.st_nlink > 1) return WriteInPlace(target, dir, bytes, error);
  }

  fs::path temp;
  int code = 0;
  const int fd = CreateTemporary(dir, target.filename().string(), temp, code);
  if (fd < 0) {
    error = SystemError(code);
    return false;
  }
  bool ok = WriteAll(fd, bytes, code, &target);
  if (ok && exists) {
    // Keep owner and bits of the file being replaced; a user may not give files away, which is
    // harmless here.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
      code = errno;
      ok = false;
    }
  }
  if (ok && ::fsync(fd) != 0) {
    code = errno;
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    code = errno;
    ok = false;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    code = errno;
    ok = false;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    error = SystemError(code);
    return false;
  }
  SyncDirectory(dir);
  return true;
}

bool CopyFileAtomically(const THostPath& from, const THostPath& to, std::string& error) {
  std::string bytes;
  if (!ReadFileBytes(from, bytes)) {
    error = SystemError(errno ? errno : EIO);
    return false;
  }
  return WriteFileAtomically(to, bytes, error);
}

}  // namespace kv
