#include "app/core/WorkingFiles.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/classes/Exception.h"
#include "platform/classes/Strings.h"
#include "support/AtomicFile.h"
#include "support/Files.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

const char* const kFixedNames[] = {
    WorkingFile::Undo,     WorkingFile::UndoTemp, WorkingFile::SourceCode, WorkingFile::MetaTags,
    WorkingFile::ActTable, WorkingFile::NewFile,  WorkingFile::Preview};

int SweepFolder(const THostPath& folder, const THostPath& keep) {
  std::error_code ec;
  const fs::path dir = folder.IsEmpty() ? fs::path(".") : folder.Sys();
  fs::directory_iterator it(dir, ec), end;
  int deleted = 0;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = THostPath::FromSys(it->path().filename()).Bytes();
    if (!IsWorkingFileName(name)) continue;
    std::error_code sameError;
    if (!keep.IsEmpty() && fs::equivalent(it->path(), keep.Sys(), sameError)) continue;
    std::error_code statError;
    // A folder of such a name is nobody's working file; links are removed, not followed.
    if (fs::is_directory(fs::symlink_status(it->path(), statError))) continue;
    std::error_code removeError;
    if (fs::remove(it->path(), removeError)) ++deleted;
  }
  return deleted;
}

}  // namespace

THostPath UntitledDocDir(const THostPath& tempDir) {
  return tempDir / "temp/";
}

THostPath UntitledFile(const THostPath& tempDir) {
  return UntitledDocDir(tempDir) + "temp.html";
}

THostPath WriteWorkingCopy(const THostPath& docDir, const std::string& bytes) {
  THostPath work = NewWorkFileName(docDir);
  std::string reason;
  if (!WriteFileAtomically(work, bytes, reason))
    throw EFCreateError(FrameworkText::FileCreateError(work) + ": " + reason);
  return work;
}

int DrawFileNumber() {
  // Seeded once: re-seeding from the clock before every draw repeats numbers for draws that
  // follow each other quickly.
  static std::mt19937 generator([] {
    std::random_device device;
    return device() ^
           static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  }());
  std::uniform_int_distribution<int> range(0, 9999998);
  return range(generator);
}

THostPath NewWorkFileName(const THostPath& docDir) {
  return docDir + WorkingFile::WorkCopyPrefix + std::to_string(DrawFileNumber()) +
         WorkingFile::WorkCopySuffix;
}

TKeptFile::TKeptFile(THostPath path) : path_(std::move(path)) {
  existed_ = FileExists(path_);
  if (existed_ && !ReadFileBytes(path_, bytes_))
    throw EFOpenError(FrameworkText::FileOpenError(path_));
}

void TKeptFile::Restore() const {
  // A file that is as it was is left alone.
  std::string now;
  const bool exists = FileExists(path_);
  if (existed_) {
    if (!exists || !ReadFileBytes(path_, now) || now != bytes_) SaveBytesToFile(path_, bytes_);
    return;
  }
  if (!exists) return;
  std::error_code ec;
  fs::remove(path_.Sys(), ec);
  if (ec) throw EInOutError(FrameworkText::FileCreateError(path_) + ": " + ec.message());
}

bool IsWorkingFileName(const std::string& name) {
  for (const char* fixed : kFixedNames)
    if (name == fixed) return true;
  const size_t prefix = std::strlen(WorkingFile::WorkCopyPrefix);
  const size_t suffix = std::strlen(WorkingFile::WorkCopySuffix);
  if (name.size() <= prefix + suffix) return false;
  if (name.compare(0, prefix, WorkingFile::WorkCopyPrefix) != 0) return false;
  if (name.compare(name.size() - suffix, suffix, WorkingFile::WorkCopySuffix) != 0) return false;
  return std::all_of(name.begin() + static_cast<long>(prefix),
                     name.end() - static_cast<long>(suffix),
                     [](char c) { return c >= '0' && c <= '9'; });
}

int DeleteWorkingFiles(const THostPath& docDir, const THostPath& tempDir, const THostPath& keep) {
  return SweepFolder(docDir, keep) + SweepFolder(tempDir, keep);
}

}  // namespace kv
