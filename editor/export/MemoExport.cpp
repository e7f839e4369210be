#include "editor/export/MemoExport.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "editor/core/CodeMemo.h"

namespace kv {

namespace {

// Calls f(text, run) for the part of each run of line y that lies in range, in order.
template <class F>
void ForEachRunInRange(TCustomCodeMemo& memo, const TTextRange& range, int y, TTokenState& state,
                       F&& f) {
  const std::string& line = memo.Line(y);
  const int from = y == range.Start.Line ? range.Start.Col : 0;
  const int to = y == range.End.Line ? range.End.Col : INT_MAX;
  memo.TokenizeLine(line, state, [&](const TTokenRun& run) {
    const int start = std::max(run.Start, from);
    const int end = std::min(run.Start + static_cast<int>(run.Text.size()), to);
    if (start >= end) return;
    f(std::string(run.Text.substr(start - run.Start, end - start)), run);
  });
}

bool ValidRange(const TCustomCodeMemo& memo, const TTextRange& r) {
  return r.Start.Line >= 0 && r.End.Line < memo.LineCount();
}

std::string FontTag(const TRunColors& c) {
  std::string style;
  const bool bold = c.Style & fsBold, italic = c.Style & fsItalic;
  if (bold || italic) {
    style = "font:";
    if (bold) style += "bold";
    if (italic) style += bold ? ",italic" : "italic";
    style += ";";
  }
  if (c.Style & fsUnderline) style += "text-decoration:underline;";
  return "<FONT style=\"background-color: " + HtmlColor(c.BkColor) +
         ";color:" + HtmlColor(c.TextColor) + ";" + style + "\">";
}

std::string AttributeEscape(const std::string& text) {
  std::string out;
  for (char ch : text) {
    if (ch == '"')
      out += "&quot;";
    else if (ch == '&')
      out += "&amp;";
    else if (ch == '<')
      out += "&lt;";
    else if (ch == '>')
      out += "&gt;";
    else
      out += ch;
  }
  return out;
}

}  // namespace

TTextRange LinesRange(const TCustomCodeMemo& memo, int firstLine, int lastLine) {
  const int count = memo.LineCount();
  if (firstLine < 0) {
    firstLine = 0;
    lastLine = count - 1;
  }
  firstLine = std::clamp(firstLine, 0, count - 1);
  lastLine = std::clamp(lastLine, firstLine, count - 1);
  return {{firstLine, 0}, {lastLine, memo.LineLength(lastLine)}};
}

TTextRange SelectionRange(const TCustomCodeMemo& memo) {
  return memo.Selection();
}

std::string HtmlColor(TColor color) {
  TColor c = ColorToRGB(color);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

void THtmlRenderer::AddRun(std::string& out, const std::string& text, bool url,
                           const std::string& tag) {
  if (tag != openTag_) {
    if (!openTag_.empty()) out += "</FONT>";
    out += tag;
    openTag_ = tag;
  }
  if (url)
    out += "<a href=\"" + AttributeEscape(text) + "\">" + HtmlEscape(text) + "</a>";
  else
    out += HtmlEscape(text);
}

void THtmlRenderer::Render(TCustomCodeMemo& memo, const TTextRange& range, bool wholeDocument,
                           bool withFontSize) {
  Lines.Clear();
  openTag_.clear();
  const TFont& font = memo.Font();
  if (wholeDocument) {
    const std::string link = HtmlColor(memo.UrlStyle().TextColor());
    Lines.Add("<HTML>");
    Lines.Add("<BODY bgColor=" + HtmlColor(memo.BkColor) + " LINK=" + link + " VLINK=" + link +
              " ALINK=" + link + ">");
  }
  Lines.Add("<PRE>");
  std::string face = font.Name();
  std::erase(face, '"');
  Lines.Add("<FONT style=\"font-family:" + AttributeEscape(face) +
            (withFontSize ? "; font-size:" + std::to_string(font.Size()) + "pt" : ";") + "\">");
  if (ValidRange(memo, range)) {
    TTokenState state = memo.LineStartState(range.Start.Line);
    for (int y = range.Start.Line; y <= range.End.Line; ++y) {
      std::string out;
      ForEachRunInRange(memo, range, y, state, [&](const std::string& text, const TTokenRun& run) {
        AddRun(out, text, run.State.Url, FontTag(run.Colors));
      });
      Lines.Add(out);
    }
  }
  if (!openTag_.empty()) Lines.Add("</FONT>");
  openTag_.clear();
  Lines.Add("</FONT>");
  Lines.Add("</PRE>");
  if (wholeDocument) {
    Lines.Add("</BODY>");
    Lines.Add("</HTML>");
  }
}

void RenderRtf(TCustomCodeMemo& memo, const TTextRange& range, TRTFEngine& rtf) {
  const TFont& font = memo.Font();
  rtf.SetFont(font.Name());
  rtf.SetFontSize(font.Size());
  rtf.SetForeColor(font.Color());
  if (!ValidRange(memo, range)) return;
  const TColor urlColor = memo.UrlStyle().TextColor();
  TTokenState state = memo.LineStartState(range.Start.Line);
  for (int y = range.Start.Line; y <= range.End.Line; ++y) {
    // The document's closing "\par" ends the last line, so no empty paragraph follows it.
    if (y > range.Start.Line) rtf.EndParagraph();
    ForEachRunInRange(memo, range, y, state, [&](const std::string& text, const TTokenRun& run) {
      if (run.State.Url) {
        rtf.AddHyperlink(text, text, urlColor);
        return;
      }
      rtf.SetHighlightColor(run.Colors.BkColor);
      rtf.SetForeColor(run.Colors.TextColor);
      rtf.SetBold(run.Colors.Style & fsBold);
      rtf.SetItalic(run.Colors.Style & fsItalic);
      rtf.SetUnderline(run.Colors.Style & fsUnderline);
      rtf.AddText(text);
    });
  }
}

std::string RtfDocument(TCustomCodeMemo& memo, const TTextRange& range) {
  TRTFEngine rtf;
  RenderRtf(memo, range, rtf);
  return rtf.Document();
}

std::string HtmlFragment(TCustomCodeMemo& memo, const TTextRange& range) {
  THtmlRenderer html;
  html.Render(memo, range, false, true);
  std::string out;
  for (int i = 0; i < html.Lines.Count(); ++i) {
    if (i) out += "\r\n";
    out += html.Lines.StringRef(i);
  }
  return out;
}

}  // namespace kv
