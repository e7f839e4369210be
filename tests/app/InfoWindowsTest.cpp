// The about box and the showcase window, and the windows' own translation rows applied to the
// real windows.
#include <QApplication>
#include <QScreen>
#include <QTest>

#include "tests/app/PageToolsFixture.h"

namespace kv {
namespace {

const std::string kPage = "<HTML><BODY>Text</BODY></HTML>\r\n";

class InfoWindows : public PageToolsTest {};

TEST_F(InfoWindows, TheAboutBoxShowsTheVersionFileUntilALanguageIsAppliedAndOpensItsLinks) {
  folder_.Write("Ver.ini", "Version 1.2.3\r\n");
  StartOn(kPage);
  EXPECT_EQ(about_->Caption(), "KAVELIN");
  EXPECT_EQ(about_->VersionLabel->Caption(), "Version 1.2.3");
  EXPECT_EQ(about_->ProductName->Caption(), "KAVELIN");
  EXPECT_EQ(about_->Image1->Picture().size(), QSize(234, 105));
  Visit([&] { main_->Info2Click(main_); },
        [&] {
          EXPECT_TRUE(about_->Showing());
          QTest::mouseClick(about_->URLLabel->Peer(), Qt::LeftButton);
          Press(about_->EmailLabel->Peer(), Qt::Key_Return);  // a focused link, by keyboard
          Press(about_->OKButton->Peer(), Qt::Key_Return);
        });
  EXPECT_FALSE(about_->Showing());
  // The label shows the host the link opens; both are fictional addresses.
  EXPECT_EQ(about_->URLLabel->Caption(), "www.varento.example.com");
  EXPECT_EQ(opened_, (std::vector<std::vector<std::string>>{
                         {"xdg-open", "http://www.varento.example.com"},
                         {"xdg-open", "mailto:info@varento.example.com"}}));

  main_->English1Click(main_);
  EXPECT_EQ(about_->Caption(), "About");
  EXPECT_EQ(about_->VersionLabel->Caption(), "Version 9.2.6");
  main_->Deutsch1Click(main_);
  EXPECT_EQ(about_->Caption(), "Info");
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(InfoWindows, WithoutItsPictureTheAboutBoxKeepsItsStoredLabels) {
  folder_.Write("Ver.ini", "Version 1.2.3\r\n");
  folder_.Remove("recom/m_about.jpg");
  StartOn(kPage);
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("m_about.jpg"), std::string::npos) << errors_[0];
  EXPECT_EQ(about_->Caption(), "KAVELIN");
  EXPECT_EQ(about_->VersionLabel->Caption(), "Version 9.2.6");
}

TEST_F(InfoWindows, TheShowcasePicksItsPictureOnceByTheStartLanguage) {
  for (const char* stored : {"GERMAN", "ENGLISH"}) {
    folder_.Write("Language.ini", std::string(stored) + "\r\n");
    StartOn(kPage);
    const bool german = std::string(stored) == "GERMAN";
    EXPECT_EQ(showcase_->DEImage->Visible(), german) << stored;
    EXPECT_EQ(showcase_->ENImage->Visible(), !german) << stored;
    EXPECT_EQ(showcase_->DEImage->Picture().size(), QSize(987, 665));
    EXPECT_EQ(showcase_->ENImage->Picture().size(), QSize(987, 665));
    if (german)
      main_->English1Click(main_);
    else
      main_->Deutsch1Click(main_);
    EXPECT_EQ(showcase_->Caption(),
              german ? "Top products from VARENTO" : "Top-Produkte von VARENTO");
    EXPECT_EQ(showcase_->DEImage->Visible(), german) << "not swapped";
    TImage* shown = german ? showcase_->DEImage : showcase_->ENImage;
    Visit([&] { showcase_->ShowModal(); },
          [&] {
            const QRect screen = QApplication::primaryScreen()->geometry();
            EXPECT_EQ(showcase_->Window()->frameGeometry().width(), screen.width());
            EXPECT_TRUE(showcase_->Window()->windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_FALSE(showcase_->Window()->windowFlags() & Qt::WindowMinimizeButtonHint);
            QTest::mouseClick(shown->Peer(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
            showcase_->Close();
          });
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_.back()[1],
              german ? TWerbungForm::GermanProductPage : TWerbungForm::EnglishProductPage);
    EXPECT_NE(opened_.back()[1].find(".example.com/"), std::string::npos);
    opened_.clear();
    app_->DestroyForms();
  }
}

TEST_F(InfoWindows, TheSourceWindowsOwnRowsReachItsStylerAndEditorFont) {
  folder_.Write("Language.ini", "ENGLISH\r\n");
  StartOn(kPage);
  TElementStyles& styles = source_->HTMLMemoStyler1->AllStyles();
  ASSERT_EQ(styles.Count(), 6);
  EXPECT_EQ(styles.Items(0)->KeyWords().Count(), 107);
  EXPECT_EQ(styles.Items(0)->KeyWords().Get(0), "&lt");
  EXPECT_EQ(styles.Items(0)->KeyWords().Get(106), "xmp");
  for (int i = 0; i < 6; ++i) styles.Items(i)->SetInfo("changed");
  main_->Deutsch1Click(main_);
  const char* const infos[] = {"HTML Standard Default", "HTML Table Keywords",
                               "HTML Link Keywords",    "Simple Bracket",
                               "Double Bracket",        "Symbols Delimiters"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(styles.Items(i)->Info(), infos[i]) << i;
  EXPECT_EQ(source_->HTMLMemo->Font()->Name(), "COURIER NEW");
  EXPECT_EQ(source_->BitBtn1->Caption(), "Suche (Strg+F)");
  main_->English1Click(main_);
  // The English row names a face of varying width, which the editor does not take.
  EXPECT_EQ(source_->HTMLMemo->Font()->Name(), "FixedSys");
  EXPECT_EQ(source_->SaveBitBtn->Caption(), "Save (F2)");
  EXPECT_EQ(meta_->Label14->Caption(), "Keywords Comma separated");
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
