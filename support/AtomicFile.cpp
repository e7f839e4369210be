#include "support/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
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

bool WriteAll(int fd, const std::string& bytes, int& code) {
  const char* p = bytes.data();
  size_t left = bytes.size();
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

}  // namespace

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
  }

  fs::path temp;
  int code = 0;
  const int fd = CreateTemporary(dir, target.filename().string(), temp, code);
  if (fd < 0) {
    error = SystemError(code);
    return false;
  }
  bool ok = WriteAll(fd, bytes, code);
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
