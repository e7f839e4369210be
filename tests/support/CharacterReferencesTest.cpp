// Meta values as the user sees them and as the page holds them.
#include <gtest/gtest.h>

#include "support/CharacterReferences.h"
#include "support/Cp1252.h"

namespace kv {
namespace {

std::u32string U(const char* utf8) {
  return DecodeUtf8(utf8);
}

TEST(CharacterReferences, DecodesEveryValidReferenceAndLeavesTheRest) {
  struct Case {
    const char* page;   // Windows-1252
    const char* shown;  // UTF-8
  } cases[] = {
      {"&#321;ukasz", "Łukasz"},
      {"&#x141;&#X142;", "Łł"},
      {"&amp; &lt;b&gt; &quot;x&quot; &apos;y&apos;", "& <b> \"x\" 'y'"},
      {"&Auml;&szlig;&euro;&nbsp;&hellip;&thetasym;", "Äß€\u00A0…ϑ"},
      {"M\xFC"
       "ller \x80 \x93q\x94",
       "Müller € “q”"},
      {"&#150; &#128;", "– €"},  // as browsers read the code page's numbers
      {"&#128512;", "😀"},
      // Not references: stay as they are.
      {"&amp &AMP; &foo; & x &#; &#x; &#12a; &;", "&amp &AMP; &foo; & x &#; &#x; &#12a; &;"},
      {"&#0; &#xD800; &#1114112; &#99999999999;", "&#0; &#xD800; &#1114112; &#99999999999;"},
      {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeCharacterReferences(c.page), U(c.shown)) << c.page;
}

TEST(CharacterReferences, EncodesMarkupQuotesBreaksAndForeignCharacters) {
  EXPECT_EQ(EncodeAttributeText(U("Łukasz \"<x>\" & Ä😀\tz\r\nq")),
            "&#321;ukasz &quot;&lt;x&gt;&quot; &amp; \xC4&#128512;\tz&#13;&#10;q");
  EXPECT_EQ(EncodeAttributeText(U("a\u00A0b €“”'")), "a&nbsp;b \x80\x93\x94'");
  EXPECT_EQ(EncodeAttributeText(U("\u0081\u009D")), "\x81\x9D");
}

TEST(CharacterReferences, WhatTheUserTypedSurvivesEveryRoundTrip) {
  for (const char* typed :
       {"Łukasz Żółć", "Tom & Jerry's \"best\" <page>", "a &amp; b", "&#321;", "€ 5 — ½", "東京 😀",
        "  leading and trailing  ", "\u0081\u008D\u008F\u0090\u009D"}) {
    std::u32string shown = U(typed);
    for (int round = 0; round < 3; ++round) {
      const std::string page = EncodeAttributeText(shown);
      EXPECT_EQ(page.find('"'), std::string::npos) << typed;
      EXPECT_EQ(page.find('<'), std::string::npos) << typed;
      shown = DecodeCharacterReferences(page);
      EXPECT_EQ(shown, U(typed)) << typed << " round " << round;
    }
  }
}

}  // namespace
}  // namespace kv
