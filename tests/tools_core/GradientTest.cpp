// The bands of the gradient backgrounds: step count, rounding of bounds and channels.
#include <gtest/gtest.h>

#include "tools/core/Gradient.h"

namespace kv {
namespace {

TEST(Gradient, RoundsHalvesToTheEvenNeighbour) {
  struct Case {
    long long numerator, denominator, rounded;
  } cases[] = {{1, 2, 0}, {3, 2, 2}, {5, 2, 2}, {7, 2, 4}, {1, 3, 0}, {2, 3, 1}, {300, 100, 3}};
  for (const Case& c : cases)
    EXPECT_EQ(RoundHalfEven(c.numerator, c.denominator), c.rounded)
        << c.numerator << "/" << c.denominator;
}

constexpr TColor kStart = 0xFDFBFB;  // #FBFBFD, the source window's
constexpr TColor kEnd = 0xDB8564;    // #6485DB

TEST(Gradient, BandsAtAFewHeights) {
  EXPECT_TRUE(GradientBands(0, kStart, kEnd).empty());
  EXPECT_TRUE(GradientBands(-5, kStart, kEnd).empty());

  // One row: one step, the start colour on the row and the end colour below it.
  EXPECT_EQ(GradientBands(1, kStart, kEnd),
            (std::vector<TGradientBand>{{0, 1, kStart}, {1, 2, kEnd}}));

  // 25 rows (the showcase header): a band per row, white to #DADADA.
  const auto header = GradientBands(25, 0xFFFFFF, 0xDADADA);
  ASSERT_EQ(header.size(), 26u);
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(header[i].Top, i);
    EXPECT_EQ(header[i].Bottom, i + 1);
  }
  // 255 - 12 * 37 / 25 = 237.24
  EXPECT_EQ(header[12].Color, 0xEDEDED);
  EXPECT_EQ(header[25].Color, 0xDADADA);

  // 150 rows: 100 steps of 1.5 rows; bounds and channels with halves to the even neighbour.
  const auto tall = GradientBands(150, kStart, kEnd);
  ASSERT_EQ(tall.size(), 101u);
  EXPECT_EQ(tall[0], (TGradientBand{0, 2, kStart}));  // 1.5 -> 2
  EXPECT_EQ(tall[1].Top, 2);
  EXPECT_EQ(tall[3].Top, 4);                              // 4.5 -> 4
  EXPECT_EQ(tall[5].Top, 8);                              // 7.5 -> 8
  EXPECT_EQ(tall[100], (TGradientBand{150, 152, kEnd}));  // the last starts at the bottom
  // Band 50: red 251 - 75.5 = 175.5 -> 176, green 251 - 59 = 192, blue 253 - 17 = 236.
  EXPECT_EQ(tall[50].Color, (236u << 16) | (192u << 8) | 176u);
  // Band 1: red 249.49 -> 249, green 249.82 -> 250, blue 252.66 -> 253.
  EXPECT_EQ(tall[1].Color, (253u << 16) | (250u << 8) | 249u);
  // The bands cover the rows without gaps.
  for (size_t i = 1; i < tall.size(); ++i) EXPECT_EQ(tall[i].Top, tall[i - 1].Bottom);

  // 700 rows: 100 bands of 7.
  const auto window = GradientBands(700, kStart, kEnd);
  EXPECT_EQ(window[10], (TGradientBand{70, 77, window[10].Color}));
}

}  // namespace
}  // namespace kv
