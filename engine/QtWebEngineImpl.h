// The inside of TQtWebEngine, shared by its two source files: QtWebEngine.cpp (loading,
// commands, the synchronous waits) and QtWebEnginePage.cpp (taking the page out of the engine).
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QUrl>
#include <QVariant>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/CommandState.h"
#include "engine/EngineChannel.h"
#include "engine/EnginePage.h"
#include "engine/PageCapture.h"
#include "engine/QtWebEngine.h"

class QJsonObject;
class QWebEngineLoadingInfo;

namespace kv {

// The editor's script runs in a world of its own; the page's own scripts are off.
constexpr auto kWorld = QWebEngineScript::ApplicationWorld;

class TQtWebEngine::TImpl {
 public:
  TImpl(TQtWebEngine& owner, QWidget* parent);
  ~TImpl();

  TQtWebEngine& Owner;
  QPointer<QWebEngineView> View;
  QPointer<TEnginePage> Page;
  TEngineChannel* Channel = nullptr;
  TCommandState State;
  double StateSequence = -1;
  std::function<void()> OnClick;
  int TimeoutMs = 15000;

  bool Loading = false;
  bool ProcessGone = false;
  bool DocumentShown = false;
  std::string DocumentProblem;  // why no document is shown after a failed load
  bool NavigationPending = false;
  QUrl NavigationTarget;
  std::string NavigationDoctype;  // the DOCTYPE of the file being navigated to
  std::string Doctype;            // the DOCTYPE of the file shown
  THostPath NavigationFile;       // the local file being navigated to
  THostPath ShownFile;            // the local file shown

  // A Load waiting for its page.
  bool LoadActive = false;
  bool LoadDone = false;
  bool LoadSucceeded = false;
  QUrl LoadTarget;

  // The synchronous wait in progress; events for the program wait until it is over.
  QPointer<QEventLoop> ActiveLoop;
  bool Waiting = false;
  bool DeferredNavigateComplete = false;
  bool DeferredClick = false;
  bool DeferredProcessGone = false;
  bool ChangeProbeDue = false;

  std::string Text(std::string_view id, std::initializer_list<std::string_view> args = {}) const {
    return Owner.Text(id, args);
  }
  [[noreturn]] void Fail(const std::string& message) const { throw EEngineError(message); }

  void CheckView() const;
  void CheckDocument() const;
  void CheckNotWaiting(const std::string& activity) const;

  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void OnReport(const QString& json);
  void ApplyState(const QJsonObject& state);
  void RaiseNavigateComplete();
  void RaiseClick();
  void RaiseProcessGone();
  void OnProcessTerminated();
  void RaiseChanged();
  void Wake() {
    if (ActiveLoop) ActiveLoop->quit();
  }

  // Runs the script in the editor's world without waiting.
  void Run(const QString& script);
  // Runs the script and waits for its result (see the class comment).
  QVariant RunAndWait(const QString& script, const std::string& activity);
  void WaitUntil(const std::function<bool()>& done, const std::string& activity);

  void StartLoading(const QUrl& url);
  // Lets a navigation under way end first, so that what follows works on its page.
  void FinishNavigation(const std::string& activity) {
    if (NavigationPending) WaitUntil([this] { return !NavigationPending; }, activity);
  }
  std::string LoadFailure(const QString& page) const;
  TSerializedPage Serialize();
  QString CaptureScript(bool nodeByNode) const {
    return nodeByNode ? QStringLiteral("window.__kv ? window.__kv.capture(true) : null")
                      : QStringLiteral("window.__kv ? window.__kv.capture(false) : null");
  }
  // The capture of an answer of the page script; none when the answer is no text.
  std::optional<TPageCapture> CaptureOf(const QVariant& answer) const;
  // A capture held by the page script, fetched slice by slice (see kv.hold).
  struct THeldCapture {
    int Id = 0;
    qsizetype Length = 0, Received = 0;
    std::vector<QString> Slices;
    std::string Doctype;
    std::function<void(std::optional<TPageCapture>)> Done;
  };
  void FetchSlice(std::shared_ptr<THeldCapture> held);
  void CopySelection(bool cut);
};

}  // namespace kv
