// The code editor's text with its highlighting colours as HTML or as RTF: a range of the text
// is tokenized exactly as painting does and each run becomes a styled piece of the output.
#pragma once

#include <string>

#include "editor/core/TextPos.h"
#include "editor/export/RTFEngine.h"
#include "platform/classes/Strings.h"

namespace kv {

class TCustomCodeMemo;

// Lines first..last whole (first -1: all lines), or the ordered selection.
TTextRange LinesRange(const TCustomCodeMemo& memo, int firstLine, int lastLine);
TTextRange SelectionRange(const TCustomCodeMemo& memo);

// "#RRGGBB" of a colour (system colours resolved).
std::string HtmlColor(TColor color);
// Text made safe for HTML element content ("&", "<" and ">" as entities).
std::string HtmlEscape(const std::string& text);

class THtmlRenderer {
 public:
  // Collects the rendering of range in Lines (one collected line per text line, plus the
  // wrapper lines). A fragment (wholeDocument false) has no HTML/BODY wrapper.
  void Render(TCustomCodeMemo& memo, const TTextRange& range, bool wholeDocument,
              bool withFontSize);
  TStringList Lines;

 private:
  void AddRun(std::string& out, const std::string& text, bool url, const std::string& tag);
  std::string openTag_;  // the run's font tag currently open, or empty
};

// Renders range into rtf's body (font, size, colours and hyperlinks of the runs).
void RenderRtf(TCustomCodeMemo& memo, const TTextRange& range, TRTFEngine& rtf);

// Convenience: the whole RTF document / the HTML fragment of range.
std::string RtfDocument(TCustomCodeMemo& memo, const TTextRange& range);
std::string HtmlFragment(TCustomCodeMemo& memo, const TTextRange& range);

}  // namespace kv
