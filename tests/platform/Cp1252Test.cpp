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

}  // namespace
}  // namespace kv
