// Forms and the application object. A form is built in the framework's order, the same for
// every window: its designed components with their designed (English) texts, then EndLoading
// (each translation component loads its table and links to the dispatcher, which may rewrite
// the window in German), and only then FormCreate.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

class QApplication;
class QEventLoop;

namespace kv {

class TMainMenu;
class TForm;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TPosition { poDesigned, poDefault, poScreenCenter };
enum class TFormBorderStyle { bsSizeable, bsDialog, bsSingle, bsToolWindow, bsNone };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;

// The screen's density in dots per inch, as the framework's Screen.PixelsPerInch (96 when
// there is no screen).
int ScreenPixelsPerInch();

// The Qt window of a form: a main window whose central widget is the client area.
class TFormWindow : public QMainWindow {
 public:
  explicit TFormWindow(TForm* form);
  QWidget* Client() const { return client_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TForm* form_;
  QWidget* client_;
};

class TForm : public TControl {
  KV_DECLARE_CLASS()
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // Builds the window in the framework's order; TApplication::CreateForm calls it once.
  void Construct();

  QWidget* ClientWidget() const override;
  TFormWindow* Window() const;

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result);
  // Shows the window modally and returns its modal result (closing it counts as mrCancel).
  int ShowModal();
  void Show();
  void Hide();
  void Close();
  bool Showing() const;
  bool InModal() const { return modalLoop_ != nullptr; }

  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  TPosition Position = TPosition::poDefault;
  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  bool StayOnTop = false;
  bool KeyPreview = false;
  // The frame's buttons; biSystemMenu alone leaves the close box only.
  TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
  // Scales the window and its controls (places, sizes, fonts) by multiplier / divider, as a
  // window designed at another screen density does.
  void ScaleBy(int multiplier, int divider);
  void SetClientSize(int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;
  // The window with its frame (title bar and borders), as the framework's Width and Height.
  int OuterWidth() const;
  int OuterHeight() const;
  TControl* ActiveControl() const;
  void SetActiveControl(TControl* control);
  void SetMenu(TMainMenu* menu);
  // Orders Tab through the window's focusable controls by their TabOrder (creation order
  // among equals).
  void ApplyTabOrder();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnResize;
  std::function<void(TObject* sender, TCloseAction& action)> OnClose;

 protected:
  // The designed window: creates and places the components with their designed properties.
  virtual void CreateComponents() {}
  // The window's creation handler (FormCreate); runs after the translation tables are applied.
  virtual void DoCreate();
  void CaptionChanged() override;
  void ColorChanged() override;

 private:
  friend class TFormWindow;
  void WindowShown();
  bool WindowClosing();
  void WindowResized();
  // Enter that no control took presses the window's default button, as in a dialog.
  bool PressDefaultButton();
  int modalResult_ = mrNone;
  QEventLoop* modalLoop_ = nullptr;
  TWindowState windowState_ = TWindowState::wsNormal;
  bool shownOnce_ = false;
};

class TApplication {
 public:
  TApplication();
  ~TApplication();

  // Creates a form once, in the framework's order, and keeps it until the application ends.
  // The first form created becomes the main form.
  template <class F, class... Args>
  F* CreateForm(Args&&... args) {
    F* form = new F(std::forward<Args>(args)...);
    forms_.push_back(form);
    if (!mainForm_) mainForm_ = form;
    form->Construct();
    return form;
  }

  TForm* MainForm() const { return mainForm_; }
  // The one form of class F, or none.
  template <class F>
  F* FindForm() const {
    for (TForm* f : forms_)
      if (auto* found = dynamic_cast<F*>(f)) return found;
    return nullptr;
  }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int index) const { return forms_.at(index); }
  // Shows the main form and runs the message loop until the main form has closed.
  int Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();
  // Frees the forms, last created first.
  void DestroyForms();

  // The framework's standard error box: the error's message, and the program goes on. Tests
  // and headless runs install OnException to see the errors instead of a modal box.
  void HandleException(const std::exception& e);
  std::function<void(const std::string& message)> OnException;

  std::string Title = "KAVELIN";

 private:
  std::vector<TForm*> forms_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

// The one application object; created by the program (or a test) after QApplication.
TApplication* Application();
void SetApplication(TApplication* app);

// Runs the event loop until done() holds (true) or ms milliseconds have passed (false): for
// waiting on what arrives through it, such as the web engine's answers.
bool ProcessMessagesUntil(const std::function<bool()>& done, int ms);

}  // namespace kv
