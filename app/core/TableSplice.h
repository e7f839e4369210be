// Splicing the table generator's fragment into a saved page at the placeholder the engine put
// at the caret.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The text put at the caret to mark where the table goes.
inline constexpr std::string_view TablePlaceholder = "INSERTATABLE";

// Every line of page holding the placeholder becomes: the text before its first occurrence, a
// line of one blank, the fragment's lines, and the text after it. Other lines stay as they are.
// Returns false (and leaves out untouched) when no line holds the placeholder.
bool SpliceTable(const std::vector<std::string>& page, const std::vector<std::string>& fragment,
                 std::vector<std::string>& out);

}  // namespace kv
