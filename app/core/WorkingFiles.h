// The working files the editor keeps beside the page being edited, and their clean-up. All of
// them live in the document's folder; the untitled page's folder is the temporary directory's
// "temp" folder.
#pragma once

#include <string>

namespace kv {

namespace WorkingFile {
inline constexpr const char* Undo = "KAVELIN_undo.html";
inline constexpr const char* UndoTemp = "KAVELIN_undotemp.html";
inline constexpr const char* SourceCode = "KAVELIN_quellcode.html";
inline constexpr const char* MetaTags = "KAVELIN_metatags.html";
inline constexpr const char* ActTable = "KAVELIN_acttable.html";
inline constexpr const char* NewFile = "KAVELIN_newfile.html";
// The working copy is WorkCopyPrefix + a decimal number + WorkCopySuffix.
inline constexpr const char* WorkCopyPrefix = "KAVELIN_temp";
inline constexpr const char* WorkCopySuffix = ".html";
}  // namespace WorkingFile

// The untitled page: its folder below the temporary directory and its file in that folder.
std::string UntitledDocDir(const std::string& tempDir);
std::string UntitledFile(const std::string& tempDir);

// A whole number drawn at random from 0 up to, not including, 9999999.
int DrawFileNumber();
// docDir + "KAVELIN_temp" + number + ".html".
std::string NewWorkFileName(const std::string& docDir);
// Writes bytes as a new working copy in docDir and returns its path. A folder that takes no
// copy is an EFCreateError naming the file; nothing is left behind then.
std::string WriteWorkingCopy(const std::string& docDir, const std::string& bytes);
// dir + "kavelin" + number + ".html": the preview copy, not a working file.
std::string NewPreviewFileName(const std::string& dir);

// True only for the program's own working-file names (no folder part): the fixed names above
// and "KAVELIN_temp" + digits + ".html". Other files beginning with "KAVELIN_" are the user's.
bool IsWorkingFileName(const std::string& name);

// Deletes the working files in docDir, then in tempDir; an empty folder stands for the current
// directory. Only files are deleted, and failures are ignored; keep (a full path, as built from
// the same folder text) is spared. Returns how many were deleted.
int DeleteWorkingFiles(const std::string& docDir, const std::string& tempDir,
                       const std::string& keep = {});

}  // namespace kv
