#include "translate/TestModeInfo.h"

#include "support/AnsiCase.h"

namespace kv {

KV_DEFINE_CLASS(TTestModeInfo, TPersistent, {})

void TTestModeInfo::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TTestModeInfo*>(source)) {
    Active = s->Active;
    Kind = s->Kind;
    ExpandWidthPercent = s->ExpandWidthPercent;
    ExpandCharsPercent = s->ExpandCharsPercent;
    PaddingChar = s->PaddingChar;
    return;
  }
  TPersistent::Assign(source);
}

namespace {
TTextWidthFunction& WidthFunction() {
  static TTextWidthFunction f;
  return f;
}
}  // namespace

void SetTextWidthFunction(TTextWidthFunction measure) {
  WidthFunction() = std::move(measure);
}

int MeasureTestModeText(const std::string& text) {
  if (WidthFunction()) return WidthFunction()(text);
  // Tahoma at 8 points: about 5 pixels for lower case, 6 for capitals and digits.
  int w = 0;
  for (unsigned char c : text) w += (AnsiUpperChar(c) == c && AnsiLowerChar(c) != c) ? 6 : 5;
  return w;
}

std::string PseudoTranslate(const std::string& text, const TTestModeInfo& info) {
  switch (info.Kind) {
    case TTestModeKind::tmkFlipCase: {
      std::string r = text;
      for (char& c : r) {
        const auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(AnsiUpperChar(u) == u && AnsiLowerChar(u) != u ? AnsiLowerChar(u)
                                                                             : AnsiUpperChar(u));
      }
      return r;
    }
    case TTestModeKind::tmkExpandChars: {
      if (text.find('%') != std::string::npos || text.empty()) return text;
      const long total = static_cast<long>(text.size()) * info.ExpandCharsPercent / 100;
      long remaining = total;
      const long len = static_cast<long>(text.size());
      std::string r;
      for (long i = 1; i <= len; ++i) {
        r += text[i - 1];
        const long n = remaining / (len - i + 1);
        r.append(static_cast<size_t>(n), info.PaddingChar);
        remaining -= n;
      }
      return r;
    }
    case TTestModeKind::tmkExpandWidth:
    default: {
      std::string r = AnsiUpperCase(text);
      const int base = MeasureTestModeText(text);
      const long target = base + static_cast<long>(base) * info.ExpandWidthPercent / 100;
      long pos = static_cast<long>(r.size());  // 1-based: before the last character
      // Every insertion widens the text, so the loop ends; the cap guards a measuring
      // function that never grows.
      for (int guard = 0; MeasureTestModeText(r) < target && guard < 10000; ++guard) {
        if (pos <= 1) pos = static_cast<long>(r.size()) - 1;
        if (pos < 1) pos = 1;
        r.insert(static_cast<size_t>(pos - 1), 1, info.PaddingChar);
        pos -= 2;
      }
      return r;
    }
  }
}

}  // namespace kv
