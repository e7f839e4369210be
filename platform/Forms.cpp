#include "platform/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/FontMap.h"
#include "platform/Menus.h"
#include "platform/QtText.h"
#include "platform/StdCtrls.h"
#include "platform/classes/Exception.h"
#include "support/CharacterReferences.h"

namespace kv {

namespace {
TApplication* gApplication = nullptr;
}

TApplication* Application() {
  return gApplication;
}
void SetApplication(TApplication* app) {
  gApplication = app;
}

// ---- TFormWindow ------------------------------------------------------------------------------

TFormWindow::TFormWindow(TForm* form) : form_(form), client_(new QWidget(this)) {
  setCentralWidget(client_);
  client_->setAutoFillBackground(true);
}

void TFormWindow::closeEvent(QCloseEvent* event) {
  if (form_->WindowClosing())
    event->accept();
  else
    event->ignore();
}

void TFormWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  form_->WindowShown();
}

void TFormWindow::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      form_->PressDefaultButton()) {
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TFormWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  form_->WindowResized();
}

// ---- TForm ------------------------------------------------------------------------------------

KV_DEFINE_CLASS(TForm, TControl, {})

TForm::TForm(TComponent* owner) : TControl(owner, nullptr) {}

TForm::~TForm() {
  DestroyComponents();
}

TFormWindow* TForm::Window() const {
  return static_cast<TFormWindow*>(Peer());
}

QWidget* TForm::ClientWidget() const {
  return Window() ? Window()->Client() : nullptr;
}

void TForm::Construct() {
  // The peer is made here rather than in the constructor: TControl's constructor cannot call
  // back into TForm, and the window needs the form object complete.
  auto* window = new TFormWindow(this);
  ReplacePeer(window);
  WatchWidget(window->Client());
  window->setWindowTitle(ToQ(Caption()));
  window->setFont(ToQFont(*Font()));
  BeginLoading();
  CreateComponents();
  EndLoading();
  DoCreate();
}

void TForm::DoCreate() {
  if (OnCreate) SafeCall([this] { OnCreate(this); });
}

void TForm::CaptionChanged() {
  if (Window()) Window()->setWindowTitle(ToQ(Caption()));
}

void TForm::ColorChanged() {
  if (!Window()) return;
  QPalette p = Window()->Client()->palette();
  p.setColor(QPalette::Window, ToQColor(Color()));
  Window()->Client()->setPalette(p);
}

void TForm::SetModalResult(int result) {
  modalResult_ = result;
  if (result != mrNone && modalLoop_) modalLoop_->quit();
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!Window() || !Window()->isVisible()) return;
  if (state == TWindowState::wsMaximized)
    Window()->showMaximized();
  else if (state == TWindowState::wsMinimized)
    Window()->showMinimized();
  else
    Window()->showNormal();
}

void TForm::SetClientSize(int width, int height) {
  if (!Window()) return;
  int extra = Window()->menuWidget() ? Window()->menuWidget()->sizeHint().height() : 0;
  Window()->resize(width, height + extra);
  SetBounds(Left(), Top(), width, height + extra);
}

void TForm::ScaleBy(int multiplier, int divider) {
  if (divider <= 0 || multiplier == divider) return;
  const auto scaled = [&](int v) {
    return static_cast<int>(std::lround(static_cast<double>(v) * multiplier / divider));
  };
  // From the window's size: a window not yet shown has not laid out its client area.
  const int menu =
      Window() && Window()->menuWidget() ? Window()->menuWidget()->sizeHint().height() : 0;
  const int width = Window() ? Window()->width() : 0;
  const int height = Window() ? Window()->height() - menu : 0;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(Components(i));
    if (!c) continue;
    c->SetBounds(scaled(c->Left()), scaled(c->Top()), scaled(c->Width()), scaled(c->Height()));
    if (!c->ParentFont()) c->Font()->SetHeight(scaled(c->Font()->Height()));
  }
  Font()->SetHeight(scaled(Font()->Height()));
  SetClientSize(scaled(width), scaled(height));
}

int ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : kPixelsPerInch;
}

int TForm::OuterWidth() const {
  return Window() ? Window()->frameGeometry().width() : 0;
}
int TForm::OuterHeight() const {
  return Window() ? Window()->frameGeometry().height() : 0;
}

int TForm::ClientWidth() const {
  return ClientWidget() ? ClientWidget()->width() : 0;
}
int TForm::ClientHeight() const {
  return ClientWidget() ? ClientWidget()->height() : 0;
}

TControl* TForm::ActiveControl() const {
  QWidget* focus = QApplication::focusWidget();
  for (int i = 0; focus && i < ComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(Components(i));
    if (!c || !c->Peer()) continue;
    if (c->Peer() == focus || c->Peer()->isAncestorOf(focus)) {
      // The innermost control that holds the focus.
      TControl* best = c;
      for (int j = 0; j < ComponentCount(); ++j) {
        auto* d = dynamic_cast<TControl*>(Components(j));
        if (d && d->Peer() && d != best && best->Peer()->isAncestorOf(d->Peer()) &&
            (d->Peer() == focus || d->Peer()->isAncestorOf(focus)))
          best = d;
      }
      return best;
    }
  }
  return nullptr;
}

void TForm::SetActiveControl(TControl* control) {
  if (control) control->SetFocus();
}

void TForm::SetMenu(TMainMenu* menu) {
  if (Window() && menu) Window()->setMenuBar(menu->MenuBar());
}

void TForm::ApplyTabOrder() {
  std::vector<TControl*> stops;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(Components(i));
    if (c && c->Peer() && (c->Peer()->focusPolicy() & Qt::TabFocus)) stops.push_back(c);
  }
  std::stable_sort(stops.begin(), stops.end(),
                   [](const TControl* a, const TControl* b) { return a->TabOrder < b->TabOrder; });
  for (size_t i = 1; i < stops.size(); ++i)
    QWidget::setTabOrder(stops[i - 1]->Peer(), stops[i]->Peer());
}

void TForm::Show() {
  TFormWindow* w = Window();
  if (!w) return;
  Qt::WindowFlags flags = w->windowFlags();
  if (StayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (BorderStyle == TFormBorderStyle::bsToolWindow) flags |= Qt::Tool;
  if (BorderStyle == TFormBorderStyle::bsDialog || BorderStyle == TFormBorderStyle::bsToolWindow)
    flags |= Qt::Dialog;
  if (BorderIcons != (biSystemMenu | biMinimize | biMaximize)) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags &=
        ~(Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    if (BorderIcons & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (BorderIcons & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
    if (BorderIcons & biMaximize) flags |= Qt::WindowMaximizeButtonHint;
  }
  w->setWindowFlags(flags);
  if (BorderStyle != TFormBorderStyle::bsSizeable && windowState_ != TWindowState::wsMaximized)
    w->setFixedSize(w->size());
  if (Position == TPosition::poScreenCenter && w->screen()) {
    QRect s = w->screen()->availableGeometry();
    w->move(s.center() - QPoint(w->width() / 2, w->height() / 2));
  }
  if (windowState_ == TWindowState::wsMaximized) {
    // Without a window manager (a bare X server) maximizing does nothing: cover the screen.
    if (w->screen()) w->setGeometry(w->screen()->availableGeometry());
    w->showMaximized();
  } else {
    w->show();
  }
  w->raise();
  w->activateWindow();
}

void TForm::Hide() {
  if (Window()) Window()->hide();
}

void TForm::Close() {
  if (Window()) Window()->close();
}

bool TForm::Showing() const {
  return Window() && Window()->isVisible();
}

int TForm::ShowModal() {
  TFormWindow* w = Window();
  if (!w || modalLoop_) return mrCancel;
  modalResult_ = mrNone;
  w->setWindowModality(Qt::ApplicationModal);
  Show();
  QEventLoop loop;
  modalLoop_ = &loop;
  if (modalResult_ == mrNone) loop.exec();
  modalLoop_ = nullptr;
  w->hide();
  w->setWindowModality(Qt::NonModal);
  // Ended as a close ends it, with the native window let go: a window merely hidden after its
  // modal loop was never activated again when shown the next time, so it got no keys.
  if (QWindow* native = w->windowHandle()) native->destroy();
  return modalResult_;
}

void TForm::WindowShown() {
  if (OnShow) SafeCall([this] { OnShow(this); });
  // The window got its size on the way to the screen, before it counted as shown: the resize
  // handler lays it out for that size now.
  if (!shownOnce_ && OnResize) SafeCall([this] { OnResize(this); });
  shownOnce_ = true;
}

bool TForm::WindowClosing() {
  if (modalLoop_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    modalLoop_->quit();
    return true;
  }
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) SafeCall([&] { OnClose(this, action); });
  if (action == TCloseAction::caNone) return false;
  if (Application() && Application()->MainForm() == this) Application()->Terminate();
  return true;
}

bool TForm::PressDefaultButton() {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* b = dynamic_cast<TButton*>(Components(i));
    if (b && b->Default() && b->Enabled() && b->Peer() && b->Peer()->isVisible()) {
      b->PerformClick();
      return true;
    }
  }
  return false;
}

void TForm::WindowResized() {
  Realign();
  if (OnResize && shownOnce_) SafeCall([this] { OnResize(this); });
}

// ---- TApplication -----------------------------------------------------------------------------

TApplication::TApplication() {
  SetApplication(this);
}

TApplication::~TApplication() {
  DestroyForms();
  if (gApplication == this) SetApplication(nullptr);
}

int TApplication::Run() {
  if (!mainForm_) return 0;
  QApplication::setQuitOnLastWindowClosed(false);
  mainForm_->Show();
  if (!terminated_) QApplication::exec();
  return 0;
}

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::quit();
}

bool ProcessMessagesUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void TApplication::DestroyForms() {
  while (!forms_.empty()) {
    TForm* f = forms_.back();
    forms_.pop_back();
    if (f == mainForm_) mainForm_ = nullptr;
    delete f;
  }
}

void TApplication::HandleException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;  // the silent error
  std::string message;
  if (auto* k = dynamic_cast<const Exception*>(&e))
    message = k->Message;
  else
    message = Utf8ToPageText(e.what());
  // A message is page text: references (a path's "&#321;") are shown as their characters.
  std::fprintf(stderr, "%s\n", EncodeUtf8(DecodeCharacterReferences(message)).c_str());
  if (OnException) {
    OnException(message);
    return;
  }
  QPointer<QWidget> focus = QApplication::focusWidget();
  QMessageBox box(QMessageBox::Critical, ToQ(Title), ToQ(DecodeCharacterReferences(message)),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
  // The user goes on typing where the error came from (a window manager may not see to it).
  if (focus) {
    focus->activateWindow();
    focus->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace kv
