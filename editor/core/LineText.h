// How text from outside becomes the editor's lines: the one place that knows the line breaks
// and the tab rule. A line never holds a tab or a break; text inside the editor joins its lines
// with '\n'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class TBreaks {
  Any,     // CR LF, a lone CR and a lone LF each end a line
  CrOnly,  // a CR ends a line and a LF vanishes (the editor's append)
};

struct TSplitRule {
  TBreaks Breaks = TBreaks::Any;
  int TabSize = 4;          // every tab becomes this many blanks, whatever its column
  bool FinalBreak = false;  // a break at the very end starts one more, empty, line
  bool StopAtNul = false;   // a NUL ends the text
};

std::vector<std::string> SplitIntoLines(std::string_view text, const TSplitRule& rule);
std::string ExpandTabs(std::string_view line, int tabSize);
// Lines joined with separator between them.
std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator);
// The text as the editor holds it: breaks of any kind as '\n', tabs expanded, cut at a NUL.
std::string EditorText(std::string_view text, int tabSize);
// '\n' breaks as CR LF.
std::string WithCrLf(std::string_view text);
// The line without its trailing blanks.
std::string_view WithoutTrailingBlanks(std::string_view line);

}  // namespace kv
