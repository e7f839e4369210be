// The real editing surface: the Qt WebEngine backend with its widget and document-surface test.
#pragma once

#include "app/WebBrowser.h"

namespace kv {

TEngineHost MakeQtEngineHost();

}  // namespace kv
