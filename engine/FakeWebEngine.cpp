#include "engine/FakeWebEngine.h"

#include "support/AnsiCase.h"
#include "support/Files.h"

namespace kv {

namespace {

// A local path behind a file address, or the text itself when it is no address.
std::string LocalPathOf(const std::string& address) {
  const std::string prefix = "file://";
  if (LowerCaseAscii(address.substr(0, prefix.size())) == prefix)
    return address.substr(prefix.size());
  return address;
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

void TFakeWebEngine::Navigate(const std::string& urlOrPath) {
  CheckAlive();
  Navigations.push_back(urlOrPath);
  FNavigationPending = true;
  FPendingAddress = urlOrPath;
  if (PostCompletion) PostCompletion([this] { CompleteNavigation(); });
}

void TFakeWebEngine::CompleteNavigation() {
  if (!FNavigationPending) return;
  FNavigationPending = false;
  LastAddress = FPendingAddress;
  std::string bytes;
  if (FPendingAddress != "about:blank" && ReadFileBytes(LocalPathOf(FPendingAddress), bytes))
    DocumentText = bytes;
  else
    DocumentText.clear();
  DesignMode = false;  // a new document starts read-only, as in the real engine
  FHasUndo = false;
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

void TFakeWebEngine::Load(const std::string& path) {
  CheckAlive();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw EFOpenError(FrameworkText::FileOpenError(path));
  Loads.push_back(path);
  DocumentText = bytes;
  LastAddress = path;
  DesignMode = true;
  FHasUndo = false;
}

void TFakeWebEngine::Save(const std::string& path) {
  CheckAlive();
  Saves.push_back(path);
  if (!WriteFileBytes(path, DocumentText))
    throw EFCreateError(FrameworkText::FileCreateError(path));
}

std::vector<std::string> TFakeWebEngine::SaveToLines() {
  CheckAlive();
  return SplitLines(DocumentText);
}

void TFakeWebEngine::ExecCommand(const std::string& name, bool showUI, const TVariant& value) {
  CheckAlive();
  TCommand command{name, showUI, value};
  const std::string upper = UpperCaseAscii(name);
  if (showUI && (upper == "CREATELINK" || upper == "INSERTIMAGE")) {
    const auto& ask = upper == "CREATELINK" ? AskLinkAddress : AskPictureFile;
    if (!ask) return;
    std::optional<std::string> answer = ask();
    if (!answer) return;  // cancelled: nothing changes
    command.Value = TVariant(*answer);
  }
  Commands.push_back(std::move(command));
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
    case wbPaste: {
      std::string text = ClipboardText ? ClipboardText() : std::string();
      FUndoText = DocumentText;
      FHasUndo = true;
      std::string upper = UpperCaseAscii(DocumentText);
      std::size_t at = upper.rfind("</BODY>");
      DocumentText.insert(at == std::string::npos ? DocumentText.size() : at, text);
      break;
    }
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
