// The web page engine as the main window sees it: an embedded HTML editing surface driven by
// named commands. The windows talk only to this interface; TQtWebEngine implements it over
// Qt WebEngine, TFakeWebEngine in-process for the windows' tests.
//
// All text crossing this interface (paths, addresses, command values, saved lines) is 8-bit
// Windows-1252, like all text inside the program. Every call is made on the UI thread.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PageCapture.h"
#include "engine/Variant.h"
#include "platform/classes/Exception.h"
#include "support/HostPath.h"

namespace kv {

// Every failure of the engine: no document, the engine's process ended, a wait timed out, a
// command the engine does not know, a call while the bridge is waiting for the engine.
class EEngineError : public Exception {
 public:
  using Exception::Exception;
};

// ExecWB command numbers and the one option the program passes.
enum TWebBrowserCommand : int { wbCut = 11, wbCopy = 12, wbPaste = 13, wbUndo = 15 };
constexpr int wbPromptUser = 1;

// Language numbers as the language dispatcher holds them.
constexpr int EngineLanguageGerman = 1;
constexpr int EngineLanguageEnglish = 2;

class TWebEngine {
 public:
  virtual ~TWebEngine() = default;

  // Starts loading a page by address ("about:blank", "file:///...") and returns at once.
  // OnNavigateComplete follows through the event loop when it has loaded.
  virtual void Navigate(const std::string& address) = 0;
  // The same for a local file, named by the host's bytes (":" is part of a name, not a scheme).
  virtual void Navigate(const THostPath& file) = 0;
  // True while a page is loading (and while the bridge itself waits for the engine).
  virtual bool Busy() const = 0;
  // True when a document is shown and the engine can take commands.
  virtual bool HasDocument() const = 0;
  // The document becomes editable ("On") or read-only.
  virtual void SetDesignMode(bool on) = 0;
  // The click connector: called after every click in the document, once the command values
  // at the new caret have been pushed, so QueryCommandValue in the handler is current.
  virtual void SetOnClick(std::function<void()> handler) = 0;

  // Replaces the content with the file and leaves the page editable. Waits until the page has
  // loaded; raises EFOpenError when the file cannot be read and EEngineError on timeout.
  // Does not raise OnNavigateComplete.
  virtual void Load(const THostPath& path) = 0;
  // Writes the serialised page to path as CR LF lines (EFCreateError when it cannot).
  virtual void Save(const THostPath& path) = 0;
  // The serialised page as lines (Windows-1252, without line ends).
  virtual std::vector<std::string> SaveToLines() = 0;
  // The same as its file holds it, in one buffer (by default made of SaveToLines).
  virtual TSerializedPage SaveToPage();
  // Takes the page without waiting for it: done runs later on the UI thread with the page
  // (whose lines TPageCapture::Lines makes, on any thread), or with nullopt when the engine
  // could not answer (no document, its process ended). nodeByNode asks for the slower form
  // that reads back from every page, for a page whose first capture did not read.
  virtual void CapturePage(std::function<void(std::optional<TPageCapture>)> done,
                           bool nodeByNode) = 0;
  // The local file the page shown was loaded from (by Load or Navigate); empty for an address.
  virtual THostPath LoadedFile() const = 0;

  // Runs a named editing command on the selection ("Bold", "FontSize", "FormatBlock" ...).
  // With showUI, "CreateLink" and "InsertImage" ask through AskLinkAddress / AskPictureFile.
  virtual void ExecCommand(const std::string& name, bool showUI, const TVariant& value) = 0;
  // The value of a command at the caret, answered at once from the last pushed state:
  // truth values for Bold, Italic, Underline, CreateLink and the Justify commands, 1 to 7 for
  // FontSize, the family for FontName, the display name for FormatBlock, 0x00BBGGRR for
  // ForeColor. Null when the engine has reported nothing for that command.
  virtual TVariant QueryCommandValue(const std::string& name) = 0;
  // Clipboard and undo commands (TWebBrowserCommand). Paste has landed in the page when this
  // returns.
  virtual void ExecWB(int command, int option) = 0;
  // Scrolls the first occurrence of text into view, aligned to the top; the selection stays.
  virtual void ScrollToText(const std::string& text) = 0;

  // Raised on the UI thread after each completed Navigate (not after Load).
  std::function<void()> OnNavigateComplete;
  // Raised on the UI thread soon after the user changed the page (typing, a command, a paste):
  // at once after a quiet while, else within a moment.
  std::function<void()> OnContentChanged;
  // Raised on the UI thread when the engine's page process has ended (killed, crashed, out of
  // memory). The page is gone; the next Load or Navigate starts a new process.
  std::function<void()> OnProcessGone;
  // The program's active language (1 German, 2 English) for the FormatBlock display names;
  // English when unset.
  std::function<int()> ActiveLanguage;
  // The engine's messages and dialog texts in the program's active language, by id
  // ("Engine.NoPage"), with "%1" ... filled from args. The program owns the texts; unset, a
  // message is its id followed by its arguments.
  std::function<std::string(std::string_view id, std::initializer_list<std::string_view> args)>
      Texts;
  // The show-UI asks of "CreateLink" (an address, page text) and "InsertImage" (a picture
  // file); nullopt when the user cancels. Unset: the backend's own small dialogs.
  std::function<std::optional<std::string>()> AskLinkAddress;
  std::function<std::optional<THostPath>()> AskPictureFile;

 protected:
  int Language() const;
  std::string Text(std::string_view id, std::initializer_list<std::string_view> args = {}) const;
};

}  // namespace kv
