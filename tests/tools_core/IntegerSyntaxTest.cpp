#include <gtest/gtest.h>

#include <optional>

#include "tools/core/IntegerSyntax.h"

namespace kv {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<std::int32_t> value;
};

TEST(IntegerSyntaxTest, ReadsTheFrameworksWholeNumbers) {
  const IntegerCase cases[] = {
      {"0", 0},
      {"5", 5},
      {" 5 ", 5},
      {"\t5\r\n", 5},
      {"007", 7},
      {"+12", 12},
      {"-12", -12},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$1F", 31},
      {"$1f", 31},
      {"x10", 16},
      {"X10", 16},
      {"0x10", 16},
      {"0XfF", 255},
      {"-$10", -16},
      {"+0x10", 16},
      {"$7FFFFFFF", 2147483647},
      {"$FFFFFFFF", -1},  // hexadecimal digits fill the 32 bits as they stand
      {"$80000000", INT32_MIN},
      {"-$FFFFFFFF", 1},
      // Not numbers, or beyond 32 bits.
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"5a", std::nullopt},
      {"5 5", std::nullopt},
      {"- 5", std::nullopt},
      {"+", std::nullopt},
      {"--5", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"$G", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$100000000", std::nullopt},
      {"\xA0"
       "5",
       std::nullopt},  // a no-break space is no blank
  };
  for (const IntegerCase& c : cases)
    EXPECT_EQ(ParseFrameworkInteger(c.text), c.value) << "\"" << c.text << "\"";
}

TEST(IntegerSyntaxTest, TrimsBlanksAndControlCharactersOnly) {
  EXPECT_EQ(TrimBlanksAndControls(" \t\x01 5 x\x1F "), "5 x");
  EXPECT_EQ(TrimBlanksAndControls("\xA0"
                                  "5"),
            "\xA0"
            "5");
  EXPECT_EQ(TrimBlanksAndControls("   "), "");
}

}  // namespace
}  // namespace kv
