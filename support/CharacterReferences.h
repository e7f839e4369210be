// Values the user edits as characters while the page holds them as page text: Windows-1252
// bytes in which markup characters and every character outside the code page are character
// references ("&amp;", "&#321;").
#pragma once

#include <string>
#include <string_view>

namespace kv {

// The characters page text stands for: each byte decoded from Windows-1252, and every valid
// character reference replaced by its character. Valid are the named references of HTML 4
// (and "&apos;") with their closing semicolon, and decimal or hexadecimal numeric references
// with the semicolon naming a code point other than 0 and the surrogates, up to U+10FFFF
// ("&#150;" stands for what Windows-1252 byte 150 shows, as browsers read it). Anything else,
// a lone "&" included, stays as it is.
std::u32string DecodeCharacterReferences(std::string_view pageText);

// Characters as page text for an attribute value or a title: "&", "<", ">" and the double
// quote as "&amp;", "&lt;", "&gt;" and "&quot;", the no-break space as "&nbsp;", control
// characters other than the tab and every character outside Windows-1252 as decimal numeric
// references, everything else as its Windows-1252 byte. The result holds no double quote and no
// line break, so it cannot end the value or the line it is written into.
std::string EncodeAttributeText(std::u32string_view text);

}  // namespace kv
