// What the dialog windows need of the main window, without depending on its class: the
// dispatcher their translation components link to, and the fields of the main window they
// read. The main window registers them at creation.
#pragma once

#include <string>

namespace kv {

class TLangDispatcher;

TLangDispatcher* MainDispatcher();
void SetMainDispatcher(TLangDispatcher* dispatcher);

// The main window's document folder and product name as they are now; empty while no main
// window has registered them.
std::string MainDocDir();
std::string MainProductTitle();
// The fields are read where they live; null pointers forget them.
void SetMainFormFields(const std::string* docDir, const std::string* productTitle);

}  // namespace kv
