// Recovery copies through the main window over the in-process engine: when copies are taken,
// replaced and deleted, the question at the start and both answers, the engine's page process
// ending, the close on a termination signal, and a folder that takes no copy.
#include <signal.h>

#include <deque>
#include <filesystem>

#include "app/core/RecoveryFolder.h"
#include "engine/FakeWebEngine.h"
#include "support/Files.h"
#include "tests/app/AppFixture.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class MainFormRecovery : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    DialogService().MessageBox = [this](TForm*, const std::string& text, const std::string& caption,
                                        unsigned flags) {
      messages_.push_back(caption + ": " + text);
      if (!(flags & MB_YESNO)) return static_cast<int>(mrOk);
      const int answer = answers_.empty() ? mrNo : answers_.front();
      if (!answers_.empty()) answers_.pop_front();
      return answer;
    };
  }

  // Shown, with its first page editable, and copies taken quickly.
  TMainForm* StartShown(std::vector<std::string> arguments = {}) {
    TMainForm* f = Start([this] { return FakeEngineHost(&engine_); }, std::move(arguments));
    f->Recovery->SetTimes(60ms, 250ms);
    f->Show();
    EXPECT_TRUE(WaitFor([&] { return !engine_->Busy() && !f->CurrentFile.IsEmpty(); }));
    return f;
  }
  std::string Folder() const { return folder_.Dir() + "state/kavelin/recovery/"; }
  std::string Site() const { return folder_.Dir() + "site/"; }
  // The copy this run keeps; empty when there is none.
  std::string Copy(TMainForm* f) {
    std::string bytes;
    f->Recovery->WaitIdle();
    return f->Recovery->Session().ReadCopy(bytes) ? bytes : std::string();
  }
  bool CopyHolds(TMainForm* f, const std::string& text) {
    return WaitFor([&] { return Copy(f).find(text) != std::string::npos; }, 5000);
  }
  static std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  // A copy a run that ended without closing left behind.
  void LeaveOrphan(const std::string& page, const std::string& bytes, std::int64_t time) {
    TRecoverySession run(RecoveryFolderPath());
    std::string error;
    ASSERT_TRUE(run.Write(bytes, {page.empty(), page, Site(), time, 0, 0}, run.Generation(), error))
        << error;
    run.End(true);
  }
  // The program's working files in dir.
  static std::vector<std::string> WorkingFiles(const std::string& dir) {
    std::vector<std::string> names = Names(dir);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return n.rfind("KAVELIN_", 0) != 0; }),
                names.end());
    return names;
  }
  bool Asked(const std::string& piece) const {
    return std::any_of(messages_.begin(), messages_.end(),
                       [&](const std::string& m) { return m.find(piece) != std::string::npos; });
  }

  TFakeWebEngine* engine_ = nullptr;
  std::deque<int> answers_;
};

TEST_F(MainFormRecovery, CopiesAreTakenAfterAQuietWhileAndDeletedBySaveOpenNewAndClose) {
  TMainForm* f = StartShown();
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  WriteFileBytes(AsPath(Site() + "b.html"), "<html><body>B</body></html>");
  EXPECT_EQ(Copy(f), "");
  engine_->Type("eins");
  EXPECT_EQ(Copy(f), "");  // not at once: a quiet while after the change
  ASSERT_TRUE(CopyHolds(f, "eins"));
  TRecordReading record = ReadRecoveryRecord([&] {
    std::string bytes;
    ReadFileBytes(AsPath(f->Recovery->Session().RecordPath()), bytes);
    return bytes;
  }());
  EXPECT_EQ(record.State, TRecordState::Ok);
  EXPECT_TRUE(record.Record.Untitled);
  engine_->Type("zwei");
  ASSERT_TRUE(CopyHolds(f, "einszwei"));

  // Typing on without a pause: a copy all the same, no later than the longest delay.
  engine_->Type("drei");
  for (int i = 0; i < 12; ++i) {
    engine_->Type("+");
    WaitFor([] { return false; }, 40);
  }
  EXPECT_NE(Copy(f).find("drei+"), std::string::npos);

  // A window's result loaded into the page (here as the source window's would be).
  WriteFileBytes(AsPath(f->DocDir + "KAVELIN_quellcode.html"),
                 "<html><body>aus dem Quelltext</body></html>");
  f->WebBrowser1->Engine()->Navigate(f->DocDir + "KAVELIN_quellcode.html");
  ASSERT_TRUE(CopyHolds(f, "aus dem Quelltext"));

  const auto deletedBy = [&](const char* what, const std::function<void()>& command) {
    engine_->Type(what);
    ASSERT_TRUE(CopyHolds(f, what)) << what;
    command();
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    EXPECT_EQ(Copy(f), "") << what;
    EXPECT_EQ(Names(Folder()).size(), 1u) << what;  // this run's lock alone
  };
  deletedBy("save", [&] { f->Soeichern1Click(f); });
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return Site() + "a.html";
  };
  deletedBy("saveas", [&] { f->Speichernunter1Click(f); });
  EXPECT_EQ(f->CurrentFile.Bytes(), Site() + "a.html");
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return Site() + "b.html";
  };
  deletedBy("open", [&] { f->NeueInternetseit1Click(f); });
  deletedBy("new", [&] { f->Neu1Click(f); });
  engine_->Type("close");
  ASSERT_TRUE(CopyHolds(f, "close"));
  f->Close();
  EXPECT_TRUE(Names(Folder()).empty());
  // Nothing of it went into the page's folder.
  for (const std::string& name : Names(Site())) EXPECT_EQ(name.find(".record"), std::string::npos);
}

TEST_F(MainFormRecovery, AtTheStartTheNewestCopyIsOfferedAndYesRestoresItAsItsPage) {
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  WriteFileBytes(AsPath(Site() + "seite.html"), "<html><body>gespeichert</body></html>");
  LeaveOrphan(Site() + "older.html", "<html><body>alt</body></html>", 1000);
  LeaveOrphan(Site() + "seite.html", "<html><body>ungespeichert</body></html>", 2000);
  answers_ = {mrYes};
  TMainForm* f = StartShown();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("\x84seite.html\x93 im Ordner \x84" + Site() + "\x93"),
            std::string::npos)
      << messages_[0];
  EXPECT_EQ(f->CurrentFile.Bytes(), Site() + "seite.html");
  EXPECT_EQ(f->DocDir.Bytes(), Site());
  EXPECT_EQ(f->WorkFile.Bytes().rfind(Site() + "KAVELIN_temp", 0), 0u);
  EXPECT_EQ(engine_->Loads.back(), f->WorkFile);
  EXPECT_NE(engine_->DocumentText.find("ungespeichert"), std::string::npos);
  EXPECT_EQ(f->StatusBar1->SimpleText(), f->CurrentFile.Bytes());
  // The user's file is written only when the user saves; the copy is this run's now.
  std::string bytes;
  ReadFileBytes(AsPath(Site() + "seite.html"), bytes);
  EXPECT_EQ(bytes, "<html><body>gespeichert</body></html>");
  EXPECT_NE(Copy(f).find("ungespeichert"), std::string::npos);
  f->Soeichern1Click(f);
  ReadFileBytes(AsPath(Site() + "seite.html"), bytes);
  EXPECT_NE(bytes.find("ungespeichert"), std::string::npos);

  // The older copy waits for the next start.
  std::vector<TOrphan> left = FindOrphans(Folder());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].Reading.Record.PagePath, Site() + "older.html");
}

TEST_F(MainFormRecovery, WithAPageOnTheCommandLineNoDeletesTheCopyAndOpensThePage) {
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  WriteFileBytes(AsPath(Site() + "start.html"), "<html><body>Start</body></html>");
  LeaveOrphan("", "<html><body>neu</body></html>", 1000);  // an untitled page
  answers_ = {mrNo};
  TMainForm* f = StartShown({Site() + "start.html"});
  ASSERT_TRUE(Asked("Es gibt eine Sicherungskopie einer neuen, noch nie gespeicherten Seite"));
  EXPECT_EQ(f->CurrentFile.Bytes(), Site() + "start.html");
  EXPECT_TRUE(FindOrphans(Folder()).empty());
  f->Close();

  LeaveOrphan("", "<html><body>neu</body></html>", 1000);
  answers_ = {mrYes};
  messages_.clear();
  TMainForm* g = StartShown({Site() + "start.html"});
  EXPECT_EQ(g->CurrentFile.Bytes(), folder_.TempDir() + "temp/temp.html");  // restored instead
  EXPECT_NE(engine_->DocumentText.find("neu"), std::string::npos);
}

TEST_F(MainFormRecovery, DamagedRecordsAndCopiesAreSaidAndWhatCanBeReadIsRestored) {
  const std::string folder = RecoveryFolderPath();
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  LeaveOrphan(Site() + "kurz.html", "<html><body>ganz lang</body></html>", 3000);
  LeaveOrphan(Site() + "fehlt.html", "x", 4000);
  std::vector<TOrphan> orphans = FindOrphans(folder);
  ASSERT_EQ(orphans.size(), 2u);
  DeleteFileIfExists(AsPath(orphans[0].CopyPath()));
  WriteFileBytes(AsPath(orphans[1].CopyPath()), "<html><body>ganz");  // cut short
  orphans.clear();
  WriteFileBytes(AsPath(folder + "kv9-later.record"), "KAVELIN recovery record\nversion 7\n");
  WriteFileBytes(AsPath(folder + "kv8-broken.record"), "KAVELIN recovery rec");
  answers_ = {mrYes};
  TMainForm* f = StartShown();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  ASSERT_EQ(messages_.size(), 2u);
  // One message for what cannot be restored, then the question about the rest.
  EXPECT_NE(messages_[0].find("neueren Version"), std::string::npos) << messages_[0];
  EXPECT_NE(messages_[0].find("\x84"
                              "fehlt.html\x93"),
            std::string::npos);
  EXPECT_NE(messages_[0].find("ohne Kopie wurden gel\xF6scht"), std::string::npos);
  EXPECT_NE(messages_[1].find("unvollst\xE4ndig"), std::string::npos) << messages_[1];
  EXPECT_EQ(f->CurrentFile.Bytes(), Site() + "kurz.html");
  EXPECT_NE(engine_->DocumentText.find("ganz"), std::string::npos);
  // The later version's record stays for that version.
  EXPECT_TRUE(FileExists(AsPath(folder + "kv9-later.record")));
  EXPECT_FALSE(FileExists(AsPath(folder + "kv8-broken.record")));
}

TEST_F(MainFormRecovery, WhenThePageProcessEndsThePageComesBackFromItsCopyAndSaveWorks) {
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  WriteFileBytes(AsPath(Site() + "p.html"), "<html><body>Datei</body></html>");
  TMainForm* f = StartShown();
  f->LoadDocument(AsPath(Site() + "p.html"));
  const std::string loadedWork = f->WorkFile.Bytes();
  engine_->Type("getippt");
  ASSERT_TRUE(CopyHolds(f, "getippt"));
  f->English1Click(f);
  engine_->KillProcess();
  ASSERT_TRUE(WaitFor([&] { return messages_.size() == 1; }));
  EXPECT_NE(messages_[0].find("The web page component ended unexpectedly. The page was restored "
                              "as it was at"),
            std::string::npos)
      << messages_[0];
  EXPECT_EQ(f->CurrentFile.Bytes(), Site() + "p.html");
  EXPECT_NE(f->WorkFile.Bytes(), loadedWork);
  EXPECT_EQ(f->WorkFile.Bytes().rfind(Site() + "KAVELIN_temp", 0), 0u);
  EXPECT_EQ(engine_->Loads.back(), f->WorkFile);
  EXPECT_NE(engine_->DocumentText.find("getippt"), std::string::npos);
  f->Soeichern1Click(f);
  std::string saved;
  ReadFileBytes(AsPath(Site() + "p.html"), saved);
  EXPECT_NE(saved.find("getippt"), std::string::npos);

  // Ending again right after: no endless loop, and the copy stays for the next start.
  engine_->Type("wieder");
  ASSERT_TRUE(CopyHolds(f, "wieder"));
  const std::size_t loads = engine_->Loads.size();
  messages_.clear();
  engine_->KillProcess();
  ASSERT_TRUE(WaitFor([&] { return messages_.size() == 1; }));
  EXPECT_NE(messages_[0].find("ended again right after"), std::string::npos) << messages_[0];
  EXPECT_EQ(engine_->Loads.size(), loads);
  f->Close();
  std::vector<TOrphan> kept = FindOrphans(Folder());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].Reading.Record.PagePath, Site() + "p.html");
  kept[0].Delete();
}

TEST_F(MainFormRecovery, WithoutACopyThePageComesBackAsItWasLoaded) {
  ASSERT_TRUE(ForceDirectories(AsPath(Site())));
  WriteFileBytes(AsPath(Site() + "p.html"), "<html><body>Datei</body></html>");
  struct TCase {
    bool Type;
    const char* Says;
  } cases[] = {{false, "Die Seite wurde neu geladen; sie war seit"},
               {true, "bevor es eine Sicherungskopie der \xC4nderungen gab"}};
  for (const TCase& c : cases) {
    messages_.clear();
    TMainForm* f = StartShown();
    f->Recovery->SetTimes(60s, 120s);
    f->LoadDocument(AsPath(Site() + "p.html"));
    if (c.Type) engine_->Type("verloren");
    engine_->KillProcess();
    ASSERT_TRUE(WaitFor([&] { return messages_.size() == 1; }));
    EXPECT_NE(messages_[0].find(c.Says), std::string::npos) << messages_[0];
    EXPECT_TRUE(engine_->HasDocument());
    EXPECT_EQ(engine_->DocumentText, "<html><body>Datei</body></html>");
    f->Close();
  }
}

TEST_F(MainFormRecovery, ASignalClosesLikeTheWindowButKeepsTheLatestCopy) {
  TMainForm* f = StartShown();
  f->Recovery->SetTimes(60s, 120s);  // no copy of its own before the signal
  f->CloseOnTerminationSignals();
  engine_->Type("vor dem Ende");
  const std::string docDir = f->DocDir.Bytes();
  ASSERT_FALSE(WorkingFiles(docDir).empty());
  ::raise(SIGTERM);
  ASSERT_TRUE(WaitFor([&] { return app_->Terminated(); }));
  EXPECT_TRUE(WorkingFiles(docDir).empty());  // no working file left
  std::vector<TOrphan> kept = FindOrphans(Folder());
  ASSERT_EQ(kept.size(), 1u);
  std::string bytes;
  bool complete = false;
  ASSERT_TRUE(kept[0].ReadCopy(bytes, complete));
  EXPECT_TRUE(complete);
  EXPECT_NE(bytes.find("vor dem Ende"), std::string::npos);
  EXPECT_TRUE(messages_.empty());  // no question, no showcase
}

TEST_F(MainFormRecovery, AFolderThatTakesNoCopyIsSaidOnceAndEditingGoesOn) {
  WriteFileBytes(AsPath(folder_.Dir() + "state"), "a file where the folder should be");
  TMainForm* f = StartShown();
  for (const char* text : {"a", "b", "c"}) {
    engine_->Type(text);
    WaitFor([] { return false; }, 150);
  }
  f->Recovery->SetTimes(1ms, 5ms);
  engine_->Type("d");
  WaitFor([] { return false; }, 300);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("Sicherungskopien der Seite k\xF6nnen nicht angelegt werden"),
            std::string::npos)
      << messages_[0];
  EXPECT_TRUE(errors_.empty());
  f->Soeichern1Click(f);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  std::string saved;
  ReadFileBytes(AsPath(f->CurrentFile), saved);
  EXPECT_NE(saved.find("abcd"), std::string::npos);
}

}  // namespace
}  // namespace kv
