// The script the Qt backend puts into every page, in a world of its own (the page's own
// scripts do not run while it is edited): it pushes the command values at the caret to C++,
// runs the editing commands, hands the page over for the serialiser and reports changes.
#pragma once

#include <QString>

namespace kv {

// The whole script, the web channel's client library included; empty when Qt WebEngine ships
// no channel library.
QString EditorPageScript();

// The name of the C++ object the page reports to through the web channel.
inline constexpr const char* EditorChannelObjectName = "kvBridge";

}  // namespace kv
