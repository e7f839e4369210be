// New, Save, Save as and Open through the main window with the real engine, and the working
// files that come and go with them.
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "support/Cp1252.h"
#include "support/Files.h"
#include "tests/app_document/DocumentFixture.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// The text of a saved page in UTF-8: Windows-1252 decoded and numeric references resolved.
std::string DecodedText(const std::string& saved) {
  const std::string utf8 = Cp1252ToUtf8(saved);
  std::u32string out;
  const std::u32string in = DecodeUtf8(utf8);
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == U'&' && i + 2 < in.size() && in[i + 1] == U'#') {
      size_t j = i + 2;
      const bool hex = j < in.size() && (in[j] == U'x' || in[j] == U'X');
      if (hex) ++j;
      char32_t value = 0;
      size_t digits = 0;
      for (; j < in.size(); ++j, ++digits) {
        const char32_t c = in[j];
        if (c >= U'0' && c <= U'9')
          value = value * (hex ? 16 : 10) + (c - U'0');
        else if (hex && ((c | 0x20) >= U'a' && (c | 0x20) <= U'f'))
          value = value * 16 + ((c | 0x20) - U'a' + 10);
        else
          break;
      }
      if (digits > 0 && j < in.size() && in[j] == U';') {
        out += value;
        i = j;
        continue;
      }
    }
    out += in[i];
  }
  return EncodeUtf8(out);
}

TEST_F(DocumentFlowTest, NewTypeSaveInBothLanguages) {
  TMainForm* f = StartReady();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  const std::string untitled = TempDir() + "temp/temp.html";
  EXPECT_EQ(f->CurrentFile.Bytes(), untitled);
  EXPECT_EQ(f->DocDir.Bytes(), TempDir() + "temp/");
  EXPECT_EQ(f->StatusBar1->SimpleText(), untitled);
  EXPECT_TRUE(std::regex_match(f->WorkFile.Bytes(), std::regex(".*/temp/KAVELIN_temp\\d+\\.html")));
  EXPECT_FALSE(FileExists(AsPath(untitled)));  // not until it is saved

  Type("Hallo Welt");
  Click([&] { f->Soeichern1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(messages_, (std::vector<std::string>{"KAVELIN: Document wurde gespeichert!"}));
  const std::string saved = FileText(untitled);
  EXPECT_NE(saved.find("Hallo Welt"), std::string::npos) << saved;
  ASSERT_GE(saved.size(), 2u);
  EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");

  f->English1Click(f);
  Type("noch einmal");
  Click([&] { f->Soeichern1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(messages_.back(), "KAVELIN: Document saved!");
  EXPECT_NE(FileText(untitled).find("noch einmal"), std::string::npos);
}

TEST_F(DocumentFlowTest, TwoNewPagesLeaveTheFirstWorkingCopyUntilTheCleanUp) {
  TMainForm* f = StartReady();
  const std::string first = f->WorkFile.Bytes();
  Click([&] { f->Neu1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_NE(f->WorkFile.Bytes(), first);
  EXPECT_TRUE(FileExists(AsPath(first)));
  EXPECT_EQ(FileText(f->WorkFile.Bytes()), "");
  EXPECT_EQ(FilesIn(TempDir() + "temp/", "KAVELIN_temp").size(), 2u);
}

TEST_F(DocumentFlowTest, SaveAsIntoAnotherFolderThenOpenAnotherPage) {
  TMainForm* f = StartReady();
  const std::string untitledWork = f->WorkFile.Bytes();
  const std::string site = Dir() + "site/";
  ASSERT_TRUE(ForceDirectories(AsPath(site)));
  ASSERT_TRUE(WriteFileBytes(AsPath(site + "seite.html"), "altes"));  // overwritten without asking
  Type("Neue Seite");
  AnswerFileDialog(site + "seite");
  Click([&] { f->Speichernunter1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(dialogPresets_.back(), TempDir() + "temp/temp.html");
  EXPECT_EQ(f->CurrentFile.Bytes(), site + "seite.html");
  EXPECT_EQ(f->DocDir.Bytes(), site);
  EXPECT_EQ(f->StatusBar1->SimpleText(), site + "seite.html");
  EXPECT_EQ(f->WorkFile.Bytes(), untitledWork);
  EXPECT_TRUE(messages_.empty());  // Save as shows no message
  EXPECT_NE(FileText(site + "seite.html").find("Neue Seite"), std::string::npos);

  // The user's own file beside the page, and a left-over working file of the program.
  ASSERT_TRUE(WriteFileBytes(AsPath(site + "KAVELIN_notizen.html"), "meins"));
  ASSERT_TRUE(WriteFileBytes(AsPath(site + "KAVELIN_undo.html"), "alt"));
  const std::string other = Dir() + "other/";
  ASSERT_TRUE(ForceDirectories(AsPath(other)));
  ASSERT_TRUE(WriteFileBytes(AsPath(other + "b.html"), "<html><body><p>Seite B</p></body></html>"));
  AnswerFileDialog(other + "b.html");
  Click([&] { f->NeueInternetseit1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), other + "b.html");
  EXPECT_EQ(f->DocDir.Bytes(), other);
  EXPECT_EQ(f->StatusBar1->SimpleText(), other + "b.html");
  EXPECT_EQ(FilesIn(other, "KAVELIN_temp").size(), 1u);
  EXPECT_EQ(f->WorkFile.Bytes().rfind(other + "KAVELIN_temp", 0), 0u);
  EXPECT_EQ(FilesIn(site, "KAVELIN_"), (std::vector<std::string>{"KAVELIN_notizen.html"}));
  EXPECT_EQ(FileText(f->WorkFile.Bytes()), FileText(other + "b.html"));
  EXPECT_NE(FileText(Dir() + "historie.ini").find("b.html"), std::string::npos);

  // Closing cleans up the current folder.
  TCloseAction action = TCloseAction::caHide;
  f->FormClose(f, action);
  EXPECT_TRUE(FilesIn(other, "KAVELIN_").empty());
  EXPECT_TRUE(FileExists(AsPath(other + "b.html")));
  EXPECT_TRUE(FileExists(AsPath(site + "KAVELIN_notizen.html")));
  // The untitled page's working copy stays in its old folder: the clean-up looks only in the
  // current document's folder and in the temporary directory itself.
  EXPECT_TRUE(FileExists(AsPath(untitledWork)));
}

TEST_F(DocumentFlowTest, UmlautsAndCharactersOutsideWindows1252SurviveSaveAndReopen) {
  const std::string expected =
      "Gr\xC3\xB6\xC3\x9F"
      "e \xC3\x84pfel \xE2\x82\xAC \xE4\xB8\xAD\xE6\x96\x87";
  const std::string page = Dir() + "umlaut.html";
  // Stored the old way: Windows-1252 with a numeric reference for what it cannot hold.
  ASSERT_TRUE(WriteFileBytes(AsPath(page),
                             "<html><head><title>T</title></head><body><p>Gr\xF6\xDF"
                             "e \xC4pfel "
                             "\x80 &#20013;&#x6587;</p></body></html>"));
  TMainForm* f = StartReady({page});
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), page);
  Click([&] { f->Soeichern1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  const std::string saved = FileText(page);
  EXPECT_NE(DecodedText(saved).find(expected), std::string::npos) << saved;

  AnswerFileDialog(page);
  Click([&] { f->NeueInternetseit1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  Click([&] { f->Soeichern1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_NE(DecodedText(FileText(page)).find(expected), std::string::npos) << FileText(page);
}

TEST_F(DocumentFlowTest, SavingFailsLoudlyAndKeepsTheOldFile) {
  TMainForm* f = StartReady();
  Type("Text");
  const std::string ro = Dir() + "ro/";
  ASSERT_TRUE(ForceDirectories(AsPath(ro)));
  ASSERT_TRUE(WriteFileBytes(AsPath(ro + "seite.html"), "alte Seite"));
  ::chmod((ro).c_str(), 0555);
  const std::string before = f->CurrentFile.Bytes();
  AnswerFileDialog(ro + "seite.html");
  Click([&] { f->Speichernunter1Click(f); });
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find(ro + "seite.html"), std::string::npos) << errors_[0];
  EXPECT_EQ(f->CurrentFile.Bytes(), before);
  EXPECT_EQ(FileText(ro + "seite.html"), "alte Seite");
  ::chmod((ro).c_str(), 0755);

  // A read-only page: Save refuses and says so instead of "saved".
  const std::string page = Dir() + "fest.html";
  ASSERT_TRUE(WriteFileBytes(AsPath(page), "fest"));
  AnswerFileDialog(page);
  Click([&] { f->NeueInternetseit1Click(f); });
  ASSERT_EQ(errors_.size(), 1u);
  ::chmod(page.c_str(), 0444);
  Click([&] { f->Soeichern1Click(f); });
  ASSERT_EQ(errors_.size(), 2u);
  EXPECT_NE(errors_[1].find(page), std::string::npos) << errors_[1];
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(FileText(page), "fest");
}

TEST_F(DocumentFlowTest, APageThatCannotBeOpenedLeavesTheDocumentAsItWas) {
  TMainForm* f = StartReady();
  const std::string folder = Dir() + "ordner/";
  ASSERT_TRUE(ForceDirectories(AsPath(folder)));
  std::vector<std::string> cannot = {Dir() + "fehlt.html", folder, Dir() + "nirgends/x.html"};
  if (::geteuid() != 0) {
    // Permissions stop only ordinary users.
    ASSERT_TRUE(WriteFileBytes(AsPath(Dir() + "gesperrt.html"), "x"));
    ::chmod((Dir() + "gesperrt.html").c_str(), 0);
    cannot.push_back(Dir() + "gesperrt.html");
    const std::string ro = Dir() + "ro/";
    ASSERT_TRUE(ForceDirectories(AsPath(ro)));
    ASSERT_TRUE(WriteFileBytes(AsPath(ro + "a.html"), "x"));
    ::chmod(ro.c_str(), 0555);
    cannot.push_back(ro + "a.html");
  }
  const std::string file = f->CurrentFile.Bytes(), dir = f->DocDir.Bytes(),
                    work = f->WorkFile.Bytes();
  for (const std::string& name : cannot) {
    errors_.clear();
    AnswerFileDialog(name);
    Click([&] { f->NeueInternetseit1Click(f); });
    ASSERT_EQ(errors_.size(), 1u) << name;
    EXPECT_NE(errors_[0].find(name), std::string::npos) << errors_[0];
    EXPECT_EQ(f->CurrentFile.Bytes(), file);
    EXPECT_EQ(f->DocDir.Bytes(), dir);
    EXPECT_EQ(f->WorkFile.Bytes(), work);
    EXPECT_TRUE(FileExists(AsPath(work)));
    EXPECT_EQ(f->StatusBar1->SimpleText(), file);
  }
  EXPECT_FALSE(FileExists(AsPath(Dir() + "historie.ini")));
}

TEST_F(DocumentFlowTest, CancelledDialogsChangeNothing) {
  TMainForm* f = StartReady();
  const std::string file = f->CurrentFile.Bytes();
  AnswerFileDialog(std::nullopt);
  Click([&] { f->NeueInternetseit1Click(f); });
  Click([&] { f->Speichernunter1Click(f); });
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(f->CurrentFile.Bytes(), file);
  EXPECT_FALSE(FileExists(AsPath(file)));
  EXPECT_EQ(f->SaveDialog1->DefaultExt(), "html");
}

}  // namespace
}  // namespace kv
