#include "editor/core/LineText.h"

#include <algorithm>

namespace kv {

std::vector<std::string> SplitIntoLines(std::string_view text, const TSplitRule& rule) {
  if (rule.StopAtNul) text = text.substr(0, text.find('\0'));
  std::vector<std::string> lines;
  // One allocation for the list of lines: loading stays linear in the size of the text.
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  std::string line;
  bool open = false;  // a line has begun and not yet ended
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    // Plain characters are taken in one piece: loading must stay linear and fast.
    size_t j = i;
    while (j < n && text[j] != '\r' && text[j] != '\n' && text[j] != '\t') ++j;
    if (j > i) {
      line.append(text.data() + i, j - i);
      open = true;
      i = j;
      continue;
    }
    const char c = text[i++];
    if (c == '\t') {
      line.append(static_cast<size_t>(rule.TabSize), ' ');
      open = true;
    } else if (c == '\r' || rule.Breaks == TBreaks::Any) {
      if (c == '\r' && rule.Breaks == TBreaks::Any && i < n && text[i] == '\n') ++i;
      lines.push_back(std::move(line));
      line.clear();
      open = false;
    } else {
      open = true;  // a line feed the append rule drops
    }
  }
  if (open || rule.FinalBreak || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

std::string ExpandTabs(std::string_view line, int tabSize) {
  std::string r;
  r.reserve(line.size());
  for (char c : line) {
    if (c == '\t')
      r.append(static_cast<size_t>(tabSize), ' ');
    else
      r += c;
  }
  return r;
}

std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator) {
  size_t size = 0;
  for (const std::string& l : lines) size += l.size() + separator.size();
  std::string r;
  r.reserve(size);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) r += separator;
    r += lines[i];
  }
  return r;
}

std::string EditorText(std::string_view text, int tabSize) {
  return JoinLines(
      SplitIntoLines(text, {TBreaks::Any, tabSize, /*FinalBreak=*/true, /*StopAtNul=*/true}), "\n");
}

std::string WithCrLf(std::string_view text) {
  std::string r;
  r.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n')
      r += "\r\n";
    else
      r += c;
  }
  return r;
}

std::string_view WithoutTrailingBlanks(std::string_view line) {
  const size_t end = line.find_last_not_of(' ');
  return line.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

}  // namespace kv
