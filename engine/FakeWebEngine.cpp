#include "engine/FakeWebEngine.h"

#include "support/AnsiCase.h"
#include "support/AtomicFile.h"
#include "support/Cp1252.h"
#include "support/Files.h"

namespace kv {

namespace {

// The local path behind a file address or a plain path; empty for any other address.
std::string LocalPathOf(const std::string& address) {
  const std::string prefix = "file://";
  if (LowerCaseAscii(address.substr(0, prefix.size())) == prefix)
    return address.substr(prefix.size());
  std::size_t colon = address.find(':');
  bool scheme = colon != std::string::npos && colon >= 2 && address.find_first_of("/\\") > colon;
  return scheme ? std::string() : address;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

void TFakeWebEngine::CheckAlive() const {
  if (FFailing) throw EEngineError("The web page engine is not available.");
}

void TFakeWebEngine::Navigate(const std::string& address) {
  const std::string path = LocalPathOf(address);
  StartNavigation(address, THostPath::FromBytes(path));
}

void TFakeWebEngine::Navigate(const THostPath& file) {
  StartNavigation(file.Bytes(), file);
}

void TFakeWebEngine::StartNavigation(const std::string& recorded, const THostPath& file) {
  CheckAlive();
  // As the real engine: a page file that cannot be read is an error at once.
  std::string bytes;
  if (!file.IsEmpty() && !ReadFileBytes(file, bytes))
    throw EFOpenError(FrameworkText::FileOpenError(file));
  Navigations.push_back(recorded);
  FNavigationPending = true;
  FNavigationShown = false;
  FPendingAddress = recorded;
  FPendingFile = file;
  if (PostCompletion) PostCompletion([this] { CompleteNavigation(); });
}

void TFakeWebEngine::ShowNavigatedPage() {
  if (FNavigationShown) return;
  FNavigationShown = true;
  LastAddress = FPendingAddress;
  FShownFile = FPendingFile;
  std::string bytes;
  DocumentText = !FShownFile.IsEmpty() && ReadFileBytes(FShownFile, bytes) ? bytes : std::string();
  DesignMode = false;  // a new document starts read-only, as in the real engine
  FHasUndo = false;
}

void TFakeWebEngine::CompleteNavigation() {
  if (!FNavigationPending) return;
  ShowNavigatedPage();
  FNavigationPending = false;
  if (OnNavigateComplete) OnNavigateComplete();
}

bool TFakeWebEngine::HasDocument() const {
  return !FFailing && !LastAddress.empty();
}

void TFakeWebEngine::SetDesignMode(bool on) {
  CheckAlive();
  DesignMode = on;
}

void TFakeWebEngine::SetOnClick(std::function<void()> handler) {
  CheckAlive();
  FOnClick = std::move(handler);
}

void TFakeWebEngine::Load(const THostPath& path) {
  CheckAlive();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw EFOpenError(FrameworkText::FileOpenError(path));
  // A navigation under way ends first; its event still comes as it would have.
  if (FNavigationPending) ShowNavigatedPage();
  Loads.push_back(path);
  DocumentText = bytes;
  LastAddress = path.Bytes();
  FShownFile = path;
  DesignMode = true;
  FHasUndo = false;
}

void TFakeWebEngine::Save(const THostPath& path) {
  CheckAlive();
  Saves.push_back(path);
  std::string reason;
  if (!WriteFileAtomically(path, DocumentText, reason))
    throw EFCreateError(FrameworkText::FileCreateError(path) + ": " + reason);
}

std::vector<std::string> TFakeWebEngine::SaveToLines() {
  CheckAlive();
  return SplitLines(DocumentText);
}

void TFakeWebEngine::Post(std::function<void()> call) {
  if (PostCompletion)
    PostCompletion(std::move(call));
  else
    call();
}

void TFakeWebEngine::CapturePage(std::function<void(std::optional<TPageCapture>)> done, bool) {
  std::optional<TPageCapture> capture;
  if (HasDocument()) {
    ++Captures;
    capture = TPageCapture([page = SaveToPage()] { return page; });
  }
  Post([done = std::move(done), capture = std::move(capture)] { done(capture); });
}

THostPath TFakeWebEngine::LoadedFile() const {
  return HasDocument() ? FShownFile : THostPath();
}

void TFakeWebEngine::InsertBeforeBodyEnd(const std::string& text) {
  std::string upper = UpperCaseAscii(DocumentText);
  std::size_t at = upper.rfind("</BODY>");
  DocumentText.insert(at == std::string::npos ? DocumentText.size() : at, text);
}

void TFakeWebEngine::Changed() {
  if (OnContentChanged) OnContentChanged();
}

void TFakeWebEngine::Type(const std::string& text) {
  CheckAlive();
  InsertBeforeBodyEnd(text);
  Changed();
}

void TFakeWebEngine::KillProcess() {
  LastAddress.clear();
  DocumentText.clear();
  FNavigationPending = false;
  Post([this] {
    if (OnProcessGone) OnProcessGone();
  });
}

void TFakeWebEngine::ExecCommand(const std::string& name, bool showUI, const TVariant& value) {
  CheckAlive();
  TCommand command{name, showUI, value};
  const std::string upper = UpperCaseAscii(name);
  if (showUI && (upper == "CREATELINK" || upper == "INSERTIMAGE")) {
    std::optional<std::string> answer;
    if (upper == "CREATELINK") {
      if (!AskLinkAddress) return;
      answer = AskLinkAddress();
    } else {
      if (!AskPictureFile) return;
      // The picture's address as the page holds it, in page text.
      if (const std::optional<THostPath> picture = AskPictureFile())
        answer = Utf8ToPageText(EncodeUtf8(FileAddressForPage(*picture)));
    }
    if (!answer) return;  // cancelled: nothing changes
    command.Value = TVariant(*answer);
  }
  Commands.push_back(command);
  if (RefusedCommands.count(upper)) return;
  if (upper == "INSERTTEXT") InsertAtCaret(command.Value.AsString());
  Changed();
}

void TFakeWebEngine::InsertAtCaret(const std::string& text) {
  FUndoText = DocumentText;
  FHasUndo = true;
  InsertBeforeBodyEnd(text);
}

void TFakeWebEngine::SetCommandValue(const std::string& name, const TVariant& value) {
  FValues[UpperCaseAscii(name)] = value;
}

TVariant TFakeWebEngine::QueryCommandValue(const std::string& name) {
  CheckAlive();
  if (ValueScript) return ValueScript(name);
  auto it = FValues.find(UpperCaseAscii(name));
  return it == FValues.end() ? TVariant() : it->second;
}

void TFakeWebEngine::ExecWB(int command, int /*option*/) {
  CheckAlive();
  switch (command) {
    case wbCut:
    case wbCopy:
      break;
    case wbPaste:
      InsertAtCaret(ClipboardText ? ClipboardText() : std::string());
      BrowserCommands.push_back(command);
      Changed();
      return;
    case wbUndo:
      if (FHasUndo) DocumentText = FUndoText;
      FHasUndo = false;
      break;
    default:
      throw EEngineError("Unknown browser command " + std::to_string(command) + ".");
  }
  BrowserCommands.push_back(command);
}

void TFakeWebEngine::ScrollToText(const std::string& text) {
  CheckAlive();
  ScrolledTo.push_back(text);
}

void TFakeWebEngine::Click() {
  if (FOnClick) FOnClick();
}

}  // namespace kv
