// What the dialog windows need of the main window, without depending on its class: the
// dispatcher their translation components link to. The main window registers it at creation.
#pragma once

namespace kv {

class TLangDispatcher;

TLangDispatcher* MainDispatcher();
void SetMainDispatcher(TLangDispatcher* dispatcher);

}  // namespace kv
