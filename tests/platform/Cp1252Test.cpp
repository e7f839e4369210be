#include <gtest/gtest.h>

#include "support/Cp1252.h"

namespace kv {
namespace {

TEST(Cp1252, MapsTheWindowsRowsNotLatin1) {
  struct Case {
    unsigned char byte;
    char32_t unicode;
  };
  const Case cases[] = {{0x80, 0x20AC}, {0x8A, 0x0160}, {0x93, 0x201C}, {0x9F, 0x0178},
                        {0xE4, 0x00E4}, {0xDF, 0x00DF}, {0x81, 0x0081}, {'A', 'A'}};
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUnicode(c.byte), c.unicode) << int(c.byte);
    EXPECT_EQ(UnicodeToCp1252(c.unicode), c.byte) << int(c.byte);
  }
}

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all), '?', &lossless), all);
  EXPECT_TRUE(lossless);
  EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
}

TEST(Cp1252, CharactersOutsideTheCodePageAreReplacedAndReported) {
  bool lossless = true;
  EXPECT_EQ(Utf8ToCp1252("a\xE2\x88\x9E"
                         "b",
                         '?', &lossless),
            "a?b");  // U+221E infinity
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp1252("\xFF\xFE"), "??");  // invalid UTF-8 decodes leniently
}

// What a user typed becomes page text without loss: Windows-1252 characters as themselves,
// all others (a character beyond U+FFFF as one) as decimal references.
TEST(Cp1252, TypedTextBecomesPageTextWithReferences) {
  struct Case {
    std::u16string text;
    std::string page;
  } cases[] = {
      {u"\u0141\u00F3d\u017A \u6771\u4EAC \U0001F600",
       "&#321;\xF3"
       "d&#378; &#26481;&#20140; &#128512;"},
      {u"\u00E4\u00F6\u00FC\u00DF\u20AC\u201Eq\u201C", "\xE4\xF6\xFC\xDF\x80\x84q\x93"},
      {u"a&#38;b", "a&#38;b"},                                    // typed references stay as typed
      {std::u16string(1, char16_t{0xD83D}) + u"x", "&#65533;x"},  // a lone half is no character
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16ToPageText(c.text), c.page);
  EXPECT_EQ(PageCharacter(U'\U0001F600'), "&#128512;");
  EXPECT_EQ(PageCharacter(U'\u20AC'), "\x80");
}

}  // namespace
}  // namespace kv
