// What the dialog windows need of the main window, without depending on its class: the
// dispatcher their translation components link to, and the fields of the document they read.
// The main window registers both at creation (and its fields go when it goes).
#pragma once

#include <string>
#include <string_view>

#include "support/HostPath.h"

namespace kv {

class TLangDispatcher;

TLangDispatcher* MainDispatcher();
void SetMainDispatcher(TLangDispatcher* dispatcher);
// The dispatcher's active language (1 German, 2 English); German while there is none.
int MainLanguage();
// The program's own text id in the active language.
std::string ActiveProgramText(std::string_view id);

// The main window's fields the dialogs read, as pointers to the main window's own strings.
struct TMainFormFields {
  const THostPath* AppDir = nullptr;
  const THostPath* DocDir = nullptr;
  const THostPath* CurrentFile = nullptr;
  const std::string* ProductTitle = nullptr;
  const std::string* VersionText = nullptr;
};
void SetMainFormFields(const TMainFormFields& fields);
const TMainFormFields& MainFormFields();
// Each field's value; empty while no main window has registered.
THostPath MainAppDir();
THostPath MainDocDir();
THostPath MainCurrentFile();
std::string MainProductTitle();
std::string MainVersionText();

}  // namespace kv
