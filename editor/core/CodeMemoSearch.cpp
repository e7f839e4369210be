// Finding text in the code editor model.
#include <algorithm>

#include "editor/core/CodeMemo.h"

namespace kv {

namespace {

bool IsWordChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool WholeWordAt(std::string_view line, size_t pos, size_t length) {
  if (pos > 0 && IsWordChar(line[pos - 1])) return false;
  if (pos + length < line.size() && IsWordChar(line[pos + length])) return false;
  return true;
}

}  // namespace

int TCustomCodeMemo::SearchText(const std::string& text, TFindOptions options) {
  if (text.empty()) return -1;
  const bool down = options & frDown;
  const bool matchCase = options & frMatchCase;
  const bool wholeWord = options & frWholeWord;
  std::string pattern = text;
  if (!matchCase) std::transform(pattern.begin(), pattern.end(), pattern.begin(), LowerAscii);
  const size_t plen = pattern.size();

  int sx, sy, ex, ey;
  OrderedSelection(sx, sy, ex, ey);
  const bool selectionEmpty = SelectionEmpty();
  std::string lowered;
  int y = caretY_;
  for (;;) {
    if (y < 0 || y >= LineCount()) {
      selStartX_ = selStartY_ = selEndX_ = selEndY_ = 0;
      selMoveX_ = selMoveY_ = 0;
      FireSelectionChange();
      if (view_) view_->InvalidateAll();
      return -1;
    }
    const std::string& full = lines_->StringRef(y);
    std::string_view line = full;
    if (!matchCase) {
      lowered.resize(full.size());
      std::transform(full.begin(), full.end(), lowered.begin(), LowerAscii);
      line = lowered;
    }
    size_t from = 0, to = line.size();  // the part searched: [from, to)
    bool skip = false;
    if (y == sy && sy == ey) {
      if (down) {
        if (ex >= static_cast<int>(line.size()))
          skip = true;
        else
          from = static_cast<size_t>(ex);
      } else {
        const int limit = (selectionEmpty || (sx < 1 && ex < 1)) ? caretX_ : sx;
        to = static_cast<size_t>(std::clamp(limit, 0, static_cast<int>(line.size())));
      }
    }
    size_t found = std::string_view::npos;
    if (!skip && to >= from && to - from >= plen) {
      const std::string_view part = line.substr(0, to);
      if (down) {
        for (size_t p = part.find(pattern, from); p != std::string_view::npos;
             p = part.find(pattern, p + 1)) {
          // A non-word hit does not hide a whole word later in the line.
          if (!wholeWord || WholeWordAt(full, p, plen)) {
            found = p;
            break;
          }
        }
      } else {
        size_t p = part.rfind(pattern);
        while (p != std::string_view::npos && p >= from) {
          if (!wholeWord || WholeWordAt(full, p, plen)) {
            found = p;
            break;
          }
          if (p == 0) break;
          p = part.rfind(pattern, p - 1);
        }
      }
    }
    if (found != std::string_view::npos) {
      const int column = static_cast<int>(found);
      SetCaret(column, y);
      selStartX_ = column;
      selStartY_ = y;
      selEndX_ = column + static_cast<int>(plen);
      selEndY_ = y;
      selMoveX_ = caretX_;
      selMoveY_ = caretY_;
      FireSelectionChange();
      if (view_) view_->InvalidateAll();
      long long offset = column;
      const auto& lengths = lines_->LineLengths().Items();
      for (int i = 0; i < y; ++i) offset += lengths[i] + 2;
      return static_cast<int>(std::min<long long>(offset, 0x7FFFFFFF));
    }
    y += down ? 1 : -1;
  }
}

}  // namespace kv
