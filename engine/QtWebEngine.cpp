#include "engine/QtWebEngine.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <map>

#include "engine/CommandState.h"
#include "engine/Doctype.h"
#include "engine/EditorScript.h"
#include "engine/EngineChannel.h"
#include "engine/EnginePage.h"
#include "engine/PageCapture.h"
#include "engine/QtWebEngineImpl.h"
#include "platform/Controls.h"
#include "platform/QtText.h"
#include "platform/classes/Graphics.h"
#include "support/AnsiCase.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"

namespace kv {

namespace {

// A JavaScript string literal holding text.
QString JsString(const QString& text) {
  QString json = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
  return json.mid(1, json.size() - 2);
}

// The engine's command name for each name the program may send, looked up ignoring case.
const std::map<std::string, std::string>& KnownCommands() {
  static const std::map<std::string, std::string> commands = {
      {"BACKCOLOR", "backColor"},
      {"BOLD", "bold"},
      {"CREATELINK", "createLink"},
      {"DELETE", "delete"},
      {"FONTNAME", "fontName"},
      {"FONTSIZE", "fontSize"},
      {"FORECOLOR", "foreColor"},
      {"FORMATBLOCK", "formatBlock"},
      {"FORWARDDELETE", "forwardDelete"},
      {"HILITECOLOR", "hiliteColor"},
      {"INDENT", "indent"},
      {"INSERTHORIZONTALRULE", "insertHorizontalRule"},
      {"INSERTHTML", "insertHTML"},
      {"INSERTIMAGE", "insertImage"},
      {"INSERTORDEREDLIST", "insertOrderedList"},
      {"INSERTPARAGRAPH", "insertParagraph"},
      {"INSERTTEXT", "insertText"},
      {"INSERTUNORDEREDLIST", "insertUnorderedList"},
      {"ITALIC", "italic"},
      {"JUSTIFYCENTER", "justifyCenter"},
      {"JUSTIFYFULL", "justifyFull"},
      {"JUSTIFYLEFT", "justifyLeft"},
      {"JUSTIFYRIGHT", "justifyRight"},
      {"OUTDENT", "outdent"},
      {"REDO", "redo"},
      {"REMOVEFORMAT", "removeFormat"},
      {"SELECTALL", "selectAll"},
      {"STRIKETHROUGH", "strikeThrough"},
      {"SUBSCRIPT", "subscript"},
      {"SUPERSCRIPT", "superscript"},
      {"UNDERLINE", "underline"},
      {"UNDO", "undo"},
      {"UNLINK", "unlink"},
  };
  return commands;
}

// The file address made of the path's bytes, percent-encoded, so that the engine reaches the
// very file whatever the locale and whether or not the bytes are UTF-8.
QUrl FileAddressOf(const THostPath& path) {
  const std::string address = FileUrl(path);
  return QUrl::fromEncoded(QByteArray(address.data(), static_cast<qsizetype>(address.size())));
}

// A text that names a page by address rather than by path: a scheme of two letters or more
// ("about:", "file:", "http:"); "C:" is a drive.
bool IsAddress(const std::string& text) {
  std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    char c = text[i];
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!ok) return false;
  }
  return true;
}

TVariant VariantFromJson(const QJsonValue& value) {
  switch (value.type()) {
    case QJsonValue::Bool:
      return TVariant(value.toBool());
    case QJsonValue::Double:
      return TVariant(static_cast<std::int64_t>(value.toDouble()));
    case QJsonValue::String:
      return TVariant(FromQ(value.toString()));
    default:
      return TVariant();
  }
}

}  // namespace

std::string TQtWebEngine::TImpl::LoadFailure(const QString& page) const {
  return Text("Engine.PageNotLoaded", {FromQ(page)});
}

TQtWebEngine::TImpl::TImpl(TQtWebEngine& owner, QWidget* parent) : Owner(owner) {
  View = new QWebEngineView(parent);
  Page = new TEnginePage(View);
  View->setPage(Page);
  // The engine shows no menu of its own; the program's mouse filter keeps right clicks away
  // from the document as well.
  View->setContextMenuPolicy(Qt::NoContextMenu);

  QWebEngineSettings* settings = Page->settings();
  settings->setDefaultTextEncoding(QStringLiteral("windows-1252"));
  // A page's own scripts do not run while it is edited: they could change the document, and
  // the next save would write their changes into the user's file. The editor's script runs
  // in its own world, which this does not affect.
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, true);

  Channel = new TEngineChannel(Page);
  Channel->OnReport = [this](const QString& json) { OnReport(json); };
  auto* webChannel = new QWebChannel(Page);
  webChannel->registerObject(QString::fromLatin1(EditorChannelObjectName), Channel);
  Page->setWebChannel(webChannel, kWorld);

  QString source = EditorPageScript();
  if (!source.isEmpty()) {
    QWebEngineScript script;
    script.setName(QStringLiteral("kavelin-editor"));
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(kWorld);
    script.setRunsOnSubFrames(false);
    Page->scripts().insert(script);
  }

  QObject::connect(Page, &QWebEnginePage::loadingChanged, Page,
                   [this](const QWebEngineLoadingInfo& info) { OnLoadingChanged(info); });
  QObject::connect(
      Page, &QWebEnginePage::renderProcessTerminated, Page,
      [this](QWebEnginePage::RenderProcessTerminationStatus, int) { OnProcessTerminated(); });
  QObject::connect(View, &QObject::destroyed, [this] { Wake(); });
}

TQtWebEngine::TImpl::~TImpl() {
  if (Page) Page->disconnect();
  delete View.data();
}

void TQtWebEngine::TImpl::CheckView() const {
  if (!View || !Page) Fail(Text("Engine.Unavailable"));
}

void TQtWebEngine::TImpl::CheckDocument() const {
  CheckView();
  if (ProcessGone) Fail(Text("Engine.ProcessEnded"));
  if (!DocumentShown) Fail(DocumentProblem.empty() ? Text("Engine.NoPage") : DocumentProblem);
}

void TQtWebEngine::TImpl::CheckNotWaiting(const std::string& activity) const {
  if (Waiting) Fail(Text("Engine.Busy", {activity}));
}

void TQtWebEngine::TImpl::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
    Loading = true;
    return;
  }
  Loading = false;
  Page->RequestOpen = false;
  const bool succeeded = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
  if (LoadActive) {
    // Only the end of the Load's own page counts, not that of a page it cut short.
    if (info.status() == QWebEngineLoadingInfo::LoadStoppedStatus ||
        !SameUrl(info.url(), LoadTarget))
      return;
    LoadDone = true;
    LoadSucceeded = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
    Wake();
    return;
  }
  // A success ends the navigation wherever a web server redirected it; a failure only when it
  // is that of the page asked for, not of one the navigation cut short.
  if (!NavigationPending || (!succeeded && !SameUrl(info.url(), NavigationTarget))) return;
  NavigationPending = false;
  // A failed navigation shows the engine's error page: it is no document of the user's, and
  // saving it would write it over the user's file.
  DocumentShown = succeeded;
  DocumentProblem = DocumentShown ? std::string() : LoadFailure(info.url().toString());
  Doctype = NavigationDoctype;
  ShownFile = DocumentShown ? NavigationFile : THostPath();
  Wake();  // a Load may be waiting for this navigation to end
  RaiseNavigateComplete();
}

void TQtWebEngine::TImpl::OnProcessTerminated() {
  ProcessGone = true;
  DocumentShown = false;
  Loading = false;
  NavigationPending = false;
  ChangeProbeDue = false;
  ShownFile = {};
  State.Clear();
  Wake();
  // Not from inside the engine's signal: the program answers by loading a page.
  QTimer::singleShot(0, Page, [this] { RaiseProcessGone(); });
}

void TQtWebEngine::TImpl::OnReport(const QString& json) {
  QJsonObject state = QJsonDocument::fromJson(json.toUtf8()).object();
  const QString kind = state.value(QLatin1String("kind")).toString();
  const bool changed = kind == QLatin1String("change") || state.value("changed").toBool();
  if (kind != QLatin1String("change")) ApplyState(state);
  if (changed) RaiseChanged();
  if (kind == QLatin1String("click")) RaiseClick();
}

void TQtWebEngine::TImpl::RaiseChanged() {
  if (Owner.OnContentChanged) SafeCall(Owner.OnContentChanged);
  // The page holds back changes that come close after a report, and its own timers do not
  // run: ask a moment later whether any came.
  if (ChangeProbeDue) return;
  ChangeProbeDue = true;
  QTimer::singleShot(300, Page, [this] {
    Page->runJavaScript(QStringLiteral("window.__kv ? window.__kv.takeChange() : false"), kWorld,
                        [impl = this, page = QPointer<TEnginePage>(Page)](const QVariant& v) {
                          if (!page) return;
                          impl->ChangeProbeDue = false;
                          if (v.toBool()) impl->RaiseChanged();
                        });
  });
}

void TQtWebEngine::TImpl::ApplyState(const QJsonObject& state) {
  // Reports come by two routes (the channel and command results); the newest one wins. The
  // page numbers them by its clock, so a late report of a document already replaced loses too.
  double sequence = state.value(QLatin1String("seq")).toDouble(-1);
  if (sequence <= StateSequence) return;
  StateSequence = sequence;
  for (const char* name :
       {"Bold", "Italic", "Underline", "JustifyLeft", "JustifyCenter", "JustifyRight", "CreateLink",
        "FontSize", "FontName", "ForeColor", "FormatBlock"})
    State.SetReported(name, VariantFromJson(state.value(QLatin1String(name))));
}

void TQtWebEngine::TImpl::RaiseNavigateComplete() {
  if (Waiting) {
    DeferredNavigateComplete = true;
    return;
  }
  if (Owner.OnNavigateComplete) SafeCall(Owner.OnNavigateComplete);
}

void TQtWebEngine::TImpl::RaiseClick() {
  if (Waiting) {
    DeferredClick = true;
    return;
  }
  if (OnClick) SafeCall(OnClick);
}

void TQtWebEngine::TImpl::RaiseProcessGone() {
  if (Waiting) {
    DeferredProcessGone = true;
    return;
  }
  // A load since then has brought a new process.
  if (ProcessGone && Owner.OnProcessGone) SafeCall(Owner.OnProcessGone);
}

void TQtWebEngine::TImpl::Run(const QString& script) {
  Page->runJavaScript(script, kWorld, [](const QVariant&) {});
}

void TQtWebEngine::TImpl::WaitUntil(const std::function<bool()>& done,
                                    const std::string& activity) {
  CheckNotWaiting(activity);
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  deadline.start(TimeoutMs);
  Waiting = true;
  ActiveLoop = &loop;
  // The user's input waits in the queue until the engine has answered: no click or key can
  // start another command in between. A program told to quit runs no event loop any more.
  while (!done() && !ProcessGone && View && deadline.isActive())
    if (loop.exec(QEventLoop::ExcludeUserInputEvents) < 0) break;
  ActiveLoop = nullptr;
  Waiting = false;

  // What arrived during the wait reaches the program now, through the event loop.
  if (DeferredNavigateComplete || DeferredClick || DeferredProcessGone) {
    QTimer::singleShot(0, Page, [this] {
      if (Waiting) return;
      bool navigate = DeferredNavigateComplete, click = DeferredClick, gone = DeferredProcessGone;
      DeferredNavigateComplete = DeferredClick = DeferredProcessGone = false;
      if (navigate) RaiseNavigateComplete();
      if (click) RaiseClick();
      if (gone) RaiseProcessGone();
    });
  }
  if (done()) return;
  CheckView();
  CheckDocument();
  Fail(Text("Engine.NoAnswer", {activity, std::to_string((TimeoutMs + 999) / 1000)}));
}

QVariant TQtWebEngine::TImpl::RunAndWait(const QString& script, const std::string& activity) {
  CheckNotWaiting(activity);
  struct TResult {
    bool Done = false;
    QVariant Value;
  };
  // Shared with the callback, which may come after a timeout, when this frame is gone.
  auto result = std::make_shared<TResult>();
  Page->runJavaScript(script, kWorld,
                      [result, impl = this, page = QPointer<TEnginePage>(Page)](const QVariant& v) {
                        result->Done = true;
                        result->Value = v;
                        if (page) impl->Wake();
                      });
  WaitUntil([&] { return result->Done; }, activity);
  return result->Value;
}

void TQtWebEngine::TImpl::StartLoading(const QUrl& url) {
  ProcessGone = false;
  ChangeProbeDue = false;
  State.Clear();
  Page->RequestOpen = true;
  Page->Requested = url;
  Page->load(url);
}

void TQtWebEngine::TImpl::CopySelection(bool cut) {
  const std::string activity = Text(cut ? "Engine.ActivityCut" : "Engine.ActivityCopy");
  FinishNavigation(activity);
  CheckDocument();
  QVariant answer =
      RunAndWait(QStringLiteral("window.__kv ? window.__kv.selectionForClipboard(%1) : null")
                     .arg(cut ? QStringLiteral("true") : QStringLiteral("false")),
                 activity);
  QVariantMap selection = answer.toMap();
  if (selection.isEmpty()) return;  // nothing selected: the clipboard stays as it is
  auto* data = new QMimeData;
  data->setText(selection.value(QStringLiteral("text")).toString());
  data->setHtml(selection.value(QStringLiteral("html")).toString());
  QApplication::clipboard()->setMimeData(data);
}

// --- TQtWebEngine ---

TQtWebEngine::TQtWebEngine(QWidget* parent) : FImpl(std::make_unique<TImpl>(*this, parent)) {}

TQtWebEngine::~TQtWebEngine() = default;

QWidget* TQtWebEngine::Widget() const {
  return FImpl->View;
}

bool TQtWebEngine::IsDocumentSurface(const QObject* object) {
  if (!object) return false;
  auto* view = qobject_cast<QWebEngineView*>(object->parent());
  return view && view->focusProxy() == object;
}

void TQtWebEngine::SetTimeout(int milliseconds) {
  FImpl->TimeoutMs = std::max(1, milliseconds);
}
int TQtWebEngine::Timeout() const {
  return FImpl->TimeoutMs;
}

void TQtWebEngine::Navigate(const std::string& address) {
  if (!IsAddress(address)) return Navigate(THostPath::FromBytes(address));
  const QUrl url(ToQ(address));
  NavigateTo(url, url.isLocalFile() ? PathFromQ(url.toLocalFile()) : THostPath());
}

void TQtWebEngine::Navigate(const THostPath& file) {
  NavigateTo(FileAddressOf(file), file);
}

void TQtWebEngine::NavigateTo(const QUrl& url, const THostPath& file) {
  FImpl->CheckView();
  FImpl->CheckNotWaiting(Text("Engine.ActivityNavigate"));
  std::string doctype;
  if (!file.IsEmpty()) {
    std::string bytes;
    if (!ReadFileBytes(file, bytes)) throw EFOpenError(FrameworkText::FileOpenError(file));
    doctype = DoctypeOfPage(bytes);
  }
  FImpl->NavigationPending = true;
  FImpl->NavigationFile = file;
  FImpl->NavigationTarget = url;
  FImpl->NavigationDoctype = doctype;
  FImpl->StartLoading(url);
}

bool TQtWebEngine::Busy() const {
  return FImpl->NavigationPending || FImpl->LoadActive || FImpl->Loading || FImpl->Waiting;
}

bool TQtWebEngine::HasDocument() const {
  return FImpl->View && FImpl->Page && !FImpl->ProcessGone && FImpl->DocumentShown;
}

void TQtWebEngine::SetDesignMode(bool on) {
  FImpl->CheckDocument();
  FImpl->Run(on ? QStringLiteral("document.designMode = 'on'; window.__kv && window.__kv.watch();")
                : QStringLiteral("document.designMode = 'off';"));
}

void TQtWebEngine::SetOnClick(std::function<void()> handler) {
  FImpl->CheckView();
  FImpl->OnClick = std::move(handler);
}

void TQtWebEngine::Load(const THostPath& path) {
  FImpl->CheckView();
  const std::string activity = Text("Engine.ActivityLoad");
  FImpl->CheckNotWaiting(activity);
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw EFOpenError(FrameworkText::FileOpenError(path));

  // A navigation under way ends first, so that its completion event is not lost; the event
  // reaches the program after the Load.
  FImpl->FinishNavigation(activity);
  FImpl->LoadTarget = FileAddressOf(path);
  FImpl->LoadActive = true;
  FImpl->LoadDone = false;
  FImpl->LoadSucceeded = false;
  FImpl->StartLoading(FImpl->LoadTarget);
  {
    TScopeGuard inactive([this] { FImpl->LoadActive = false; });
    FImpl->WaitUntil([this] { return FImpl->LoadDone; }, activity);
  }
  FImpl->DocumentShown = FImpl->LoadSucceeded;
  FImpl->DocumentProblem = FImpl->LoadSucceeded ? std::string() : FImpl->LoadFailure(PathToQ(path));
  if (!FImpl->LoadSucceeded) FImpl->Fail(FImpl->DocumentProblem);
  FImpl->Doctype = DoctypeOfPage(bytes);
  FImpl->ShownFile = path;
  // Editable before Load returns, so that the next command already edits, and with the
  // command values of the new page at hand. Changes count from here on.
  const QString editable = QStringLiteral(
      "document.designMode = 'on';"
      "window.__kv ? (window.__kv.watch(), window.__kv.report('load')) : null;");
  const std::string switching = FImpl->Text("Engine.ActivityEdit");
  QVariant state = FImpl->RunAndWait(editable, switching);
  if (state.isNull()) {
    // The editor's script did not reach this document (a page process started under heavy
    // load can miss it): put it in now.
    FImpl->RunAndWait(EditorPageScript() + QStringLiteral("\ntrue;"), switching);
    state = FImpl->RunAndWait(editable, switching);
  }
  FImpl->ApplyState(QJsonObject::fromVariantMap(state.toMap()));
}

void TQtWebEngine::ExecCommand(const std::string& name, bool showUI, const TVariant& value) {
  FImpl->CheckDocument();
  const std::string upper = UpperCaseAscii(name);
  auto known = KnownCommands().find(upper);
  if (known == KnownCommands().end()) FImpl->Fail(Text("Engine.UnknownCommand", {name}));
  std::string command = known->second;
  QString argument = ToQ(value.AsString());

  if (upper == "CREATELINK" || upper == "INSERTIMAGE") {
    if (showUI) {
      const bool link = upper == "CREATELINK";
      std::optional<std::string> answer;
      std::optional<THostPath> picture;
      if (link && AskLinkAddress) {
        answer = AskLinkAddress();
      } else if (!link && AskPictureFile) {
        picture = AskPictureFile();
      } else if (link) {
        bool ok = false;
        QString address = QInputDialog::getText(FImpl->View->window(), QStringLiteral("Hyperlink"),
                                                ToQ(Text("Engine.LinkAddress")), QLineEdit::Normal,
                                                QStringLiteral("http://"), &ok);
        if (ok) answer = FromQ(address);
      } else {
        QString file =
            QFileDialog::getOpenFileName(FImpl->View->window(), ToQ(Text("Engine.PictureTitle")),
                                         QString(), ToQ(Text("Engine.PictureFilter")));
        if (!file.isEmpty()) picture = PathFromQ(file);
      }
      if (link) {
        if (!answer || answer->empty()) return;  // cancelled: the page stays as it is
        argument = ToQ(*answer);
      } else {
        if (!picture || picture->IsEmpty()) return;
        // A picture from disk goes in as its file address, written as the user sees it.
        argument = ToQ(FileAddressForPage(*picture));
      }
    }
    if (argument.isEmpty()) return;
    FImpl->CheckDocument();  // the dialog ran the event loop
  } else if (upper == "FORMATBLOCK") {
    const std::string block = UpperCaseAscii(value.AsString());
    if (block == "<OL>" || block == "OL") {
      command = "insertOrderedList";
    } else if (block == "<UL>" || block == "UL") {
      command = "insertUnorderedList";
    } else if (block.empty()) {
      return;  // no block format chosen
    }
  } else if (upper == "FORECOLOR" || upper == "BACKCOLOR" || upper == "HILITECOLOR") {
    if (value.Kind() == TVariant::TKind::Integer)
      // A system colour (clWindowText ...) stands for the colour it shows now.
      argument =
          QString::fromStdString(ColorToCssHex(ColorToRGB(static_cast<TColor>(value.AsInteger()))));
  } else if (upper == "FONTSIZE") {
    argument = QString::number(value.AsInteger());
  }
  FImpl->Page->runJavaScript(
      QStringLiteral("window.__kv ? window.__kv.exec(%1, %2) : null")
          .arg(JsString(QString::fromStdString(command)), JsString(argument)),
      kWorld, [impl = FImpl.get(), page = QPointer<TEnginePage>(FImpl->Page)](const QVariant& v) {
        if (!page) return;
        QJsonObject answer = QJsonObject::fromVariantMap(v.toMap());
        if (answer.value(QLatin1String("state")).isObject())
          impl->ApplyState(answer.value(QLatin1String("state")).toObject());
      });
}

TVariant TQtWebEngine::QueryCommandValue(const std::string& name) {
  FImpl->CheckDocument();
  return FImpl->State.Value(name, Language());
}

void TQtWebEngine::ExecWB(int command, int /*option*/) {
  FImpl->CheckView();
  if (command == wbPaste) FImpl->FinishNavigation(Text("Engine.ActivityPaste"));
  if (command != wbCut && command != wbCopy) FImpl->CheckDocument();
  switch (command) {
    case wbCut:
      FImpl->CopySelection(true);
      return;
    case wbCopy:
      FImpl->CopySelection(false);
      return;
    case wbPaste: {
      // The clipboard's plain text goes in at the caret, and has landed when this returns: the
      // table insertion saves the page right after pasting its placeholder.
      QString text = QApplication::clipboard()->text();
      if (text.isEmpty()) return;
      QVariant answer = FImpl->RunAndWait(
          QStringLiteral("window.__kv ? window.__kv.exec('insertText', %1) : null")
              .arg(JsString(text)),
          Text("Engine.ActivityPaste"));
      FImpl->ApplyState(QJsonObject::fromVariantMap(answer.toMap().value("state").toMap()));
      return;
    }
    case wbUndo:
      // The engine's own undo history is empty after every load; that is no failure.
      FImpl->Run(QStringLiteral("window.__kv && window.__kv.exec('undo', '');"));
      return;
    default:
      FImpl->Fail(Text("Engine.UnknownCommand", {std::to_string(command)}));
  }
}

void TQtWebEngine::ScrollToText(const std::string& text) {
  if (Busy()) return;
  FImpl->CheckDocument();
  FImpl->Run(
      QStringLiteral("window.__kv && window.__kv.scrollToText(%1);").arg(JsString(ToQ(text))));
}

}  // namespace kv
