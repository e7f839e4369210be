// The working files the editor keeps beside the page being edited, and their clean-up. All of
// them live in the document's folder; the untitled page's folder is the temporary directory's
// "temp" folder.
#pragma once

#include <string>

#include "support/HostPath.h"

namespace kv {

namespace WorkingFile {
inline constexpr const char* Undo = "KAVELIN_undo.html";
inline constexpr const char* UndoTemp = "KAVELIN_undotemp.html";
inline constexpr const char* SourceCode = "KAVELIN_quellcode.html";
inline constexpr const char* MetaTags = "KAVELIN_metatags.html";
inline constexpr const char* ActTable = "KAVELIN_acttable.html";
inline constexpr const char* NewFile = "KAVELIN_newfile.html";
// The copy of the page the web browser shows for a preview; one per folder.
inline constexpr const char* Preview = "KAVELIN_preview.html";
// The working copy is WorkCopyPrefix + a decimal number + WorkCopySuffix.
inline constexpr const char* WorkCopyPrefix = "KAVELIN_temp";
inline constexpr const char* WorkCopySuffix = ".html";
}  // namespace WorkingFile

// The untitled page: its folder below the temporary directory and its file in that folder.
THostPath UntitledDocDir(const THostPath& tempDir);
THostPath UntitledFile(const THostPath& tempDir);

// A whole number drawn at random from 0 up to, not including, 9999999.
int DrawFileNumber();
// docDir + "KAVELIN_temp" + number + ".html".
THostPath NewWorkFileName(const THostPath& docDir);
// A file's state kept before a visit that may change it (the snapshot before a dialog), so
// that it can be put back as it was: its bytes, or its absence.
class TKeptFile {
 public:
  // Reads the file now; a file that exists but cannot be read raises EFOpenError.
  explicit TKeptFile(THostPath path);
  // Writes the kept bytes back (atomically), or deletes the file when there was none. A
  // failure raises the framework's file error naming the file.
  void Restore() const;

 private:
  THostPath path_;
  std::string bytes_;
  bool existed_ = false;
};
// Writes bytes as a new working copy in docDir and returns its path. A folder that takes no
// copy is an EFCreateError naming the file; nothing is left behind then.
THostPath WriteWorkingCopy(const THostPath& docDir, const std::string& bytes);

// True only for the program's own working-file names (no folder part, bytes as listed): the fixed
// names above and "KAVELIN_temp" + digits + ".html". Other files beginning with "KAVELIN_" are the
// user's.
bool IsWorkingFileName(const std::string& name);

// Deletes the working files in docDir, then in tempDir; an empty folder stands for the current
// directory. Only files are deleted, and failures are ignored; keep (a full path, as built from
// the same folder text) is spared. Returns how many were deleted.
int DeleteWorkingFiles(const THostPath& docDir, const THostPath& tempDir,
                       const THostPath& keep = {});

}  // namespace kv
