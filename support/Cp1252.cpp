#include "support/Cp1252.h"

namespace kv {
namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    // Runs of ASCII, the bulk of a page, go over as a block.
    std::size_t ascii = i;
    while (ascii < n && text[ascii] < 0x80) ++ascii;
    if (ascii > i) {
      const std::size_t at = out.size();
      out.resize(at + (ascii - i));
      char* to = out.data() + at;
      for (std::size_t k = i; k < ascii; ++k) *to++ = static_cast<char>(text[k]);
      i = ascii;
      continue;
    }
    char32_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < n && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
}

char32_t Cp1252ToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kHigh[c - 0x80];
  return c;
}

int UnicodeToCp1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<int>(u);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == u) return 0x80 + i;
  return -1;
}

namespace {

void AppendPageCharacter(std::string& out, char32_t c) {
  const int b = UnicodeToCp1252(c);
  if (b >= 0) {
    out += static_cast<char>(b);
  } else {
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(c));
    out += ';';
  }
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 8);
  for (unsigned char c : ansi) AppendUtf8(out, Cp1252ToUnicode(c));
  return out;
}

char32_t DecodeUtf8At(std::string_view s, std::size_t& i) {
  const std::size_t n = s.size();
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  const int len = (c >= 0xC2 && c <= 0xDF)   ? 2
                  : (c >= 0xE0 && c <= 0xEF) ? 3
                  : (c >= 0xF0 && c <= 0xF4) ? 4
                                             : 0;
  char32_t u = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  bool ok = len > 0 && i + len <= n;
  for (int k = 1; ok && k < len; ++k) {
    const unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) ok = false;
    u = (u << 6) | (cc & 0x3F);
  }
  if (ok && ((len == 3 && (u < 0x800 || (u >= 0xD800 && u <= 0xDFFF))) ||
             (len == 4 && (u < 0x10000 || u > 0x10FFFF))))
    ok = false;
  if (!ok) {
    ++i;
    return 0xFFFD;
  }
  i += len;
  return u;
}

std::u32string DecodeUtf8(const std::string& s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) out += DecodeUtf8At(s, i);
  return out;
}

std::string EncodeUtf8(const std::u32string& text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t u : text) AppendUtf8(out, u);
  return out;
}

std::string Utf8ToCp1252(const std::string& utf8, char replacement, bool* lossless) {
  std::string out;
  out.reserve(utf8.size());
  if (lossless) *lossless = true;
  for (char32_t u : DecodeUtf8(utf8)) {
    int b = UnicodeToCp1252(u);
    if (b < 0) {
      out += replacement;
      if (lossless) *lossless = false;
    } else {
      out += static_cast<char>(b);
    }
  }
  return out;
}

std::string Utf8ToPageText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    AppendPageCharacter(out, DecodeUtf8At(utf8, i));
  }
  return out;
}

std::u16string Cp1252ToUtf16(const std::string& ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (unsigned char c : ansi) out += static_cast<char16_t>(Cp1252ToUnicode(c));
  return out;
}

std::string Utf16ToCp1252(const std::u16string& text, char replacement, bool* lossless) {
  std::string out;
  out.reserve(text.size());
  if (lossless) *lossless = true;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    int b = UnicodeToCp1252(u);
    if (b < 0) {
      out += replacement;
      if (lossless) *lossless = false;
    } else {
      out += static_cast<char>(b);
    }
  }
  return out;
}

std::string PageCharacter(char32_t c) {
  std::string out;
  AppendPageCharacter(out, c);
  return out;
}

std::string Utf16ToPageText(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u < 0x80) {  // most text: as it is
      out += static_cast<char>(u);
      continue;
    }
    char32_t c = u;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      c = 0xFFFD;  // half of a pair is no character
    }
    AppendPageCharacter(out, c);
  }
  return out;
}

}  // namespace kv
