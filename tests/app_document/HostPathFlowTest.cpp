// Pages in folders and under names beyond Windows-1252 (and beyond UTF-8) through the real
// main window and the real web engine: the path goes byte for byte from the command line, the
// open and save dialogs, the recent list and $HOME/$TMPDIR to the file system.
#include <QAction>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/core/RecentFiles.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/SystemInfo.h"
#include "tests/app_document/DocumentFixture.h"

namespace kv {
namespace {

const std::string kLodz =
    "\xC5\x81\xC3\xB3"
    "d\xC5\xBA";                                       // "Łódź"
const std::string kPageName = "strona \xCE\xB6.html";  // "strona ζ.html"
// "Документы"
const std::string kDocuments =
    "\xD0\x94\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD1\x8B";
using namespace std::chrono_literals;

const std::string kSaved = "KAVELIN: Document wurde gespeichert!";

// Sets an environment variable for one test and puts the old value back afterwards.
class TEnvOverride {
 public:
  TEnvOverride(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~TEnvOverride() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class HostPathFlowTest : public DocumentFlowTest {
 protected:
  // "Łódź/strona ζ.html" with the picture "obraz.png" beside it, named by a relative address.
  std::string MakePage(const std::string& source = "obraz.png",
                       const std::string& name = kPageName) {
    const std::string folder = Dir() + kLodz + "/";
    EXPECT_TRUE(ForceDirectories(AsPath(folder)));
    EXPECT_TRUE(WriteFileBytes(AsPath(folder + "obraz.png"), std::string("\x89PNG\r\n\x1A\n", 8)));
    EXPECT_TRUE(WriteFileBytes(AsPath(folder + name),
                               "<html><head><title>Strona</title></head><body>"
                               "<p>Tekst</p><p><img src=\"" +
                                   source + "\"></p></body></html>"));
    return folder + name;
  }
  // Types, saves and checks what a user sees and what the file then holds.
  void TypeAndSave(const std::string& path, const std::string& text) {
    messages_.clear();
    Type(text);
    Click([&] { form_->Soeichern1Click(form_); });
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    EXPECT_EQ(messages_, (std::vector<std::string>{kSaved}));
    const std::string saved = FileText(path);
    EXPECT_NE(saved.find(text), std::string::npos) << saved;
  }
  static void ExpectRelativePicture(const std::string& saved) {
    EXPECT_NE(saved.find("src=\"obraz.png\""), std::string::npos) << saved;
    EXPECT_EQ(saved.find("file:"), std::string::npos) << saved;
  }
};

TEST_F(HostPathFlowTest, APageInAFolderBeyondWindows1252OpensFromTheCommandLineAndSaves) {
  const std::string page = MakePage();
  TMainForm* f = StartReady({page});
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), page);
  EXPECT_EQ(f->DocDir.Bytes(), Dir() + kLodz + "/");
  EXPECT_EQ(EncodeUtf8(f->StatusBar1->SimpleUnicodeText()), page);  // shown as its characters
  EXPECT_EQ(f->WorkFile.Bytes().rfind(Dir() + kLodz + "/KAVELIN_temp", 0), 0u);
  TypeAndSave(page, "Zapisane");
  ExpectRelativePicture(FileText(page));
  EXPECT_TRUE(FilesIn(Dir(), "?").empty());  // no twin under a mangled name

  // The picture named by its absolute address, as page text and percent-encoded as a browser
  // writes it: saving beside it makes the address relative again.
  const std::string lodzAsPageText =
      "&#321;\xF3"
      "d&#378;";
  const std::string lodzPercentEncoded =
      "%C5%81%C3%B3"
      "d%c5%ba";
  for (const std::string& folder : {lodzAsPageText, lodzPercentEncoded}) {
    const std::string absolute = MakePage("file://" + Dir() + folder + "/obraz.png",
                                          "absolut" + std::to_string(folder.size()) + ".html");
    AnswerFileDialog(absolute);
    Click([&] { f->NeueInternetseit1Click(f); });
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    ASSERT_EQ(f->CurrentFile.Bytes(), absolute);
    EXPECT_TRUE(WaitFor([&] {
      std::string text;
      for (const std::string& line : f->GetDocument()->SaveToLines()) text += line;
      return text.find("file:") != std::string::npos;
    })) << "the page never showed the absolute address";
    TypeAndSave(absolute, "Znowu");
    ExpectRelativePicture(FileText(absolute));
  }
}

TEST_F(HostPathFlowTest, OpenSaveAsIntoACyrillicFolderAndReopenFromTheRecentList) {
  const std::string page = MakePage();
  TMainForm* f = StartReady();
  AnswerFileDialog(page);
  Click([&] { f->NeueInternetseit1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), page);
  TypeAndSave(page, "Otwarte");
  ExpectRelativePicture(FileText(page));

  // Save as into "Документы": the page lands under its byte-exact name.
  const std::string folder = Dir() + kDocuments + "/";
  ASSERT_TRUE(ForceDirectories(AsPath(folder)));
  const std::string copy = folder + kPageName;
  AnswerFileDialog(copy);
  Click([&] { f->Speichernunter1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(dialogPresets_.back(), page);  // the dialog starts at the page's own name
  EXPECT_EQ(f->CurrentFile.Bytes(), copy);
  EXPECT_EQ(f->DocDir.Bytes(), folder);
  EXPECT_EQ(EncodeUtf8(f->StatusBar1->SimpleUnicodeText()), copy);
  const std::string saved = FileText(copy);
  EXPECT_NE(saved.find("Otwarte"), std::string::npos) << saved;
  // The history keeps the path's bytes.
  EXPECT_NE(FileText(Dir() + "historie.ini").find(copy), std::string::npos);
  EXPECT_EQ(FileText(Dir() + "historiesmall.ini").rfind(kPageName + "\r\n", 0), 0u);

  // Another page, then the copy again through its recent entry, shown readable.
  Click([&] { f->Neu1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  ASSERT_NE(f->CurrentFile.Bytes(), copy);
  // The newest entry, the copy, reads as the name's characters.
  TMenuItem* entry = nullptr;
  for (int i = 0; i < f->Datei1->Count(); ++i)
    if (f->Datei1->Items(i)->Tag == RecentFileList::FirstTag) entry = f->Datei1->Items(i);
  ASSERT_NE(entry, nullptr) << "no recent entry";
  EXPECT_EQ(entry->Action()->text().toStdString(), kPageName);
  Click([&] { entry->Action()->trigger(); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), copy);
  EXPECT_TRUE(WaitFor([&] {
    std::string text;
    for (const std::string& line : f->GetDocument()->SaveToLines()) text += line;
    return text.find("Otwarte") != std::string::npos;
  }));
}

TEST_F(HostPathFlowTest, AnUntitledPageUnderAHomeAndTemporaryFolderBeyondWindows1252) {
  const std::string home = Dir() + "\xC5\x81ukasz/";  // "Łukasz"
  const std::string tmp = home + "tmp/";
  ASSERT_TRUE(ForceDirectories(AsPath(tmp)));
  const TEnvOverride homeVar("HOME", home);
  const TEnvOverride tmpVar("TMPDIR", tmp);
  // The recovery copies go where the home folder says, not to the fixture's state folder.
  const TEnvOverride stateVar("XDG_STATE_HOME", "");
  FreeWindowsInfo();  // the temporary folder is read once, when the program starts
  CreateWindowsInfo();
  TMainForm* f = StartReady();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  const std::string untitled = tmp + "temp/temp.html";
  EXPECT_EQ(f->CurrentFile.Bytes(), untitled);
  EXPECT_EQ(f->WorkFile.Bytes().rfind(tmp + "temp/KAVELIN_temp", 0), 0u);
  f->Recovery->SetTimes(200ms, 1000ms);
  Type("Bez tytulu");
  // The recovery copy of the unsaved page lands under the home folder.
  EXPECT_TRUE(WaitFor([&] {
    std::string copy;
    f->Recovery->WaitIdle();
    return f->Recovery->Session().ReadCopy(copy) && copy.find("Bez tytulu") != std::string::npos;
  })) << "no recovery copy of the typed text";
  EXPECT_TRUE(DirectoryExists(AsPath(home + ".local/state/kavelin/recovery/")));
  Click([&] { f->Soeichern1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(messages_, (std::vector<std::string>{kSaved}));
  EXPECT_NE(FileText(untitled).find("Bez tytulu"), std::string::npos);
}

TEST_F(HostPathFlowTest, AStartFileWhoseNameIsNoUtf8Opens) {
  const std::string page = Dir() + "seite\xFF.html";
  ASSERT_TRUE(WriteFileBytes(AsPath(page), "<html><body><p>Roh</p></body></html>"));
  TMainForm* f = StartReady({page});
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), page);
  // Shown with a replacement character where the byte is; named by its bytes all the same.
  EXPECT_EQ(EncodeUtf8(f->StatusBar1->SimpleUnicodeText()), Dir() + "seite\xEF\xBF\xBD.html");
  EXPECT_TRUE(WaitFor([&] {
    std::string text;
    for (const std::string& line : f->GetDocument()->SaveToLines()) text += line;
    return text.find("Roh") != std::string::npos;
  }));
  TypeAndSave(page, "Gespeichert");
  EXPECT_EQ(FilesIn(Dir(), "seite"), (std::vector<std::string>{"seite\xFF.html"}));
}

}  // namespace
}  // namespace kv
