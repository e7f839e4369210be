#include "tools/core/PageHead.h"

#include <algorithm>

#include "support/AnsiCase.h"
#include "support/StringTools.h"
#include "support/Words.h"

namespace kv {

namespace {

constexpr std::string_view kTitleClose = "</TITLE>";

bool Contains(std::string_view upper, std::string_view marker) {
  return upper.find(marker) != std::string_view::npos;
}

// Blanks and control characters off both ends.
std::string Trimmed(std::string_view s) {
  size_t first = 0, last = s.size();
  while (first < last && static_cast<unsigned char>(s[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ') --last;
  return std::string(s.substr(first, last - first));
}

// A title whose closing tag is on a later line: the lines up to that one, joined with single
// blanks (inside a title a line break is white space like a blank). Returns the index of the
// last line taken, or `at` when the title closes on its own line or never closes.
size_t JoinSplitTitle(const std::vector<std::string>& lines, size_t at, std::string& out) {
  const std::string upper = UpperCaseAscii(out);
  const size_t open = upper.find(HeadMarker::Title);
  if (open == std::string::npos || upper.find(kTitleClose, open) != std::string::npos) return at;
  size_t end = at + 1;
  for (; end < lines.size(); ++end) {
    const std::string next = UpperCaseAscii(lines[end]);
    if (Contains(next, kTitleClose)) break;
    if (Contains(next, HeadMarker::Title)) return at;
  }
  if (end >= lines.size()) return at;
  for (size_t k = at + 1; k <= end; ++k) {
    const std::string& piece = lines[k];
    const size_t start = piece.find_first_not_of(" \t");
    out += ' ';
    if (start != std::string::npos) out.append(piece, start);
  }
  return end;
}

// The end of the tag that starts at `at`: just after its ">" outside quotes, else the line's end.
size_t TagEnd(std::string_view line, size_t at) {
  char quote = 0;
  for (size_t i = at; i < line.size(); ++i) {
    const char c = line[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return line.size();
}

std::string WithTitle(const std::string& line, const std::string& title) {
  const std::string upper = UpperCaseAscii(line);
  const size_t open = upper.find(HeadMarker::Title);
  const size_t close = upper.find(kTitleClose, open);
  const std::string rest =
      close == std::string::npos ? std::string() : line.substr(close + kTitleClose.size());
  return line.substr(0, open) + std::string(HeadMarker::Title) + title + std::string(kTitleClose) +
         rest;
}

std::string WithMetaTag(const std::string& line, std::string_view marker, std::string tag,
                        bool dropBlank) {
  static const TSearchPattern openingBlank("CONTENT=\" ");
  if (dropBlank) openingBlank.ReplaceIn(tag, "CONTENT=\"");
  const size_t at = UpperCaseAscii(line).find(marker);
  if (at == std::string::npos) return line;
  return line.substr(0, at) + tag + line.substr(TagEnd(line, at));
}

}  // namespace

THeadReading ReadPageHead(const std::vector<std::string>& snapshot) {
  static const TSearchPattern emptyTitle("<TITLE></TITLE>");
  static const TSearchPattern emptyContent("content=\"\">");
  static const std::string_view joinMarkers[] = {HeadMarker::Copyright, HeadMarker::Author,
                                                 HeadMarker::Description, HeadMarker::Keywords};
  THeadReading reading;
  const size_t n = snapshot.size();
  for (size_t i = 0; i < n; ++i) {
    const std::string& line = snapshot[i];
    if (Contains(line, "XHTML 1.0")) reading.Xhtml = true;
    std::string out = line;
    const std::string upper = UpperCaseAscii(line);
    const bool quoted = Contains(line, "\"");
    for (std::string_view marker : joinMarkers) {
      if (quoted || !Contains(upper, marker)) continue;
      ++i;
      if (i < n) out += snapshot[i];
    }
    if (i < n) i = JoinSplitTitle(snapshot, i, out);
    emptyTitle.ReplaceIn(out, "<TITLE></TITLE>");
    emptyContent.ReplaceIn(out, "content=\" \">");
    reading.Lines.push_back(std::move(out));
  }

  THeadValues& v = reading.Values;
  for (const std::string& line : reading.Lines) {
    const std::string upper = UpperCaseAscii(line);
    if (const size_t at = upper.find(HeadMarker::Title); at != std::string::npos) {
      const std::string after = " " + line.substr(at + HeadMarker::Title.size());
      v.Title = Trimmed(GetNthWord(1, after, "<"));
    }
    const auto read = [&](std::string_view marker, std::string& field) {
      if (Contains(upper, marker)) field = GetNthWord(2, line, "\"");
    };
    read(HeadMarker::Keywords, v.Keywords);
    read(HeadMarker::Description, v.Description);
    read(HeadMarker::Author, v.Author);
    read(HeadMarker::Copyright, v.Copyright);
  }
  return reading;
}

THeadItemsFound FindHeadItems(const std::vector<std::string>& lines) {
  THeadItemsFound found;
  for (const std::string& line : lines) {
    const std::string upper = UpperCaseAscii(line);
    found.Title = found.Title || Contains(upper, HeadMarker::Title);
    found.Description = found.Description || Contains(upper, HeadMarker::Description);
    found.Author = found.Author || Contains(upper, HeadMarker::Author);
    found.Copyright = found.Copyright || Contains(upper, HeadMarker::Copyright);
    found.Keywords = found.Keywords || Contains(upper, HeadMarker::Keywords);
  }
  return found;
}

std::string MetaClosing(bool xhtml) {
  return xhtml ? "\" />" : "\">";
}

std::vector<std::string> AddMissingHeadItems(std::vector<std::string> lines, bool xhtml) {
  const THeadItemsFound found = FindHeadItems(lines);
  const std::string empty = "\" " + MetaClosing(xhtml);
  const struct {
    bool present;
    std::string placeholder;
  } items[] = {{found.Title, "<TITLE></TITLE>"},
               {found.Description, "<META NAME=DESCRIPTION CONTENT=" + empty},
               {found.Author, "<META NAME=AUTHOR CONTENT=" + empty},
               {found.Copyright, "<META NAME=COPYRIGHT CONTENT=" + empty},
               {found.Keywords, "<META NAME=KEYWORDS CONTENT=" + empty}};
  for (const auto& item : items) {
    if (item.present) continue;
    std::vector<std::string> next;
    next.reserve(lines.size() + 1);
    for (std::string& line : lines) {
      if (Contains(UpperCaseAscii(line), HeadMarker::Generator)) {
        // Above the line collected last, the one before the generator line (at the top when
        // the generator line is the first).
        const size_t at = next.empty() ? 0 : next.size() - 1;
        next.insert(next.begin() + static_cast<long>(at), item.placeholder);
      }
      next.push_back(std::move(line));
    }
    lines = std::move(next);
  }
  return lines;
}

std::vector<std::string> WritePageHead(std::vector<std::string> lines, const THeadValues& values,
                                       bool xhtml) {
  const std::string closing = MetaClosing(xhtml);
  for (std::string& line : lines) {
    const std::string upper = UpperCaseAscii(line);
    if (Contains(upper, HeadMarker::Title)) line = WithTitle(line, values.Title);
    const auto meta = [&](std::string_view marker, const std::string& value, bool dropBlank) {
      if (Contains(upper, marker))
        line = WithMetaTag(line, marker, std::string(marker) + " CONTENT=\"" + value + closing,
                           dropBlank);
    };
    meta(HeadMarker::Keywords, values.Keywords, false);
    meta(HeadMarker::Description, values.Description, true);
    meta(HeadMarker::Author, values.Author, true);
    meta(HeadMarker::Copyright, values.Copyright, true);
  }
  return lines;
}

}  // namespace kv
