// Recovery copies without a window: the record format, the folder with its locks and orphans,
// the schedule of copies, and what a restore offers and says.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <fstream>

#include "TestEnv.h"
#include "app/core/RecoveryFolder.h"
#include "app/core/RecoveryRestore.h"
#include "app/core/RecoverySchedule.h"
#include "support/Files.h"

namespace kv {
namespace {

using namespace std::chrono_literals;
using test::TScopedEnv;
using test::TTempFolder;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// ---- The record ----

TEST(RecoveryRecordTest, EveryPathComesBackByteForByte) {
  const TRecoveryRecord records[] = {
      {false, "/home/u/site/index.html", "/home/u/site/", 1715000000, 0, 0},
      {false,
       "/home/u/Gr\xC3\xBC\xC3\x9F"
       "e/\xE6\x97\xA5.html",
       "/home/u/Gr\xC3\xBC\xC3\x9F"
       "e/",
       1, 5, 6},
      {false, "/tmp/line\nbreak\r\n.html", "/tmp/", 2, 7, 0xFFFFFFFFFFFFFFFFULL},
      {false, "/tmp/\xFF\xFE not utf-8.html", "/tmp/", 3, 0, 1},
      {true, "", "/home/u/.cache/kavelin/temp/", 4, 100, 0x0123456789ABCDEFULL},
  };
  for (const TRecoveryRecord& record : records) {
    const TRecordReading reading = ReadRecoveryRecord(WriteRecoveryRecord(record));
    EXPECT_EQ(reading.State, TRecordState::Ok) << record.PagePath;
    EXPECT_EQ(reading.Record, record);
  }
}

TEST(RecoveryRecordTest, DamagedAndForeignRecordsAreToldApart) {
  const std::string good = WriteRecoveryRecord({false, "/a/b.html", "/a/", 10, 3, 4});
  for (std::size_t cut = 0; cut < good.size(); ++cut)
    EXPECT_EQ(ReadRecoveryRecord(good.substr(0, cut)).State, TRecordState::Damaged) << cut;
  const std::string later = "KAVELIN recovery record\nversion 2\nanything the later one writes";
  struct TCase {
    std::string Text;
    TRecordState State;
  } cases[] = {
      {later, TRecordState::FutureVersion},
      {good + "x", TRecordState::Damaged},
      {"KAVELIN recovery record\nversion 0\n", TRecordState::Damaged},
      {"something else entirely", TRecordState::Damaged},
      {std::string(good).replace(good.find("page 9"), 6, "page 99"), TRecordState::Damaged},
      {std::string(good).replace(good.find("hash "), 6, "hash x"), TRecordState::Damaged},
      {std::string(good).replace(good.find("time 10"), 7, "time -1"), TRecordState::Damaged},
  };
  for (const TCase& c : cases) EXPECT_EQ(ReadRecoveryRecord(c.Text).State, c.State) << c.Text;
}

// ---- The folder ----

class RecoveryFolderTest : public testing::Test {
 protected:
  TTempFolder home_;
  TScopedEnv state_{"XDG_STATE_HOME", home_.File("state").c_str()};
  std::string folder_ = RecoveryFolderPath();

  static TRecoveryRecord Record(std::int64_t time, const std::string& page = "/w/p.html") {
    return {false, page, "/w/", time, 0, 0};
  }
  static void Write(TRecoverySession& session, const std::string& copy, std::int64_t time) {
    std::string error;
    ASSERT_TRUE(session.Write(copy, Record(time), session.Generation(), error)) << error;
  }
};

TEST_F(RecoveryFolderTest, APrivateFolderUnderTheStateHome) {
  EXPECT_EQ(folder_, home_.File("state/kavelin/recovery/"));
  TScopedEnv noState("XDG_STATE_HOME", "relative/is/ignored");
  TScopedEnv home("HOME", home_.File("home").c_str());
  EXPECT_EQ(RecoveryFolderPath(), home_.File("home/.local/state/kavelin/recovery/"));
}

TEST_F(RecoveryFolderTest, ACopyIsWrittenReplacedDiscardedAndEndedWithTheRun) {
  TRecoverySession session(folder_);
  EXPECT_FALSE(Exists(folder_));  // nothing until the first copy
  Write(session, "erste", 100);
  struct stat st {};
  ASSERT_EQ(::stat(folder_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(FileText(session.CopyPath()), "erste");
  Write(session, "zweite", 200);
  std::string copy;
  ASSERT_TRUE(session.ReadCopy(copy));
  EXPECT_EQ(copy, "zweite");
  const TRecordReading record = ReadRecoveryRecord(FileText(session.RecordPath()));
  EXPECT_EQ(record.Record.Time, 200);
  EXPECT_EQ(record.Record.CopySize, 6u);

  // A copy taken before a discard comes too late: it is dropped.
  const std::uint64_t before = session.Generation();
  session.Discard();
  EXPECT_FALSE(Exists(session.CopyPath()) || Exists(session.RecordPath()));
  std::string error;
  EXPECT_TRUE(session.Write("veraltet", Record(300), before, error));
  EXPECT_FALSE(session.HasCopy());
  EXPECT_FALSE(Exists(session.CopyPath()));

  Write(session, "dritte", 400);
  session.End(false);
  EXPECT_TRUE(FindOrphans(folder_).empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(RecoveryFolderTest, RunsThatEndedWithoutClosingLeaveOrphansNewestFirst) {
  auto older = std::make_unique<TRecoverySession>(folder_);
  auto newer = std::make_unique<TRecoverySession>(folder_);
  TRecoverySession running(folder_);
  Write(*older, "alt", 100);
  Write(*newer, "neu", 200);
  Write(running, "l\xE4uft", 300);
  // While they run, their copies are theirs alone.
  EXPECT_TRUE(FindOrphans(folder_).empty());
  older->End(true);
  newer.reset();  // gone without a word, as when the program is killed

  // Leftovers of ended runs without a record are cleared away on the way.
  WriteText(folder_ + "kv1-dead.html", "copy without record");
  WriteText(folder_ + "kv2-dead.lock", "");
  WriteText(folder_ + ".kv3-dead.html.123.tmp", "an interrupted write");
  WriteText(folder_ + "notes.txt", "not ours");

  std::vector<TOrphan> orphans = FindOrphans(folder_);
  ASSERT_EQ(orphans.size(), 2u);
  EXPECT_EQ(orphans[0].Time, 200);
  EXPECT_EQ(orphans[1].Time, 100);
  for (const char* gone : {"kv1-dead.html", "kv2-dead.lock", ".kv3-dead.html.123.tmp"})
    EXPECT_FALSE(Exists(folder_ + gone)) << gone;
  EXPECT_TRUE(Exists(folder_ + "notes.txt"));

  // A second program starting now sees them held.
  EXPECT_TRUE(FindOrphans(folder_).empty());
  std::string bytes;
  bool complete = false;
  ASSERT_TRUE(orphans[0].ReadCopy(bytes, complete));
  EXPECT_EQ(bytes, "neu");
  EXPECT_TRUE(complete);
  orphans[0].Delete();
  orphans[1].Lock.Release();
  orphans = FindOrphans(folder_);
  ASSERT_EQ(orphans.size(), 1u);  // the other one waits for the next start
  EXPECT_EQ(orphans[0].Time, 100);
}

TEST_F(RecoveryFolderTest, DamagedCopiesAndRecordsAreFoundAndSaidSo) {
  {
    TRecoverySession shortened(folder_), altered(folder_), unreadable(folder_);
    Write(shortened, "ganze Seite", 10);
    Write(altered, "ganze Seite", 20);
    Write(unreadable, "ganze Seite", 30);
    WriteText(shortened.CopyPath(), "ganze");
    WriteText(altered.CopyPath(), "ganze Saite");
    WriteText(unreadable.RecordPath(), "KAVELIN recovery rec");
    ::utime(unreadable.RecordPath().c_str(), nullptr);
  }
  std::vector<TOrphan> orphans = FindOrphans(folder_);
  ASSERT_EQ(orphans.size(), 3u);
  // The damaged record has no time of its own: its files' time puts it first.
  EXPECT_EQ(orphans[0].Reading.State, TRecordState::Damaged);
  for (std::size_t i = 0; i < 3; ++i) {
    std::string bytes;
    bool complete = true;
    EXPECT_TRUE(orphans[i].ReadCopy(bytes, complete));
    EXPECT_FALSE(complete) << i;
  }
}

TEST_F(RecoveryFolderTest, AFolderThatCannotBeMadeIsSaidSo) {
  WriteText(home_.File("state"), "a file where the folder should be");
  TRecoverySession session(RecoveryFolderPath());
  std::string error;
  EXPECT_FALSE(session.Write("x", Record(1), session.Generation(), error));
  EXPECT_NE(error.find(home_.File("state/kavelin/recovery/")), std::string::npos) << error;
  EXPECT_FALSE(session.HasCopy());
  EXPECT_TRUE(FindOrphans(RecoveryFolderPath()).empty());
}

// ---- The schedule ----

TEST(CopyScheduleTest, AQuietWhileAfterTheLastChangeButNoLaterThanTheLongestDelay) {
  using T = TCopySchedule::TTime;
  const T t0 = T() + 1h;
  TCopySchedule s(2000ms, 30000ms);
  EXPECT_FALSE(s.Due());
  s.Changed(t0);
  EXPECT_EQ(s.Due(), t0 + 2s);
  s.Changed(t0 + 1s);
  EXPECT_EQ(s.Due(), t0 + 3s);
  // Typing on without a pause: the oldest change waits no longer than 30 s.
  for (int i = 2; i <= 40; ++i) s.Changed(t0 + i * 1s);
  EXPECT_EQ(s.Due(), t0 + 30s);

  s.Taking();
  EXPECT_FALSE(s.Pending());
  s.Changed(t0 + 41s);
  EXPECT_EQ(s.Due(), t0 + 43s);
  // The copy did not come about: its changes wait again, the oldest first, not before retry.
  s.Failed(t0 + 50s);
  EXPECT_EQ(s.Due(), t0 + 50s);
  s.Taking();
  s.Failed(t0 + 41s);
  EXPECT_EQ(s.Due(), t0 + 41s);
  s.Clear();
  EXPECT_FALSE(s.Due());
}

// ---- What a restore offers ----

class RestorePlanTest : public RecoveryFolderTest {
 protected:
  // An orphan of a page at path, taken at the given time.
  TOrphan Orphan(const TRecoveryRecord& record, bool copy = true) {
    TOrphan orphan;
    orphan.Folder = folder_;
    orphan.Id = "kv1-test";
    orphan.Reading = {TRecordState::Ok, record};
    orphan.Time = record.Time;
    orphan.HasCopy = copy;
    return orphan;
  }
  std::string Site() const { return home_.File("site/"); }
};

TEST_F(RestorePlanTest, TheQuestionNamesThePageItsFolderAndTheTime) {
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  WriteText(Site() + "seite.html", "x");
  const TOrphan orphan = Orphan({false, Site() + "seite.html", Site(), 1715000000, 0, 0});
  TRestorePlan plan = PlanRestore(orphan, true, 2);
  EXPECT_FALSE(plan.Untitled);
  EXPECT_EQ(plan.CurrentFile.Bytes(), Site() + "seite.html");
  EXPECT_EQ(plan.DocDir.Bytes(), Site());
  const std::string time = RecoveryTimeText(1715000000, 2);
  EXPECT_EQ(plan.Question,
            "KAVELIN was not closed properly. There is a recovery copy of the page "
            "\"seite.html\" in the folder \"" +
                Site() + "\" from " + time +
                ".\n\nRestore the page? No deletes the recovery copy.");
  plan = PlanRestore(orphan, true, 1);
  EXPECT_NE(plan.Question.find("Sicherungskopie der Seite \x84seite.html\x93"), std::string::npos)
      << plan.Question;
  EXPECT_NE(plan.Question.find(RecoveryTimeText(1715000000, 1)), std::string::npos);
  EXPECT_NE(RecoveryTimeText(1715000000, 1), time);
}

TEST_F(RestorePlanTest, WhatCannotBeRestoredAsItWasIsSaid) {
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  struct TCase {
    const char* Label;
    TRecoveryRecord Record;
    bool CopyComplete;
    bool Untitled;
    std::vector<std::string> Says;  // English pieces of the question
  } cases[] = {
      {"file gone",
       {false, Site() + "weg.html", Site(), 5, 0, 0},
       true,
       false,
       {"\"weg.html\"", "The page's file no longer exists"}},
      {"folder gone",
       {false, Site() + "alt/seite.html", Site() + "alt/", 5, 0, 0},
       true,
       true,
       {"The folder no longer exists"}},
      // A path of any bytes comes back under that very path.
      {"not utf-8",
       {false, Site() + "\xFF.html", Site(), 5, 0, 0},
       true,
       false,
       {"\"&#65533;.html\"", "The page's file no longer exists"}},
      {"beyond the code page",
       {false, Site() + "\xE6\x97\xA5.html", Site(), 5, 0, 0},
       true,
       false,
       {"\"&#26085;.html\"", "The page's file no longer exists"}},
      {"line break",
       {false, Site() + "zwei\nZeilen.html", Site(), 5, 0, 0},
       true,
       false,
       {"\"zwei\nZeilen.html\"", "The page's file no longer exists"}},
      {"untitled", {true, "", "/tmp/x/temp/", 5, 0, 0}, true, true, {"a new page, never saved"}},
      {"copy damaged", {true, "", "/tmp/x/temp/", 5, 0, 0}, false, true, {"damaged or incomplete"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const TRestorePlan plan = PlanRestore(Orphan(c.Record), c.CopyComplete, 2);
    EXPECT_EQ(plan.Untitled, c.Untitled);
    for (const std::string& piece : c.Says)
      EXPECT_NE(plan.Question.find(piece), std::string::npos) << piece << "\n" << plan.Question;
    // The question comes last, after what was said of the copy.
    const std::string end = "? No deletes the recovery copy.";
    ASSERT_GT(plan.Question.size(), end.size());
    EXPECT_EQ(plan.Question.substr(plan.Question.size() - end.size()), end);
  }

  TOrphan damaged = Orphan({}, true);
  damaged.Reading.State = TRecordState::Damaged;
  EXPECT_NE(PlanRestore(damaged, false, 2).Question.find("its record is damaged"),
            std::string::npos);
  EXPECT_TRUE(PlanRestore(damaged, false, 2).Untitled);
  EXPECT_EQ(UnrestorableNotice(damaged, 2), "");
  damaged.HasCopy = false;
  EXPECT_NE(UnrestorableNotice(damaged, 2).find("was deleted"), std::string::npos);
  TOrphan missing = Orphan({false, Site() + "a.html", Site(), 5, 0, 0}, false);
  EXPECT_NE(UnrestorableNotice(missing, 2).find("\"a.html\""), std::string::npos);
  TOrphan later = Orphan({}, true);
  later.Reading.State = TRecordState::FutureVersion;
  EXPECT_NE(UnrestorableNotice(later, 2).find("newer version"), std::string::npos);
}

}  // namespace
}  // namespace kv
