// Pictures of every window in both languages, and of Qt's own dialogs in German, for a person
// to look at (KV_SCREENSHOT_DIR; run under xvfb-run for a real window system's look). The drop-
// down lists are checked on every run: a list narrower than its longest entry cuts it off.
#include <QAbstractItemView>
#include <QDialog>

#include "platform/FindDialog.h"
#include "tests/app_document/UserScenario.h"
#include "tests/common/Screenshot.h"

namespace kv {
namespace {

// Each combo box of the window, its list opened as a click does, shows its widest entry whole.
void ExpectListsShowTheirLongestEntry(QWidget* window, const std::string& where) {
  for (QComboBox* combo : window->findChildren<QComboBox*>()) {
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(WaitUntil([&] { return list->isVisible(); }));
    const int widest = list->sizeHintForColumn(0);
    EXPECT_GE(list->viewport()->width(), widest)
        << where << ": the list with \"" << combo->itemText(0).toStdString()
        << "\" cuts off its entries";
    combo->hidePopup();
    ASSERT_TRUE(WaitUntil([&] { return !list->isVisible(); }));
  }
}

TEST_F(UserScenario, DropDownListsShowTheirLongestEntryInBothLanguages) {
  TMainForm* f = StartProgram();
  for (TMenuItem* language : {f->Deutsch1, f->English1}) {
    input::ChooseMenu(Bar(), language->Action());
    ExpectListsShowTheirLongestEntry(f->Window(), language->Name() + " main window");
    input::WhenShown(table_, [&] {
      ExpectListsShowTheirLongestEntry(table_->Window(), language->Name() + " table window");
      input::Click(table_->BitBtn2->Peer());
    });
    input::Click(f->ToolButton25->Peer());
  }
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(UserScenario, PicturesOfEveryWindow) {
  if (!ScreenshotsWanted()) GTEST_SKIP() << "KV_SCREENSHOT_DIR is not set";
  TMainForm* f = StartProgram();
  HeadingAndParagraph("Sommerfest", "Am Samstag ab 14 Uhr: Kuchen und Musik");
  if (HasFatalFailure()) return;
  auto* blockFormat = static_cast<QComboBox*>(f->BlockFormatCombo->Peer());

  for (const char* code : {"de", "en"}) {
    const bool german = std::string(code) == "de";
    input::ChooseMenu(Bar(), (german ? f->Deutsch1 : f->English1)->Action());
    const std::string suffix = std::string("_") + code;
    Screenshot(f->Window(), "main" + suffix);
    blockFormat->showPopup();
    ASSERT_TRUE(WaitUntil([&] { return blockFormat->view()->isVisible(); }));
    Screenshot(blockFormat->view()->window(), "blockformat_list" + suffix);
    blockFormat->hidePopup();

    input::WhenShown(source_, [&] {
      Screenshot(source_->Window(), "source" + suffix);
      input::Press(source_->HTMLMemo->Peer(), Qt::Key_F, Qt::ControlModifier);
      input::Type(source_->FindDialog1->TextEdit(), "Kuchen");
      Screenshot(source_->FindDialog1->Dialog(), "find" + suffix);
      source_->FindDialog1->Dialog()->close();
      input::Press(source_->HTMLMemo->Peer(), Qt::Key_Escape);
    });
    input::Click(f->SpeedButton1->Peer());

    input::WhenShown(meta_, [&] {
      Screenshot(meta_->Window(), "metatags" + suffix);
      input::Press(meta_->TitleEdit->Peer(), Qt::Key_Escape);
    });
    input::Click(f->ToolButton8->Peer());

    input::WhenShown(table_, [&] {
      Screenshot(table_->Window(), "table" + suffix);
      input::Click(table_->BitBtn2->Peer());
    });
    input::Click(f->ToolButton25->Peer());

    input::WhenShown(about_, [&] {
      Screenshot(about_->Window(), "about" + suffix);
      about_->Close();
    });
    input::ChooseMenu(Bar(), f->Info2->Action());
  }

  // The showcase picks its picture by the language at its creation: one of each.
  for (const char* code : {"de", "en"}) {
    input::ChooseMenu(Bar(), (std::string(code) == "de" ? f->Deutsch1 : f->English1)->Action());
    auto* showcase = Application()->CreateForm<TWerbungForm>(nullptr);
    input::WhenShown(showcase, [&] {
      Screenshot(showcase->Window(), std::string("showcase_") + code);
      showcase->Close();
    });
    showcase->ShowModal();
  }

  // Qt's own dialogs, in German.
  input::ChooseMenu(Bar(), f->Deutsch1->Action());
  ResetDialogService();
  input::WhenDialog([](QWidget* dialog) {
    Screenshot(dialog, "qt_open_de");
    static_cast<QDialog*>(dialog)->reject();
  });
  f->OpenDialog1->Execute();
  input::WhenDialog([](QWidget* dialog) {
    Screenshot(dialog, "qt_colour_de");
    static_cast<QDialog*>(dialog)->reject();
  });
  f->ColorDialog1->Execute();
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
