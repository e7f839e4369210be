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

namespace kv {

class TMainForm;

// Reads the script now (an unreadable file is reported as an error line and runs nothing) and
// arranges its steps to run once mainForm's first page is editable.
void StartScriptedRun(TMainForm* mainForm, const std::string& scriptPath);

}  // namespace kv
