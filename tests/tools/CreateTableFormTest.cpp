// The table generator as the program builds it (after the main window, linked to its
// dispatcher): its design, the fragment its fields write, the language switch, the refused
// write, and how it closes. Pictures of the window go to screens/ in the build folder.
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "engine/FakeWebEngine.h"
#include "platform/QtText.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "tests/app/AppFixture.h"
#include "tests/common/AsPath.h"
#include "tools/CreateTableForm.h"
#include "translate/Translator.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class TableWindow : public MainFormTest {
 protected:
  // The main window with its first page, then the table generator, as the program starts.
  void StartIn(int language) {
    folder_.Write("Language.ini", language == 2 ? "ENGLISH\r\n" : "GERMAN\r\n");
    main_ = Start([] { return FakeEngineHost(); });
    main_->Show();
    ASSERT_TRUE(WaitFor([&] { return !main_->CurrentFile.IsEmpty(); }));
    table_ = app_->CreateForm<TCreateTableForm>(nullptr);
  }
  void TearDown() override {
    SetAtomicWriteFault(nullptr);
    MainFormTest::TearDown();
  }
  std::string Fragment() const {
    std::string bytes;
    ReadFileBytes(AsPath(table_->FragmentPath()), bytes);
    return bytes;
  }
  // Replaces an edit's text as a user's paste over everything does: one change.
  static void Type(TEdit* edit, const char* text) {
    auto* line = qobject_cast<QLineEdit*>(edit->Peer());
    line->selectAll();
    if (*text)
      line->insert(ToQ(text));
    else
      line->del();
  }
  static void ChooseUnit(TComboBox* box, int index) {
    auto* combo = qobject_cast<QComboBox*>(box->Peer());
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  // Shows the window modally and runs script inside the visit; returns the modal result.
  int Visit(const std::function<void()>& script) {
    QTimer::singleShot(0, [this, script] {
      script();
      if (table_->InModal()) table_->Close();
    });
    return table_->ShowModal();
  }
  static QString AccessibleName(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
  }
  // A combo box's name is its value on this platform; its hint is its description.
  static std::string Described(TControl* c) {
    EXPECT_EQ(c->Peer()->accessibleName(), ToQ(c->Hint()));
    return FromQ(QAccessible::queryAccessibleInterface(c->Peer())->text(QAccessible::Description));
  }
  static void SavePicture(TForm* form, const char* name) {
    const QString dir = QString(KV_BINARY_DIR) + "/screens";
    QDir().mkpath(dir);
    EXPECT_TRUE(form->Window()->grab().save(dir + "/" + name)) << name;
  }

  TMainForm* main_ = nullptr;
  TCreateTableForm* table_ = nullptr;
};

TEST_F(TableWindow, IsBuiltAsDesignedAndReadsInGerman) {
  StartIn(1);
  TCreateTableForm* t = table_;
  EXPECT_EQ(t->Caption(), "KAVELIN");
  EXPECT_EQ(t->Window()->windowTitle(), QStringLiteral("KAVELIN"));
  EXPECT_TRUE(errors_.empty()) << errors_.front();

  struct Place {
    TControl* control;
    int left, top, width, height;
  };
  const Place places[] = {{t->Edit1, 64, 16, 49, 21},      {t->Edit2, 64, 48, 49, 21},
                          {t->Edit3, 64, 80, 49, 21},      {t->Edit4, 64, 112, 49, 21},
                          {t->Edit5, 232, 16, 49, 21},     {t->Edit6, 232, 48, 49, 21},
                          {t->ComboBox1, 128, 80, 73, 21}, {t->OKBitBtn, 341, 8, 97, 25},
                          {t->BitBtn2, 341, 40, 97, 25},   {t->Bevel1, 317, 8, 2, 129}};
  for (const Place& p : places) {
    const QRect r = p.control->Peer()->geometry();
    EXPECT_EQ(r, QRect(p.left, p.top, p.width, p.height)) << p.control->Name();
  }
  // Right-aligned labels keep their right edges when the German captions replace the English.
  struct LabelCase {
    TLabel* label;
    const char* caption;
    int right, top;
    TEdit* names;
  };
  const LabelCase labels[] = {{t->Label1, "Zeilen:", 56, 20, t->Edit1},
                              {t->Label2, "Spalten:", 56, 50, t->Edit2},
                              {t->Label3, "Breite:", 56, 86, t->Edit3},
                              {t->Label4, "Rahmen:", 56, 118, t->Edit4},
                              {t->Label5, "Zellauff\xFChlung:", 224, 18, t->Edit5},
                              {t->Label6, "Zellraum:", 224, 54, t->Edit6}};
  for (const LabelCase& l : labels) {
    EXPECT_EQ(l.label->Caption(), l.caption);
    EXPECT_EQ(l.label->Left() + l.label->Width(), l.right) << l.caption;
    EXPECT_EQ(l.label->Top(), l.top) << l.caption;
    EXPECT_EQ(l.label->Alignment(), TAlignment::taRightJustify);
    EXPECT_TRUE(l.label->Transparent);
    // Screen readers name each edit by its label.
    EXPECT_EQ(FromQ(AccessibleName(l.names->Peer())), l.caption);
  }
  EXPECT_EQ(t->OKBitBtn->Caption(), "OK");
  EXPECT_EQ(t->BitBtn2->Caption(), "Abbrechen");
  EXPECT_EQ(t->ComboBox1->Items()->GetCommaText(), "Prozent,Pixel");
  EXPECT_EQ(t->ComboBox1->ItemIndex(), 0);
  for (TEdit* e : {t->Edit1, t->Edit2, t->Edit3, t->Edit4, t->Edit5, t->Edit6})
    EXPECT_FALSE(e->Text().empty());
  EXPECT_EQ(t->Edit3->Text(), "100");
  EXPECT_EQ(t->OKBitBtn->Hint(),
            "H\xF6"
            "chstens 1000 Zeilen, 1000 Spalten und 100 000 Zellen");
  EXPECT_EQ(Described(t->ComboBox1), "Einheit der Breite");
  EXPECT_TRUE(t->OKBitBtn->Default());
  EXPECT_EQ(t->Font()->Name(), "Microsoft Sans Serif");
  EXPECT_EQ(t->Font()->Size(), 8);
  EXPECT_EQ(t->BorderStyle, TFormBorderStyle::bsToolWindow);
  EXPECT_EQ(t->Position, TPosition::poScreenCenter);
  EXPECT_FALSE(FileExists(AsPath(t->FragmentPath())));  // nothing written before a change

  // Shown: the client area as designed, centred, Tab from the rows through the buttons.
  Visit([&] {
    EXPECT_EQ(t->ClientWidth(), 450);
    EXPECT_EQ(t->ClientHeight(), 141);
    EXPECT_TRUE(t->Window()->windowFlags() & Qt::Tool);
    const QRect screen = t->Window()->screen()->availableGeometry();
    EXPECT_LE((t->Window()->geometry().center() - screen.center()).manhattanLength(), 4);
    std::vector<QWidget*> order;
    QWidget* w = t->Edit1->Peer();
    for (int i = 0; i < 9; ++i) {
      order.push_back(w);
      do w = w->nextInFocusChain();
      while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(t->Window()) || w->focusProxy());
    }
    const std::vector<QWidget*> expected = {
        t->Edit1->Peer(),     t->Edit2->Peer(),    t->Edit3->Peer(),
        t->Edit4->Peer(),     t->Edit5->Peer(),    t->Edit6->Peer(),
        t->ComboBox1->Peer(), t->OKBitBtn->Peer(), t->BitBtn2->Peer()};
    EXPECT_EQ(order, expected);
    SavePicture(t, "table_german.png");
  });
}

TEST_F(TableWindow, EveryChangeWritesTheFragmentAndInvalidValuesDisableOk) {
  StartIn(2);
  TCreateTableForm* t = table_;
  const std::string header100 =
      "<table width=100% border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\r\n";
  const std::string cell11 = "  <tr>\r\n    <td>\r\n      Tablefield11\r\n    </td>\r\n  </tr>\r\n";
  struct Step {
    std::function<void()> change;
    bool okEnabled;
    std::string fragment;  // what the file holds afterwards
  };
  const Step steps[] = {
      // The initial values, confirmed at once: seven lines.
      {[&] { t->OKBitBtn->PerformClick(); }, true, header100 + cell11 + "</table>\r\n"},
      {[&] { ChooseUnit(t->ComboBox1, 1); }, true,
       "<table width=100 border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\r\n" + cell11 +
           "</table>\r\n"},
      {[&] { ChooseUnit(t->ComboBox1, 0); }, true, header100 + cell11 + "</table>\r\n"},
      {[&] { Type(t->Edit1, "0"); }, true, header100 + "</table>\r\n"},
      {[&] { Type(t->Edit1, "abc"); }, false, header100 + "</table>\r\n"},
      {[&] { Type(t->Edit1, "2147483648"); }, false, header100 + "</table>\r\n"},
      {[&] { Type(t->Edit1, ""); }, false, header100 + "</table>\r\n"},
      {[&] { Type(t->Edit1, " 1 "); }, true, header100 + cell11 + "</table>\r\n"},
      {[&] { Type(t->Edit2, "0"); }, true, header100 + "  <tr>\r\n  </tr>\r\n</table>\r\n"},
      {[&] { Type(t->Edit2, "1001"); }, false, header100 + "  <tr>\r\n  </tr>\r\n</table>\r\n"},
      {[&] { Type(t->Edit2, "1"); }, true, header100 + cell11 + "</table>\r\n"},
      {[&] { Type(t->Edit4, " 5 "); }, true,
       "<table width=100% border=\"5\" cellpadding=\"0\" cellspacing=\"0\">\r\n" + cell11 +
           "</table>\r\n"},
  };
  Visit([&] { SavePicture(t, "table_english_start.png"); });
  for (size_t i = 0; i < std::size(steps); ++i) {
    steps[i].change();
    EXPECT_EQ(t->OKBitBtn->Enabled(), steps[i].okEnabled) << "step " << i;
    EXPECT_EQ(Fragment(), steps[i].fragment) << "step " << i;
  }
  // Size bound: 317 x 317 are more than 100 000 cells; the hint says why OK is off.
  Type(t->Edit1, "317");
  Type(t->Edit2, "317");
  EXPECT_FALSE(t->OKBitBtn->Enabled());
  EXPECT_EQ(t->OKBitBtn->Hint(), "At most 1000 rows, 1000 columns and 100 000 cells");
  // Row 1, column 12 and row 11, column 2 both end in 112.
  Type(t->Edit1, "11");
  Type(t->Edit2, "12");
  EXPECT_TRUE(t->OKBitBtn->Enabled());
  const std::string text = Fragment();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 11 * (2 + 12 * 3));
  size_t count = 0;
  for (size_t at = text.find("Tablefield112\r\n"); at != std::string::npos;
       at = text.find("Tablefield112\r\n", at + 1))
    ++count;
  EXPECT_EQ(count, 2u);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(TableWindow, ALanguageSwitchLeavesNoUnitAndGermanResetsTheFields) {
  StartIn(2);
  TCreateTableForm* t = table_;
  EXPECT_EQ(t->ComboBox1->Items()->GetCommaText(), "Percent,Pixel");
  Type(t->Edit1, "5");
  Type(t->Edit2, "3");
  ChooseUnit(t->ComboBox1, 0);

  main_->Deutsch1->Click();
  // The German table sets the six fields back, each change writing the fragment, and the new
  // unit list leaves no unit selected.
  EXPECT_EQ(t->Edit1->Text(), "1");
  EXPECT_EQ(t->Edit2->Text(), "1");
  EXPECT_EQ(t->ComboBox1->Items()->GetCommaText(), "Prozent,Pixel");
  EXPECT_EQ(t->ComboBox1->ItemIndex(), -1);
  EXPECT_EQ(t->ComboBox1->Text(), "ComboBox1");
  EXPECT_NE(Fragment().find("  <tr>\r\n    <td>\r\n      Tabellenfeld11\r\n    </td>\r\n  </tr>\r\n"
                            "</table>\r\n"),
            std::string::npos);
  t->OKBitBtn->PerformClick();
  EXPECT_EQ(Fragment().rfind("<table width=100 border", 0), 0u) << Fragment();
  EXPECT_EQ(t->Caption(), "CreateTableForm");  // the table's caption replaces the product's
  EXPECT_EQ(Described(t->ComboBox1), "Einheit der Breite");

  // English keeps the fields as they are; the unit list is replaced again, with no unit.
  ChooseUnit(t->ComboBox1, 0);
  Type(t->Edit1, "4");
  main_->English1->Click();
  EXPECT_EQ(t->Edit1->Text(), "4");
  EXPECT_EQ(t->ComboBox1->Items()->GetCommaText(), "Percent,Pixel");
  EXPECT_EQ(t->ComboBox1->ItemIndex(), -1);
  EXPECT_EQ(t->Label1->Caption(), "Rows:");
  EXPECT_EQ(t->OKBitBtn->Hint(), "At most 1000 rows, 1000 columns and 100 000 cells");
  // OK writes what the fields say now, in the language now in force.
  t->OKBitBtn->PerformClick();
  EXPECT_NE(Fragment().find("<table width=100 border"), std::string::npos);
  EXPECT_NE(Fragment().find("Tablefield41\r\n"), std::string::npos);
  Visit([&] { SavePicture(t, "table_english.png"); });
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(TableWindow, ARefusedWriteIsShownOncePerVisitAndOkReturnsWithAGoodWrite) {
  StartIn(1);
  TCreateTableForm* t = table_;
  // The document's folder is gone, and a file stands where it was.
  const fs::path dir = main_->DocDir.Sys();
  const fs::path moved = dir.parent_path().string() + "_away";
  fs::rename(dir, moved);
  ASSERT_TRUE(WriteFileBytes(THostPath::FromSys(dir.parent_path()), "not a folder"));

  const int result = Visit([&] {
    Type(t->Edit1, "2");
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find("KAVELIN_acttable.html"), std::string::npos) << errors_[0];
    EXPECT_FALSE(t->OKBitBtn->Enabled());
    Type(t->Edit1, "3");
    Type(t->Edit2, "2");
    EXPECT_EQ(errors_.size(), 1u);  // no message per keystroke
    EXPECT_FALSE(t->OKBitBtn->Enabled());

    DeleteFileIfExists(THostPath::FromSys(dir.parent_path()));
    fs::rename(moved, dir);
    Type(t->Edit1, "4");
    EXPECT_TRUE(t->OKBitBtn->Enabled());
    EXPECT_NE(Fragment().find("Tabellenfeld42\r\n"), std::string::npos);
    // OK while the writer refuses: the window stays open, without a second message.
    SetAtomicWriteFault([](const std::string&) { return std::string("disk full"); });
    QTest::mouseClick(t->OKBitBtn->Peer(), Qt::LeftButton);
    EXPECT_TRUE(t->InModal());
    EXPECT_FALSE(t->OKBitBtn->Enabled());
    EXPECT_EQ(errors_.size(), 1u);
    SetAtomicWriteFault(nullptr);
    Type(t->Edit2, "1");
    QTest::mouseClick(t->OKBitBtn->Peer(), Qt::LeftButton);
  });
  EXPECT_EQ(result, mrOk);

  // A new visit shows a refused write once more; here the writer itself refuses.
  SetAtomicWriteFault([](const std::string& p) {
    return p.ends_with("KAVELIN_acttable.html") ? std::string("disk full") : std::string();
  });
  Visit([&] {
    Type(t->Edit1, "5");
    Type(t->Edit1, "6");
  });
  ASSERT_EQ(errors_.size(), 2u);
  EXPECT_NE(errors_[1].find("disk full"), std::string::npos) << errors_[1];
  EXPECT_FALSE(t->OKBitBtn->Enabled());
  // Refused while hidden (a language switch), it is tried again when the window opens.
  SetAtomicWriteFault(nullptr);
  EXPECT_EQ(Visit([&] { EXPECT_TRUE(t->OKBitBtn->Enabled()); }), mrCancel);
  EXPECT_NE(Fragment().find("Tabellenfeld61\r\n"), std::string::npos);
}

TEST_F(TableWindow, EscDoesNothingTheCloseBoxCancelsAbortAbortsEnterConfirms) {
  StartIn(2);
  TCreateTableForm* t = table_;
  int result = Visit([&] {
    QTest::keyClick(t->Edit1->Peer(), Qt::Key_Escape);
    EXPECT_TRUE(t->InModal());
  });
  EXPECT_EQ(result, mrCancel);  // the close box
  EXPECT_EQ(Visit([&] { t->BitBtn2->PerformClick(); }), mrAbort);
  EXPECT_FALSE(FileExists(AsPath(t->FragmentPath())));  // nothing changed, nothing written
  EXPECT_EQ(Visit([&] { QTest::keyClick(t->Edit3->Peer(), Qt::Key_Return); }), mrOk);
  EXPECT_TRUE(FileExists(AsPath(t->FragmentPath())));  // OK writes even without a change
  // Enter does nothing while OK is off.
  Type(t->Edit1, "x");
  EXPECT_EQ(Visit([&] { QTest::keyClick(t->Edit3->Peer(), Qt::Key_Return); }), mrCancel);
}

}  // namespace
}  // namespace kv
