// The main window and every page tool as the program creates them, over the real web engine,
// with the page's text and the surface that takes the user's keys.
#pragma once

#include <QComboBox>
#include <QMenuBar>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <initializer_list>

#include "tests/app_document/DocumentFixture.h"
#include "tests/common/UserInput.h"
#include "tools/AboutBox.h"
#include "tools/CreateTableForm.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"
#include "tools/WerbungForm.h"

namespace kv {

class UserScenario : public DocumentFlowTest {
 protected:
  // The main window and the page tools in the program's order of creation.
  TMainForm* StartProgram() {
    TMainForm* f = StartReady();
    table_ = Application()->CreateForm<TCreateTableForm>(nullptr);
    source_ = Application()->CreateForm<TQuellcodeForm>(nullptr);
    about_ = Application()->CreateForm<TAboutBox>(nullptr);
    showcase_ = Application()->CreateForm<TWerbungForm>(nullptr);
    meta_ = Application()->CreateForm<TMetaTagForm>(nullptr);
    return f;
  }
  QWidget* Surface() const {
    return static_cast<QWebEngineView*>(form_->WebBrowser1->Peer())->focusProxy();
  }
  QMenuBar* Bar() const { return form_->MainMenu1->MenuBar(); }
  std::string Page() const {
    std::string text;
    if (TWebEngine* doc = form_->GetDocument())
      for (const std::string& line : doc->SaveToLines()) text += line + "\n";
    return text;
  }
  // The page holds all of these and none of those, once the engine has caught up.
  bool PageShows(std::initializer_list<const char*> present,
                 std::initializer_list<const char*> absent = {}) {
    return WaitFor(
        [&] {
          TWebEngine* doc = form_->GetDocument();
          if (!doc || doc->Busy()) return false;
          const std::string page = Page();
          for (const char* p : present)
            if (page.find(p) == std::string::npos) return false;
          for (const char* a : absent)
            if (page.find(a) != std::string::npos) return false;
          return true;
        },
        60000);
  }
  // Keys into the page, which gets them in its own process: wait until they arrived.
  void Keys(const QString& text) {
    QTest::keyClicks(Surface(), text);
    EXPECT_TRUE(PageShows({text.toLatin1().constData()})) << Page();
  }
  // A heading typed and made "Heading 1" in the block format box, then a paragraph below it.
  void HeadingAndParagraph(const QString& heading, const QString& paragraph) {
    Type(heading.toStdString());
    auto* blockFormat = static_cast<QComboBox*>(form_->BlockFormatCombo->Peer());
    ASSERT_TRUE(input::Pick(blockFormat, blockFormat->itemText(1)));
    const std::string h1 = "<H1>" + heading.toStdString() + "</H1>";
    ASSERT_TRUE(PageShows({h1.c_str()})) << Page();
    ASSERT_TRUE(input::Focus(Surface()));
    QTest::keyClick(Surface(), Qt::Key_End);
    QTest::keyClick(Surface(), Qt::Key_Return);
    Keys(paragraph);
  }
  QString Selection() const {
    return static_cast<QWebEngineView*>(form_->WebBrowser1->Peer())->page()->selectedText();
  }
  // The showcase that the close brings, seen and closed as the user does.
  bool CloseAndSeeShowcase(bool english) {
    bool seen = false;
    input::WhenShown(showcase_, [&] {
      seen = true;
      EXPECT_EQ(showcase_->ENImage->Visible(), english);
      EXPECT_EQ(showcase_->DEImage->Visible(), !english);
      showcase_->Close();
    });
    input::ChooseMenu(Bar(), form_->Programmbeenden1->Action());
    return seen;
  }

  TCreateTableForm* table_ = nullptr;
  TQuellcodeForm* source_ = nullptr;
  TAboutBox* about_ = nullptr;
  TWerbungForm* showcase_ = nullptr;
  TMetaTagForm* meta_ = nullptr;
};

}  // namespace kv
