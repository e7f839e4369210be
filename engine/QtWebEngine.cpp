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
#include "engine/PageSerializer.h"
#include "platform/Controls.h"
#include "platform/classes/Graphics.h"
#include "support/AnsiCase.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"

namespace kv {

namespace {

constexpr auto kWorld = QWebEngineScript::ApplicationWorld;

QString ToQ(const std::string& ansi) {
  return QString::fromStdU16String(Cp1252ToUtf16(ansi));
}
std::string FromQ(const QString& text) {
  return Utf16ToCp1252(text.toStdU16String());
}
std::string Utf8(const QString& text) {
  return text.toStdString();
}

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

TDomNode NodeFromJson(const QJsonObject& object) {
  const QString kind = object.value(QLatin1String("k")).toString();
  if (kind == QLatin1String("t")) return TDomNode::Text(Utf8(object.value("d").toString()));
  if (kind == QLatin1String("c")) return TDomNode::Comment(Utf8(object.value("d").toString()));
  TDomNode node = TDomNode::Element(Utf8(object.value("n").toString()));
  for (const QJsonValue& attribute : object.value("a").toArray()) {
    QJsonArray pair = attribute.toArray();
    node.Attributes.emplace_back(Utf8(pair.at(0).toString()), Utf8(pair.at(1).toString()));
  }
  for (const QJsonValue& child : object.value("c").toArray())
    node.Children.push_back(NodeFromJson(child.toObject()));
  return node;
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

  std::string Text(const char* german, const char* english) const {
    return Owner.Language() == EngineLanguageGerman ? german : english;
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
  std::string LoadFailure(const QString& page) const {
    return Text("Die Seite ", "The page ") + FromQ(page) +
           Text(" konnte nicht geladen werden.", " could not be loaded.");
  }
  std::vector<std::string> Serialize();
  void CopySelection(bool cut);
};

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
  QObject::connect(Page, &QWebEnginePage::renderProcessTerminated, Page,
                   [this](QWebEnginePage::RenderProcessTerminationStatus, int) {
                     ProcessGone = true;
                     DocumentShown = false;
                     Loading = false;
                     NavigationPending = false;
                     State.Clear();
                     Wake();
                   });
  QObject::connect(View, &QObject::destroyed, [this] { Wake(); });
}

TQtWebEngine::TImpl::~TImpl() {
  if (Page) Page->disconnect();
  delete View.data();
}

void TQtWebEngine::TImpl::CheckView() const {
  if (!View || !Page)
    Fail(
        Text("Die Webseiten-Komponente ist nicht mehr verf\xFC"
             "gbar.",
             "The web page component is no longer available."));
}

void TQtWebEngine::TImpl::CheckDocument() const {
  CheckView();
  if (ProcessGone)
    Fail(
        Text("Der Prozess der Webseiten-Komponente wurde beendet. Bitte \xF6"
             "ffnen Sie die Seite erneut.",
             "The web page component's process has ended. Please open the page again."));
  if (!DocumentShown)
    Fail(DocumentProblem.empty() ? Text("Es ist keine Seite geladen.", "No page is loaded.")
                                 : DocumentProblem);
}

void TQtWebEngine::TImpl::CheckNotWaiting(const std::string& activity) const {
  if (Waiting)
    Fail(Text("Die Webseiten-Komponente ist noch besch\xE4"
              "ftigt (",
              "The web page component is still busy (") +
         activity + ").");
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
  Wake();  // a Load may be waiting for this navigation to end
  RaiseNavigateComplete();
}

void TQtWebEngine::TImpl::OnReport(const QString& json) {
  QJsonObject state = QJsonDocument::fromJson(json.toUtf8()).object();
  ApplyState(state);
  if (state.value(QLatin1String("kind")).toString() == QLatin1String("click")) RaiseClick();
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
  // start another command in between.
  while (!done() && !ProcessGone && View && deadline.isActive())
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  ActiveLoop = nullptr;
  Waiting = false;

  // What arrived during the wait reaches the program now, through the event loop.
  if (DeferredNavigateComplete || DeferredClick) {
    QTimer::singleShot(0, Page, [this] {
      if (Waiting) return;
      bool navigate = DeferredNavigateComplete, click = DeferredClick;
      DeferredNavigateComplete = DeferredClick = false;
      if (navigate) RaiseNavigateComplete();
      if (click) RaiseClick();
    });
  }
  if (done()) return;
  CheckView();
  CheckDocument();
  Fail(Text("Die Webseiten-Komponente antwortet nicht (",
            "The web page component did not answer (") +
       activity + Text(", nach ", ", after ") + std::to_string((TimeoutMs + 999) / 1000) +
       Text(" Sekunden).", " seconds)."));
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
  State.Clear();
  Page->RequestOpen = true;
  Page->Requested = url;
  Page->load(url);
}

std::vector<std::string> TQtWebEngine::TImpl::Serialize() {
  const std::string activity = Text("Seite speichern", "saving the page");
  CheckView();
  FinishNavigation(activity);
  CheckDocument();
  QVariant answer = RunAndWait(QStringLiteral("window.__kv ? window.__kv.tree() : null"), activity);
  QJsonObject tree = QJsonDocument::fromJson(answer.toString().toUtf8()).object();
  if (tree.isEmpty() || !tree.value(QLatin1String("root")).isObject())
    Fail(Text("Die Webseiten-Komponente lieferte keine lesbare Seite.",
              "The web page component returned no readable page."));
  TDomDocument document;
  QJsonValue doctype = tree.value(QLatin1String("doctype"));
  if (doctype.isObject()) {
    QJsonObject parts = doctype.toObject();
    std::string name = Utf8(parts.value("name").toString());
    std::string publicId = Utf8(parts.value("publicId").toString());
    std::string systemId = Utf8(parts.value("systemId").toString());
    document.Doctype = !Doctype.empty() && DoctypeDeclares(Doctype, name, publicId, systemId)
                           ? Doctype
                           : ComposeDoctype(name, publicId, systemId);
  }
  for (const QJsonValue& node : tree.value(QLatin1String("leading")).toArray())
    document.Leading.push_back(NodeFromJson(node.toObject()));
  document.Root = NodeFromJson(tree.value(QLatin1String("root")).toObject());
  for (const QJsonValue& node : tree.value(QLatin1String("trailing")).toArray())
    document.Trailing.push_back(NodeFromJson(node.toObject()));
  return SerializePage(document);
}

void TQtWebEngine::TImpl::CopySelection(bool cut) {
  const std::string activity = cut ? Text("Ausschneiden", "cutting") : Text("Kopieren", "copying");
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

void TQtWebEngine::Navigate(const std::string& urlOrPath) {
  FImpl->CheckView();
  FImpl->CheckNotWaiting(FImpl->Text("Navigieren", "navigating"));
  QUrl url;
  std::string doctype;
  if (IsAddress(urlOrPath)) {
    url = QUrl(ToQ(urlOrPath));
  } else {
    url = QUrl::fromLocalFile(QString::fromStdU16String(SysPath(urlOrPath).u16string()));
  }
  if (url.isLocalFile()) {
    const std::string path = FromSysPath(std::filesystem::path(url.toLocalFile().toStdU16String()));
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) throw EFOpenError(FrameworkText::FileOpenError(path));
    doctype = DoctypeOfPage(bytes);
  }
  FImpl->NavigationPending = true;
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
  FImpl->Run(on ? QStringLiteral("document.designMode = 'on';")
                : QStringLiteral("document.designMode = 'off';"));
}

void TQtWebEngine::SetOnClick(std::function<void()> handler) {
  FImpl->CheckView();
  FImpl->OnClick = std::move(handler);
}

void TQtWebEngine::Load(const std::string& path) {
  FImpl->CheckView();
  const std::string activity = FImpl->Text("Seite laden", "loading the page");
  FImpl->CheckNotWaiting(activity);
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw EFOpenError(FrameworkText::FileOpenError(path));

  // A navigation under way ends first, so that its completion event is not lost; the event
  // reaches the program after the Load.
  FImpl->FinishNavigation(activity);
  FImpl->LoadTarget = QUrl::fromLocalFile(QString::fromStdU16String(SysPath(path).u16string()));
  FImpl->LoadActive = true;
  FImpl->LoadDone = false;
  FImpl->LoadSucceeded = false;
  FImpl->StartLoading(FImpl->LoadTarget);
  {
    TScopeGuard inactive([this] { FImpl->LoadActive = false; });
    FImpl->WaitUntil([this] { return FImpl->LoadDone; }, activity);
  }
  FImpl->DocumentShown = FImpl->LoadSucceeded;
  FImpl->DocumentProblem = FImpl->LoadSucceeded ? std::string() : FImpl->LoadFailure(ToQ(path));
  if (!FImpl->LoadSucceeded) FImpl->Fail(FImpl->DocumentProblem);
  FImpl->Doctype = DoctypeOfPage(bytes);
  // Editable before Load returns, so that the next command already edits, and with the
  // command values of the new page at hand.
  QVariant state = FImpl->RunAndWait(
      QStringLiteral(
          "document.designMode = 'on'; window.__kv ? window.__kv.report('load') : null;"),
      FImpl->Text("Bearbeitung einschalten", "switching editing on"));
  FImpl->ApplyState(QJsonObject::fromVariantMap(state.toMap()));
}

void TQtWebEngine::Save(const std::string& path) {
  std::vector<std::string> lines = SaveToLines();
  if (!WriteFileBytes(path, LinesToCrLfText(lines)))
    throw EFCreateError(FrameworkText::FileCreateError(path));
}

std::vector<std::string> TQtWebEngine::SaveToLines() {
  FImpl->CheckView();
  return FImpl->Serialize();
}

void TQtWebEngine::ExecCommand(const std::string& name, bool showUI, const TVariant& value) {
  FImpl->CheckDocument();
  const std::string upper = UpperCaseAscii(name);
  auto known = KnownCommands().find(upper);
  if (known == KnownCommands().end())
    FImpl->Fail(FImpl->Text("Unbekannter Befehl: ", "Unknown command: ") + name);
  std::string command = known->second;
  QString argument = ToQ(value.AsString());

  if (upper == "CREATELINK" || upper == "INSERTIMAGE") {
    if (showUI) {
      const bool link = upper == "CREATELINK";
      std::optional<std::string> answer;
      const auto& ask = link ? AskLinkAddress : AskPictureFile;
      if (ask) {
        answer = ask();
      } else if (link) {
        bool ok = false;
        QString address = QInputDialog::getText(FImpl->View->window(), QStringLiteral("Hyperlink"),
                                                ToQ(FImpl->Text("Adresse:", "Address:")),
                                                QLineEdit::Normal, QStringLiteral("http://"), &ok);
        if (ok) answer = FromQ(address);
      } else {
        QString file = QFileDialog::getOpenFileName(
            FImpl->View->window(), ToQ(FImpl->Text("Bild einf\xFCgen", "Insert picture")),
            QString(),
            ToQ(FImpl->Text("Bilder (*.gif *.jpg *.jpeg *.png *.bmp *.webp);;Alle Dateien (*)",
                            "Pictures (*.gif *.jpg *.jpeg *.png *.bmp *.webp);;All files (*)")));
        if (!file.isEmpty()) answer = FromSysPath(std::filesystem::path(file.toStdU16String()));
      }
      if (!answer || answer->empty()) return;  // cancelled: the page stays as it is
      // A picture from disk goes in as its file address, written as the user sees it.
      argument = ToQ(link || IsAddress(*answer) ? *answer : FileUrl(*answer));
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
  if (command == wbPaste) FImpl->FinishNavigation(FImpl->Text("Einf\xFCgen", "pasting"));
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
          FImpl->Text("Einf\xFCgen", "pasting"));
      FImpl->ApplyState(QJsonObject::fromVariantMap(answer.toMap().value("state").toMap()));
      return;
    }
    case wbUndo:
      // The engine's own undo history is empty after every load; that is no failure.
      FImpl->Run(QStringLiteral("window.__kv && window.__kv.exec('undo', '');"));
      return;
    default:
      FImpl->Fail(FImpl->Text("Unbekannter Befehl: ", "Unknown command: ") +
                  std::to_string(command));
  }
}

void TQtWebEngine::ScrollToText(const std::string& text) {
  if (Busy()) return;
  FImpl->CheckDocument();
  FImpl->Run(
      QStringLiteral("window.__kv && window.__kv.scrollToText(%1);").arg(JsString(ToQ(text))));
}

}  // namespace kv
