// Input as a person gives it: key presses on the focused control of the active window, mouse
// clicks on the real buttons, combo box entries picked from the opened list, menu entries
// clicked in the opened menu. Every wait is on a condition, never a fixed time.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/Controls.h"
#include "tests/common/EventLoop.h"

namespace kv::input {

// Makes target's window active and gives target the keyboard.
inline bool Focus(QWidget* target) {
  QWidget* window = target->window();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window, 20000)) return false;
  target->setFocus(Qt::OtherFocusReason);
  return WaitUntil([&] { return QApplication::focusWidget() == target; }, 20000);
}

inline void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  if (QApplication::focusWidget() != target) {
    EXPECT_TRUE(Focus(target)) << "no keyboard focus";
  }
  QTest::keyClick(target, key, modifiers);
}

// One key event pair per character, with the character as its text: QTest's own typing knows
// Latin-1 only, and a user types "Ł" as well.
inline void Type(QWidget* target, const QString& text) {
  if (QApplication::focusWidget() != target) {
    EXPECT_TRUE(Focus(target)) << "no keyboard focus";
  }
  for (char32_t code : text.toUcs4()) {
    const QString one = QString::fromUcs4(&code, 1);
    int key = Qt::Key_unknown;
    if (code < 0x80 && QChar(static_cast<char16_t>(code)).isLetterOrNumber())
      key = QChar(static_cast<char16_t>(code)).toUpper().unicode();
    else if (code == U' ')
      key = Qt::Key_Space;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, one);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, one);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  }
}

// Replaces the whole text of an edit field as a user does: select all, then type.
inline void Retype(QWidget* edit, const QString& text) {
  Press(edit, Qt::Key_A, Qt::ControlModifier);
  Type(edit, text);
}

inline void Click(QWidget* target) {
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
}

// Opens the combo box's list and clicks the entry with that text.
inline bool Pick(QComboBox* combo, const QString& entry) {
  const int index = combo->findText(entry);
  if (index < 0) return false;
  combo->showPopup();
  QAbstractItemView* list = combo->view();
  if (!WaitUntil([&] { return list->isVisible(); }, 20000)) return false;
  const QRect item = list->visualRect(list->model()->index(index, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
  return WaitUntil([&] { return !list->isVisible(); }, 20000) && combo->currentIndex() == index;
}

// The menu that holds the action, opened from the menu bar as a click on its title does.
inline QMenu* OpenMenuOf(QMenuBar* bar, QAction* action) {
  for (QAction* title : bar->actions()) {
    QMenu* menu = title->menu();
    if (!menu || !menu->actions().contains(action)) continue;
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(title).center());
    if (!WaitUntil([&] { return menu->isVisible(); }, 20000)) return nullptr;
    return menu;
  }
  return nullptr;
}

// Clicks a menu entry: its menu opened from the bar, then the entry. What the entry starts
// (a modal window) runs inside this call, as it does for the user.
inline void ChooseMenu(QMenuBar* bar, QAction* action) {
  QMenu* menu = OpenMenuOf(bar, action);
  ASSERT_NE(menu, nullptr) << "no open menu holds " << action->text().toStdString();
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
}

// Runs steps inside the form's modal loop the next time it is shown, once it has the keyboard.
// Posted from its showing: a hand-off may run the event loop itself (the engine saving) before
// the window opens, and steps waiting underneath would hold that up.
inline void WhenShown(TForm* form, std::function<void()> steps) {
  auto pending = std::make_shared<std::function<void()>>(std::move(steps));
  const auto original = form->OnShow;
  form->OnShow = [original, pending](TObject* sender) {
    if (original) original(sender);
    if (!*pending) return;  // an earlier visit's steps, already run
    std::function<void()> run = std::move(*pending);
    *pending = nullptr;
    QTimer::singleShot(0, [run] {
      const bool active = WaitUntil(
          [] {
            return QApplication::activeModalWidget() &&
                   QApplication::activeModalWidget()->isActiveWindow();
          },
          60000);
      EXPECT_TRUE(active) << "the window never became active";
      SafeCall(run);
    });
  };
}

// Runs steps on the next of Qt's own modal dialogs (a file or colour dialog) once it is active;
// the call that opens it follows at once.
inline void WhenDialog(std::function<void(QWidget*)> steps) {
  QTimer::singleShot(0, [steps = std::move(steps)] {
    const bool active = WaitUntil(
        [] {
          return QApplication::activeModalWidget() &&
                 QApplication::activeModalWidget()->isActiveWindow();
        },
        60000);
    EXPECT_TRUE(active) << "the dialog never became active";
    if (active) steps(QApplication::activeModalWidget());
  });
}

}  // namespace kv::input
