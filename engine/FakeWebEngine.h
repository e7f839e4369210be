// An in-process engine for tests of the windows' logic: no browser. It holds the page as text,
// records every command, answers command values from a table or a script the test sets, and
// completes navigations through a queued call or an explicit CompleteNavigation().
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/WebEngine.h"

namespace kv {

class TFakeWebEngine : public TWebEngine {
 public:
  struct TCommand {
    std::string Name;
    bool ShowUI = false;
    TVariant Value;
    bool operator==(const TCommand&) const = default;
  };

  void Navigate(const std::string& address) override;
  void Navigate(const THostPath& file) override;
  bool Busy() const override { return FNavigationPending && !FNavigationShown; }
  bool HasDocument() const override;
  void SetDesignMode(bool on) override;
  void SetOnClick(std::function<void()> handler) override;
  void Load(const THostPath& path) override;
  void Save(const THostPath& path) override;
  std::vector<std::string> SaveToLines() override;
  void CapturePage(std::function<void(std::optional<TPageCapture>)> done, bool nodeByNode) override;
  THostPath LoadedFile() const override;
  void ExecCommand(const std::string& name, bool showUI, const TVariant& value) override;
  TVariant QueryCommandValue(const std::string& name) override;
  void ExecWB(int command, int option) override;
  void ScrollToText(const std::string& text) override;

  // --- the test's side ---

  // How Navigate completes: when set, it hands the completion to this queue (a test's event
  // loop); when unset, the test calls CompleteNavigation().
  std::function<void(std::function<void()>)> PostCompletion;
  // Finishes the pending navigation: the page is read from the file when the address names
  // one, and OnNavigateComplete is raised. A Load in between shows its own page instead but
  // leaves the event to come.
  void CompleteNavigation();

  // The values QueryCommandValue answers: the script first, then the table, else null.
  std::function<TVariant(const std::string& name)> ValueScript;
  void SetCommandValue(const std::string& name, const TVariant& value);
  // Makes every later call fail as when the engine's process is gone.
  void SetFailing(bool failing) { FFailing = failing; }
  // What paste inserts: the clipboard's plain text as the test provides it.
  std::function<std::string()> ClipboardText;
  // Commands the engine takes without doing anything, as a real engine does without a caret
  // (upper-case names).
  std::set<std::string> RefusedCommands;
  // A click in the page: runs the click connector.
  void Click();
  // The user types: text goes in before "</BODY>" (or at the end), and the change is reported.
  void Type(const std::string& text);
  // The page's process ends: the page is gone until the next Load or Navigate, and
  // OnProcessGone follows (through PostCompletion when set).
  void KillProcess();
  // How many pages were taken with CapturePage.
  int Captures = 0;

  // The held page (Windows-1252). Paste and "InsertText" insert before "</BODY>" when the page
  // has one, else at the end; undo takes the last insertion back.
  std::string DocumentText;
  bool DesignMode = false;
  std::vector<TCommand> Commands;        // ExecCommand calls in order
  std::vector<int> BrowserCommands;      // ExecWB command numbers in order
  std::vector<std::string> Navigations;  // Navigate addresses (a file's: its bytes) in order
  std::vector<THostPath> Loads;          // Load paths in order
  std::vector<THostPath> Saves;          // Save paths in order
  std::vector<std::string> ScrolledTo;   // ScrollToText texts in order
  std::string LastAddress;               // what the last navigation or load showed (a file's bytes)

 private:
  void CheckAlive() const;
  void ShowNavigatedPage();
  void StartNavigation(const std::string& recorded, const THostPath& file);
  void Post(std::function<void()> call);
  void InsertAtCaret(const std::string& text);
  void InsertBeforeBodyEnd(const std::string& text);
  void Changed();

  bool FFailing = false;
  bool FNavigationPending = false;  // its event is still to come
  bool FNavigationShown = false;    // its page is shown
  std::string FPendingAddress;
  THostPath FPendingFile;  // the file the pending navigation shows; empty for other addresses
  THostPath FShownFile;
  std::function<void()> FOnClick;
  std::map<std::string, TVariant> FValues;  // key: upper-case command name
  std::string FUndoText;
  bool FHasUndo = false;
};

}  // namespace kv
