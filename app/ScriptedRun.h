// A run of the real program driven by a small script instead of a person: for the tests of an
// installed copy, which cannot reach into the process. KAVELIN_SCRIPT names the script file;
// the steps run once the first page is editable, one line each:
//   type <text>        types the text into the page, as keys on the editing surface
//   click <name>       chooses the main window's menu item, or clicks its control, of that name
//   answer <path>      the next open or save dialog is answered with this file (else cancelled)
//   close              closes the main window (the showcase window that follows is closed too)
// Message and error boxes are not shown but written to standard output, one line each
// ("message: <caption>: <text>", "error: <text>"), as are the steps ("step: <line>") and the
// end ("script: done"). Output is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace kv {

class TMainForm;

class TScriptedRun {
 public:
  // Reads the script (an unreadable one is reported as an error line and runs nothing) and
  // takes over the message, error and file dialogs at once, so that even the main window's
  // creation shows none: make it before the main window.
  explicit TScriptedRun(const std::string& scriptPath);
  // The steps run once mainForm's first page is editable. The object must outlive the run.
  void Attach(TMainForm* mainForm);

 private:
  void RunSteps();
  TMainForm* form_ = nullptr;
  std::vector<std::string> steps_;
};

}  // namespace kv
