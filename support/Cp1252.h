// Windows-1252 <-> Unicode. Text inside the program is 8-bit Windows-1252; these are the only
// conversions, used wherever text crosses to Qt, to the web engine or to UTF-8 files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// The Unicode code point of a Windows-1252 byte. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// Windows' own conversion does, so that every byte survives a round trip.
char32_t Cp1252ToUnicode(unsigned char c);

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int UnicodeToCp1252(char32_t u);

// Whole-string conversions. Decoding never fails; encoding writes `replacement` for a code
// point Windows-1252 lacks and clears *lossless (when given).
std::string Cp1252ToUtf8(const std::string& ansi);
std::string Utf8ToCp1252(const std::string& utf8, char replacement = '?', bool* lossless = nullptr);
std::u16string Cp1252ToUtf16(const std::string& ansi);
std::string Utf16ToCp1252(const std::u16string& text, char replacement = '?',
                          bool* lossless = nullptr);

// Unicode text as page text: a character Windows-1252 holds as its byte, any other as its
// decimal numeric character reference ("\u0141" -> "&#321;"). Nothing is ever replaced. In
// UTF-16 a surrogate pair is one character; a lone half of one is no character and stands as
// U+FFFD.
std::string PageCharacter(char32_t c);
std::string Utf16ToPageText(std::u16string_view text);

// Decodes UTF-8 leniently: a byte that does not start a valid sequence yields U+FFFD.
std::u32string DecodeUtf8(const std::string& utf8);
std::string EncodeUtf8(const std::u32string& text);
// One code point of DecodeUtf8: the one at i, which moves past it (i < utf8.size()).
char32_t DecodeUtf8At(std::string_view utf8, std::size_t& i);
// Appends the UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t u);
// UTF-8 text as page text: Windows-1252, every other character as a numeric character
// reference ("&#321;"), a byte that starts no valid sequence as that of U+FFFD.
std::string Utf8ToPageText(std::string_view utf8);
// Appends UTF-16 text as UTF-8. A lone surrogate stands for no character: it becomes U+FFFD.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);

}  // namespace kv
