// The main window over the in-process engine with all its dialogs, as the program creates them,
// a page of the test's own in a folder of its own, and the desktop's opener replaced by a
// recorder. Visits to the modal windows run the test's steps inside the window's loop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/FakeWebEngine.h"
#include "tests/app/AppFixture.h"
#include "tools/AboutBox.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"
#include "tools/WerbungForm.h"

class QWidget;

namespace kv {

class PageToolsTest : public MainFormTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes page (its bytes) as folder/site/page.html and starts the program on it; the dialogs
  // are created in the program's order. Returns once the page is open.
  TMainForm* StartOn(const std::string& page);
  std::string PagePath() const { return folder_.Dir() + "site/page.html"; }
  std::string DocFile(const char* name) const { return (main_->DocDir + name).Bytes(); }

  // Runs the hand-off; steps run once the window is shown (inside its modal loop). Errors land
  // in errors_.
  void Visit(const std::function<void()>& handOff, const std::function<void()>& steps);
  // Waits until the engine shows a page of that address.
  bool WaitForPage(const std::string& address);

  // Key presses as a user makes them: the target's window active and the target focused.
  static void Focus(QWidget* target);
  static void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  static void Type(QWidget* target, const QString& text);

  // A way to leave a dialog without OK, and the modal result it gives.
  struct TLeaveCase {
    const char* name;
    std::function<void()> leave;
    int result;
  };
  // Each way of leaving, after the steps (which edit something), with and without an earlier
  // snapshot: the visit gives the case's result, the file named by guarded is as it was when
  // the window opened, the earlier snapshot (or none) is back, and the page is not reloaded.
  void ExpectLeavingChangesNothing(const std::vector<TLeaveCase>& cases,
                                   const std::function<void()>& handOff,
                                   const std::function<void()>& steps, TForm* window,
                                   const std::string& guarded);

  static std::string FileText(const std::string& path);
  static std::string ReadOr(const std::string& path, const std::string& missing);

  TMainForm* main_ = nullptr;
  TFakeWebEngine* engine_ = nullptr;
  TQuellcodeForm* source_ = nullptr;
  TAboutBox* about_ = nullptr;
  TWerbungForm* showcase_ = nullptr;
  TMetaTagForm* meta_ = nullptr;
  std::vector<std::vector<std::string>> opened_;  // what the desktop's opener was asked
};

}  // namespace kv
