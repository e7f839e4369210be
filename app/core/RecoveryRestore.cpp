#include "app/core/RecoveryRestore.h"

#include <ctime>

#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/Paths.h"
#include "translate/ProgramTexts.h"

namespace kv {

namespace {

// A path of the record shown in a message, as page text shows it.
std::string Shown(const std::string& hostBytes) {
  return Utf8ToPageText(hostBytes);
}

std::string ShownName(const std::string& hostPath) {
  return Shown(FileNamePart(hostPath, TPathStyle::Posix));
}

}  // namespace

std::string RecoveryTimeText(std::int64_t time, int language) {
  const std::time_t t = static_cast<std::time_t>(time);
  std::tm local{};
  if (!::localtime_r(&t, &local)) return std::to_string(time);
  char text[64];
  const std::string format = ProgramText("Recovery.TimeFormat", language);
  return std::strftime(text, sizeof text, format.c_str(), &local) ? text : std::to_string(time);
}

TRestorePlan PlanRestore(const TOrphan& orphan, bool copyComplete, int language) {
  TRestorePlan plan;
  const std::string time = RecoveryTimeText(orphan.Time, language);
  const TRecoveryRecord& record = orphan.Reading.Record;
  std::string note;
  if (orphan.Reading.State != TRecordState::Ok) {
    plan.Question = ProgramText("Recovery.QuestionDamaged", language, {time});
  } else if (record.Untitled) {
    plan.Question = ProgramText("Recovery.QuestionUntitled", language, {time});
  } else {
    plan.Question = ProgramText("Recovery.Question", language,
                                {ShownName(record.PagePath), Shown(record.DocDir), time});
    // Whatever bytes the page's path holds, the page comes back under that very path.
    const THostPath page = THostPath::FromBytes(record.PagePath);
    if (page.FileNameBytes().empty() || page.Directory().IsEmpty()) {
      note = ProgramText("Recovery.NotePathUnusable", language);
    } else if (const THostPath dir = page.Directory().WithTrailingSeparator();
               !DirectoryExists(dir)) {
      note = ProgramText("Recovery.NoteFolderGone", language);
    } else {
      plan.Untitled = false;
      plan.CurrentFile = page;
      plan.DocDir = dir;
      if (!FileExists(page)) note = ProgramText("Recovery.NoteFileGone", language);
    }
  }
  if (!copyComplete)
    note += (note.empty() ? "" : " ") + ProgramText("Recovery.NoteCopyDamaged", language);
  // The notes stand before the question, which ends the message.
  if (!note.empty()) {
    const std::size_t ask = plan.Question.rfind("\n\n");
    plan.Question.insert(ask == std::string::npos ? plan.Question.size() : ask, "\n\n" + note);
  }
  return plan;
}

std::string UnrestorableNotice(const TOrphan& orphan, int language) {
  const std::string time = RecoveryTimeText(orphan.Time, language);
  switch (orphan.Reading.State) {
    case TRecordState::FutureVersion:
      return ProgramText("Recovery.FutureVersion", language, {time, Shown(orphan.Folder)});
    case TRecordState::Damaged:
      return orphan.HasCopy ? std::string() : ProgramText("Recovery.DamagedRemoved", language);
    case TRecordState::Ok:
      if (orphan.HasCopy) return {};
      return ProgramText(
          "Recovery.CopyMissing", language,
          {orphan.Reading.Record.Untitled ? std::string("temp.html")
                                          : ShownName(orphan.Reading.Record.PagePath),
           time});
  }
  return {};
}

}  // namespace kv
