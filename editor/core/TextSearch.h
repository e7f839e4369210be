// Finding text in the lines, from a caret and a selection, forwards or backwards, optionally
// matching letter case and whole words; no editor state is touched.
#pragma once

#include <optional>
#include <string_view>

#include "editor/core/LineStore.h"
#include "editor/core/TextPos.h"
#include "platform/classes/FindOptions.h"

namespace kv {

struct TFound {
  TTextRange Range;  // the match
  long long Offset;  // of its start in the whole text, each line break counted as 2
};

// Starts on the caret's line: forwards behind the selection when it lies on that line,
// backwards before it (before the caret when there is none); no wrap-around.
std::optional<TFound> FindText(const TLineStore& lines, std::string_view text, TFindOptions options,
                               TTextPos caret, TTextRange selection);

}  // namespace kv
