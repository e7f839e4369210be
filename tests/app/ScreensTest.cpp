// Pictures of the page tools in both languages, for looking at them: written only when
// KV_SCREENSHOT_DIR names a folder (run under xvfb-run for the real window system's look).
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdlib>

#include "platform/QtText.h"
#include "tests/app/PageToolsFixture.h"

namespace kv {
namespace {

class Screens : public PageToolsTest {
 protected:
  void Grab(QWidget* w, const std::string& name) {
    QTest::qWait(100);
    const QString path = QString::fromLocal8Bit(std::getenv("KV_SCREENSHOT_DIR")) + "/" +
                         QString::fromStdString(name) + ".png";
    EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
  }
};

TEST_F(Screens, EveryPageToolInBothLanguages) {
  if (!std::getenv("KV_SCREENSHOT_DIR")) GTEST_SKIP() << "KV_SCREENSHOT_DIR is not set";
  StartOn(
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
      "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
      "<TITLE>Vereinsfest &amp; Flohmarkt</TITLE>\r\n"
      "<META NAME=AUTHOR CONTENT=\"&#321;ukasz M\xFCller\">\r\n"
      "<META NAME=GENERATOR CONTENT=\"MSHTML 11.00.10570.1001\">\r\n</HEAD>\r\n<BODY>\r\n"
      "<H1>Sommerfest 2024</H1>\r\n<P>Am <B>Samstag</B> ab 14 Uhr: Kuchen, Musik und "
      "<A href=\"http://www.example.com/plan.html\">Lageplan</A>.</P>\r\n"
      "<TABLE border=1 width=\"100%\"><TR><TD>Stand</TD><TD>Preis</TD></TR></TABLE>\r\n"
      "<!-- Kommentar -->\r\n</BODY>\r\n</HTML>\r\n");
  for (const char* language : {"de", "en"}) {
    if (std::string(language) == "de")
      main_->Deutsch1Click(main_);
    else
      main_->English1Click(main_);
    const std::string suffix = std::string("_") + language;
    Visit([&] { main_->SpeedButton1Click(main_); },
          [&] {
            Grab(source_->Window(), "source" + suffix);
            Press(source_->HTMLMemo->Peer(), Qt::Key_F, Qt::ControlModifier);
            Type(source_->FindDialog1->TextEdit(), "Kuchen");
            Grab(source_->FindDialog1->Dialog(), "find" + suffix);
            // The whole screen, to see where the dialog stands (a real window system only).
            const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
            if (!screen.isNull())
              screen.save(QString::fromLocal8Bit(std::getenv("KV_SCREENSHOT_DIR")) +
                          "/screen_find" + QString::fromStdString(suffix) + ".png");
            QTest::mouseClick(source_->FindDialog1->FindButton(), Qt::LeftButton);
            Grab(source_->Window(), "source_found" + suffix);
            Press(source_->HTMLMemo->Peer(), Qt::Key_Escape);
          });
    Visit([&] { main_->ToolButton8Click(main_); },
          [&] {
            Grab(meta_->Window(), "metatags" + suffix);
            Press(meta_->TitleEdit->Peer(), Qt::Key_Escape);
          });
    Visit([&] { main_->Info2Click(main_); },
          [&] {
            Grab(about_->Window(), "about" + suffix);
            about_->Close();
          });
  }
  // The showcase picks its picture once, by the language at its creation (German here).
  Visit([&] { showcase_->ShowModal(); },
        [&] {
          Grab(showcase_->Window(), "showcase_created_de_now_en");
          showcase_->Close();
        });
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
