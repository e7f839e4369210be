// The main window's hand-offs that need no dialog: the preview in the web browser and its one
// copy per folder, the help page, the language file, and the snapshot a cancelled visit keeps.
#include <filesystem>

#include "app/core/WorkingFiles.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "tests/app/PageToolsFixture.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

const std::string kPage = "<HTML>\r\n<BODY>\r\n<P>Eins</P>\r\n</BODY>\r\n</HTML>\r\n";

class HandOffs : public PageToolsTest {
 protected:
  std::string PreviewIn(const std::string& dir) const { return dir + WorkingFile::Preview; }
  // The files in dir whose names begin with "kavelin" in any case.
  static std::vector<std::string> PreviewLikeFiles(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(AsPath(dir).Sys())) {
      std::string name = (e.path().filename().string());
      std::string lower = name;
      for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      if (lower.rfind("kavelin_preview", 0) == 0 ||
          (lower.rfind("kavelin", 0) == 0 && lower.find('_') == std::string::npos))
        names.push_back(name);
    }
    return names;
  }
};

TEST_F(HandOffs, PreviewWritesOneCopyBesideThePageAndHandsItToTheBrowser) {
  StartOn(kPage);
  const std::string site = folder_.Dir() + "site/";
  const std::string copy = PreviewIn(site);
  engine_->DocumentText = "<HTML>\r\n<BODY>\r\n<P>Zwei</P>\r\n</BODY>\r\n</HTML>\r\n";
  main_->SpeedButton2Click(main_);
  EXPECT_NE(FileText(PagePath()).find("Zwei"), std::string::npos);  // the page itself, saved
  EXPECT_EQ(FileText(copy), FileText(PagePath()));
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], (std::vector<std::string>{"xdg-open", copy}));

  // A second preview rewrites the same copy.
  engine_->DocumentText = "<HTML>\r\n<BODY>\r\n<P>Drei</P>\r\n</BODY>\r\n</HTML>\r\n";
  main_->SpeedButton2Click(main_);
  EXPECT_NE(FileText(copy).find("Drei"), std::string::npos);
  EXPECT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[1], opened_[0]);
  EXPECT_EQ(PreviewLikeFiles(site), std::vector<std::string>{WorkingFile::Preview});

  // Opening another page sweeps it away with the working files.
  const std::string other = folder_.Dir() + "other/page.html";
  ForceDirectories(AsPath(folder_.Dir() + "other"));
  WriteFileBytes(AsPath(other), kPage);
  main_->LoadDocument(AsPath(other));
  EXPECT_FALSE(FileExists(AsPath(copy)));
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(HandOffs, NewAndSaveAsIntoAnotherFolderTakeThePreviewCopyAlong) {
  StartOn(kPage);
  const std::string site = folder_.Dir() + "site/";
  main_->SpeedButton2Click(main_);
  ASSERT_TRUE(FileExists(AsPath(PreviewIn(site))));
  main_->Neu1Click(main_);
  EXPECT_FALSE(FileExists(AsPath(PreviewIn(site))));

  // Save as: within the same folder the copy stays, into another folder it goes.
  main_->LoadDocument(AsPath(PagePath()));
  main_->SpeedButton2Click(main_);
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return site + "copy.html";
  };
  main_->Speichernunter1Click(main_);
  EXPECT_TRUE(FileExists(AsPath(PreviewIn(site))));
  ForceDirectories(AsPath(folder_.Dir() + "moved"));
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return folder_.Dir() + "moved/page.html";
  };
  main_->Speichernunter1Click(main_);
  EXPECT_FALSE(FileExists(AsPath(PreviewIn(site))));
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(HandOffs, APreviewThatCannotBeWrittenIsReportedAndNothingIsOpened) {
  StartOn(kPage);
  SetAtomicWriteFault([&](const std::string& path) {
    return path == PreviewIn(folder_.Dir() + "site/") ? "disk full" : std::string();
  });
  SafeCall([&] { main_->SpeedButton2Click(main_); });
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("KAVELIN_preview.html"), std::string::npos) << errors_[0];
  EXPECT_TRUE(opened_.empty());
}

TEST_F(HandOffs, HelpOpensTheHelpPageBesideTheProgram) {
  StartOn(kPage);
  main_->Hilfedatei2Click(main_);
  EXPECT_EQ(
      opened_,
      (std::vector<std::vector<std::string>>{{"xdg-open", folder_.Dir() + "help/help.html"}}));
}

TEST_F(HandOffs, AnUnwritableLanguageFileKeepsTheLanguage) {
  StartOn(kPage);
  std::filesystem::create_directory(AsPath(folder_.Dir() + "Language.ini").Sys());
  SafeCall([&] { main_->English1Click(main_); });
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("Language.ini"), std::string::npos) << errors_[0];
  EXPECT_EQ(main_->ActiveLanguage(), 1);
  EXPECT_EQ(main_->Datei1->Caption(), "Datei");
}

TEST_F(HandOffs, UndoAfterACancelledVisitKeepsTheEditsMadeSince) {
  StartOn(kPage);
  engine_->DocumentText = "<HTML>\r\n<BODY>\r\n<P>Bearbeitet</P>\r\n</BODY>\r\n</HTML>\r\n";
  Visit([&] { main_->SpeedButton1Click(main_); }, [&] { source_->Close(); });
  Visit([&] { main_->ToolButton8Click(main_); }, [&] { meta_->Close(); });
  EXPECT_FALSE(FileExists(AsPath(DocFile(WorkingFile::Undo))));
  const size_t navigations = engine_->Navigations.size();
  main_->UndoButtonClick(main_);
  EXPECT_EQ(engine_->Navigations.size(), navigations);  // no snapshot brought back
  EXPECT_NE(engine_->DocumentText.find("Bearbeitet"), std::string::npos);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
