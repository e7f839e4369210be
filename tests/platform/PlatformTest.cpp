#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "platform/AppEvents.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FindDialog.h"
#include "platform/FontMap.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/classes/Exception.h"
#include "tests/common/EventLoop.h"

namespace kv {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "platform_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

class Platform : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    app_.OnException = [this](const std::string& m) { errors_.push_back(m); };
  }
  TApplication app_;
  std::vector<std::string> errors_;
};

TEST(Filters, StoredFilterStringsBecomeQtFilters) {
  struct Case {
    const char* stored;
    const char* qt;
  };
  const Case cases[] = {
      {"HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml;*.dhtml|Alle Dateien|*.*",
       "HTML-Dateien (*.htm *.html *.htm *.shtml *.dhtml);;Alle Dateien (*.*)"},
      {"HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml", "HTML-Dateien (*.htm *.html *.htm *.shtml)"},
      {"", ""},
      {"Text|*.txt", "Text (*.txt)"},
  };
  for (const Case& c : cases) EXPECT_EQ(FilterToQt(c.stored), c.qt) << c.stored;
}

TEST(Fonts, WindowsFacesMapToInstalledOnesInOnePlace) {
  App();
  EXPECT_EQ(MapFaceName("Microsoft Sans Serif"), "Liberation Sans");
  EXPECT_EQ(MapFaceName("COURIER NEW"), "Liberation Mono");
  EXPECT_EQ(MapFaceName("FixedSys"), "DejaVu Sans Mono");
  EXPECT_TRUE(IsFixedPitchFace("Courier New"));
  EXPECT_FALSE(IsFixedPitchFace("Tahoma"));
}

// A window whose designed text is overwritten first by loading, then by its creation handler.
class TOrderForm : public TForm {
  KV_DECLARE_CLASS()
  using TForm::TForm;
  std::vector<std::string> Steps;
  TLabel* Label1 = nullptr;

 protected:
  void CreateComponents() override {
    Steps.push_back("design");
    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetCaption("Title");
    Label1->SetParent(this);
    auto* probe = new TProbe(this);
    probe->Form = this;
  }
  void DoCreate() override {
    Steps.push_back("create:" + Label1->Caption());
    TForm::DoCreate();
  }

  struct TProbe : TComponent {
    using TComponent::TComponent;
    TOrderForm* Form = nullptr;
    void Loaded() override {
      Form->Steps.push_back("loaded");
      Form->Label1->SetCaption("Titel");
    }
  };
};
KV_DEFINE_CLASS(TOrderForm, TForm, {})

TEST_F(Platform, FormsAreBuiltThenLoadedThenCreated) {
  auto* form = app_.CreateForm<TOrderForm>(nullptr);
  EXPECT_EQ(form->Steps, (std::vector<std::string>{"design", "loaded", "create:Titel"}));
  EXPECT_EQ(app_.MainForm(), form);
  EXPECT_EQ(form->FindComponent("label1"), form->Label1);
}

TEST_F(Platform, ComboBoxChangesFromCodeAreSilentAndChoicesByTheUserAreNot) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* combo = new TComboBox(form);
  combo->SetParent(form);
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->Items()->SetCommaText("Normal,\"Heading 1\",\"Heading 2\"");
  combo->SetItemIndex(1);
  combo->SetText("Schrift");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "Schrift");
  // Items replaced in place keep the selection, as a translation does.
  combo->SetItemIndex(2);
  combo->Items()->Put(2,
                      "\xDC"
                      "berschrift 2");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(),
            "\xDC"
            "berschrift 2");
  auto* q = static_cast<QComboBox*>(combo->Peer());
  emit q->activated(0);
  EXPECT_EQ(changes, 1);
}

TEST_F(Platform, EditsReportEveryChangeAlsoFromCode) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* edit = new TEdit(form);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetMaxLength(3);
  edit->SetText("12345");  // text set by the program is not cut
  EXPECT_EQ(edit->Text(), "12345");
  EXPECT_EQ(changes, 1);
}

TEST_F(Platform, ShowModalReturnsTheResultOfTheButtonPressed) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->ModalResult = mrOk;
  bool clicked = false;
  ok->OnClick = [&](TObject*) { clicked = true; };
  QTimer::singleShot(0, [ok] { ok->PerformClick(); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_TRUE(clicked);
  QTimer::singleShot(0, [form] { form->Close(); });
  EXPECT_EQ(form->ShowModal(), mrCancel);  // the close box
  auto* abort = new TButton(form);
  abort->ModalResult = mrAbort;
  QTimer::singleShot(0, [abort] { abort->PerformClick(); });
  EXPECT_EQ(form->ShowModal(), mrAbort);
}

TEST_F(Platform, AButtonWhoseHandlerFailsOrAbortsLeavesItsWindowOpen) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* ok = new TButton(form);
  ok->ModalResult = mrOk;
  int failures = 2;
  ok->OnClick = [&](TObject*) {
    if (failures == 2) {
      --failures;
      throw EFCreateError("Datei x kann nicht erstellt werden");
    }
    if (failures == 1) {
      --failures;
      throw EAbort();  // silent
    }
  };
  QTimer::singleShot(0, [&] {
    ok->PerformClick();
    ok->PerformClick();
    EXPECT_TRUE(form->InModal());
    ok->PerformClick();
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(errors_, std::vector<std::string>{"Datei x kann nicht erstellt werden"});
}

TEST_F(Platform, AModalWindowTakesTheKeyboardEveryTimeHoweverItsVisitEnded) {
  auto* owner = app_.CreateForm<TForm>(nullptr);
  owner->Show();
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->ModalResult = mrOk;
  // A failing handler keeps the window open: the result is set only after it succeeded.
  bool fail = true;
  ok->OnClick = [&](TObject*) {
    if (fail) throw EWriteError("Fehler beim Schreiben");
  };
  for (int visit = 0; visit < 3; ++visit) {
    bool active = false;
    QTimer::singleShot(0, [&] {
      active = QTest::qWaitForWindowActive(form->Window());
      ok->PerformClick();
      EXPECT_TRUE(form->Showing());
      fail = false;
      ok->PerformClick();
      fail = true;
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(active) << "visit " << visit;
  }
  EXPECT_EQ(errors_.size(), 3u);
}

TEST_F(Platform, AKeyReachesTheHandlerOfTheFocusedControlOnly) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  std::vector<std::string> seen;
  form->OnKeyDown = [&](TObject*, int&, TShiftState) { seen.push_back("form"); };
  edit->OnKeyDown = [&](TObject*, int&, TShiftState) { seen.push_back("edit"); };
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  edit->SetFocus();
  QTest::keyClick(edit->Peer(), Qt::Key_F2);  // the edit leaves F2 to its parents
  EXPECT_EQ(seen, std::vector<std::string>{"edit"});
  edit->OnKeyDown = nullptr;
  QTest::keyClick(edit->Peer(), Qt::Key_F2);
  EXPECT_EQ(seen, (std::vector<std::string>{"edit", "form"}));
}

TEST_F(Platform, LinksAndPicturesTakeClicksAndFocusedTheEnterKey) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* link = new TLabel(form);
  link->SetCaption("www.example.com");
  link->SetParent(form);
  link->SetFocusable(true);
  auto* picture = new TImage(form);
  picture->SetBounds(0, 40, 20, 20);
  picture->SetHint("Learn more");
  picture->SetParent(form);
  int clicks = 0;
  QTest::mouseClick(link->Peer(), Qt::LeftButton);  // no handler: nothing to do
  link->OnClick = [&](TObject*) { ++clicks; };
  picture->OnClick = [&](TObject*) { clicks += 10; };
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  QTest::mouseClick(link->Peer(), Qt::LeftButton);
  QTest::mouseClick(picture->Peer(), Qt::LeftButton);
  link->SetFocus();
  QTest::keyClick(link->Peer(), Qt::Key_Return);
  EXPECT_EQ(clicks, 12);
  EXPECT_EQ(picture->Peer()->accessibleName(), "Learn more");
}

TEST_F(Platform, EditsKeepEveryCharacterAndLimitOnlyTyping) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* edit = new TEdit(form);
  edit->SetMaxLength(5);
  edit->SetUnicodeText(U"\u0141\u00F3d\u017A \U0001F600 and more");
  EXPECT_EQ(edit->UnicodeText(), U"\u0141\u00F3d\u017A \U0001F600 and more");  // not cut
  edit->SetText("abc");
  EXPECT_EQ(edit->UnicodeText(), U"abc");
  EXPECT_EQ(static_cast<QLineEdit*>(edit->Peer())->maxLength(), 5);
}

TEST_F(Platform, TheFindDialogStaysBesideItsOwnerAndKeepsItsTextAndOptions) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  form->SetBounds(100, 100, 600, 400);
  form->Show();
  auto* find = new TFindDialog(form);
  EXPECT_EQ(find->Options(), frDown);  // the framework's default
  EXPECT_FALSE(find->Showing());
  int found = 0;
  TFindOptions options = 0;
  std::string text;
  find->OnFind = [&](TObject*) {
    ++found;
    options = find->Options();
    text = find->FindText();
  };
  ASSERT_TRUE(find->Execute());
  QDialog* dialog = find->Dialog();
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(find->Showing());
  EXPECT_EQ(dialog->parentWidget(), form->Window());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_FALSE(find->FindButton()->isEnabled());  // nothing to find yet
  find->TextEdit()->setText(QString::fromUtf8("Łódź <b>"));
  find->Dialog()->findChildren<QCheckBox*>()[1]->setChecked(true);     // match case
  find->Dialog()->findChildren<QRadioButton*>()[0]->setChecked(true);  // up
  QTest::mouseClick(find->FindButton(), Qt::LeftButton);
  EXPECT_EQ(found, 1);
  EXPECT_EQ(text,
            "&#321;\xF3"
            "d&#378; <b>");
  EXPECT_EQ(options, frMatchCase | frFindNext);
  // Shown again: the same dialog in front, with the same text and options.
  find->Execute();
  EXPECT_EQ(find->Dialog(), dialog);
  find->CloseDialog();
  EXPECT_FALSE(find->Showing());
  find->Execute();
  EXPECT_EQ(find->FindText(),
            "&#321;\xF3"
            "d&#378; <b>");
  EXPECT_EQ(find->Options() & ~frFindNext, frMatchCase);
  EXPECT_EQ(find->TextEdit()->maxLength(), TFindDialog::MaxFindText);
  // Hidden with its owner.
  form->Hide();
  EXPECT_FALSE(find->Showing());
}

TEST_F(Platform, AWindowScalesItsControlsForAnotherDensity) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  form->SetClientSize(200, 100);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 20, 100, 21);
  form->ScaleBy(144, 96);
  EXPECT_EQ(edit->Left(), 15);
  EXPECT_EQ(edit->Top(), 30);
  EXPECT_EQ(edit->Width(), 150);
  EXPECT_EQ(form->Window()->width(), 300);
  EXPECT_EQ(form->Font()->Height(), -17);  // -11 * 1.5, rounded
}

TEST_F(Platform, EnterInAnEditPressesTheEnabledDefaultButton) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->ModalResult = mrOk;
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  QTimer::singleShot(0, [&] {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit->Peer(), &enter);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(clicks, 1);
  ok->SetEnabled(false);  // a disabled default button does nothing
  QTimer::singleShot(0, [&] {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit->Peer(), &enter);
    form->Close();
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Platform, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* b = new TButton(form);
  b->OnClick = [](TObject*) {
    throw EFOpenError(
        "Datei x kann nicht ge\xF6"
        "ffnet werden");
  };
  b->PerformClick();
  b->PerformClick();
  ASSERT_EQ(errors_.size(), 2u);
  EXPECT_EQ(errors_[0],
            "Datei x kann nicht ge\xF6"
            "ffnet werden");
}

TEST_F(Platform, KeyHandlersSeeKeysBeforeTheirControlAndMayLeaveThemThere) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  std::vector<int> seen;
  edit->OnKeyDown = [&](TObject*, int& key, TShiftState shift) {
    seen.push_back(key + (shift & ssCtrl ? 1000 : 0));
  };
  QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
  QKeyEvent ctrlF(QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(edit->Peer(), &f2);
  QApplication::sendEvent(edit->Peer(), &ctrlF);
  QApplication::sendEvent(edit->Peer(), &esc);
  EXPECT_EQ(seen, (std::vector<int>{VK_F2, 1000 + 'F', VK_ESCAPE}));
}

TEST_F(Platform, TheMessageFilterSeesArrowKeysOfEveryWindowOnce) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* other = app_.CreateForm<TForm>(nullptr);
  auto* edit = new TEdit(other);
  edit->SetParent(other);
  auto* events = new TApplicationEvents(form);
  std::vector<int> keys;
  events->OnMessage = [&](TMsg& msg, bool&) {
    if (msg.message == WM_KEYDOWN) keys.push_back(msg.wParam);
  };
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(edit->Peer(), &up);
  EXPECT_EQ(keys, (std::vector<int>{VK_UP}));
  // Keys pressed one after another at one widget count each, also when Qt builds each press
  // in the same place.
  QTest::keyClick(edit->Peer(), Qt::Key_Down);
  QTest::keyClick(edit->Peer(), Qt::Key_Down);
  QTest::keyClick(edit->Peer(), Qt::Key_Left);
  EXPECT_EQ(keys, (std::vector<int>{VK_UP, VK_DOWN, VK_DOWN, VK_LEFT}));
}

TEST_F(Platform, TheMouseHookSwallowsRightClicksOnTheDocumentSurfaceOnly) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* surface = new TButton(form);
  auto* elsewhere = new TButton(form);
  surface->SetParent(form);
  elsewhere->SetParent(form);
  InstallMouseHook([surface](QObject* target) { return target == surface->Peer(); });
  struct Probe : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::MouseButtonPress) ++presses;
      return false;
    }
  } onSurface, onOther;
  surface->Peer()->installEventFilter(&onSurface);
  elsewhere->Peer()->installEventFilter(&onOther);
  auto rightPress = [](QWidget* w) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::RightButton,
                  Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  };
  rightPress(surface->Peer());
  rightPress(elsewhere->Peer());
  EXPECT_EQ(onSurface.presses, 0);
  EXPECT_EQ(onOther.presses, 1);
  RemoveMouseHook();
}

TEST_F(Platform, MenuItemsAreAddedAndDeletedAtRunTime) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption("Datei");
  menu->Items()->Add(file);
  for (const char* c : {"Open", "New", "Save", "Save as", "Close", "a.html", "b.html"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(c);
    file->Add(item);
  }
  form->SetMenu(menu);
  EXPECT_EQ(file->SubMenu()->actions().size(), 7);
  file->Delete(5);
  EXPECT_EQ(file->Count(), 6);
  EXPECT_EQ(file->Items(5)->Caption(), "b.html");
  EXPECT_EQ(file->SubMenu()->actions().size(), 6);
  int clicks = 0;
  file->Items(5)->OnClick = [&](TObject*) { ++clicks; };
  file->Items(5)->Action()->trigger();
  EXPECT_EQ(clicks, 1);
}

TEST_F(Platform, GroupedToolButtonsKeepOneDown) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* bar = new TToolBar(form);
  std::vector<TToolButton*> group;
  for (int i = 0; i < 3; ++i) {
    auto* b = new TToolButton(form);
    b->SetStyle(TToolButtonStyle::tbsCheck);
    b->SetGrouped(true);
    bar->AddControl(b);
    group.push_back(b);
  }
  group[0]->PerformClick();
  group[2]->PerformClick();
  EXPECT_FALSE(group[0]->Down());
  EXPECT_TRUE(group[2]->Down());
  group[2]->PerformClick();  // clicking the pressed one keeps it down
  EXPECT_TRUE(group[2]->Down());
  for (auto* b : group) b->SetDown(false);  // the program may release all of them
  EXPECT_FALSE(group[2]->Down());
}

TEST_F(Platform, ToolButtonsDoOnTheirAccessibleActionWhatAClickDoes) {
  auto* form = app_.CreateForm<TForm>(nullptr);
  auto* bar = new TToolBar(form);
  bar->SetParent(form);
  std::vector<std::string> clicks;
  auto add = [&](const char* name, TToolButtonStyle style, bool grouped) {
    auto* b = new TToolButton(form);
    b->SetName(name);
    b->SetStyle(style);
    b->SetGrouped(grouped);
    b->SetHint(name);
    b->OnClick = [&clicks, b](TObject*) {
      clicks.push_back(b->Name() + (b->Down() ? " down" : " up"));
    };
    bar->AddControl(b);
    return b;
  };
  TToolButton* bold = add("Bold", TToolButtonStyle::tbsCheck, false);
  TToolButton* left = add("Left", TToolButtonStyle::tbsCheck, true);
  TToolButton* center = add("Center", TToolButtonStyle::tbsCheck, true);
  TToolButton* underline = add("Underline", TToolButtonStyle::tbsButton, false);
  form->Show();
  auto act = [](TToolButton* b) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b->Peer());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->actionInterface(), nullptr);
    const QStringList names = a->actionInterface()->actionNames();
    ASSERT_FALSE(names.isEmpty());
    a->actionInterface()->doAction(names.front());  // "Toggle" or "Press"
  };
  act(bold);
  QTest::mouseClick(bold->Peer(), Qt::LeftButton);
  act(center);
  act(center);  // a grouped button stays down, as on a click
  act(left);
  act(underline);
  EXPECT_TRUE(WaitUntil([&] { return clicks.size() == 6; }, 2000));  // a press is animated
  EXPECT_EQ(clicks, (std::vector<std::string>{"Bold down", "Bold up", "Center down", "Center down",
                                              "Left down", "Underline up"}));
  EXPECT_FALSE(center->Down());

  // A plain button shows a pressed state set by the program, and screen readers hear of it.
  underline->SetDown(true);
  EXPECT_TRUE(underline->Down());
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(underline->Peer())->state().pressed);
  underline->SetDown(false);
  EXPECT_FALSE(underline->Down());
  EXPECT_EQ(clicks.size(), 6u);
}

}  // namespace
}  // namespace kv
