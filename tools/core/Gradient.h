// The bands a gradient background is drawn in: full-width stripes of one colour each, from the
// start colour at the top to the end colour at the bottom.
#pragma once

#include <vector>

#include "platform/classes/Graphics.h"

namespace kv {

struct TGradientBand {
  int Top = 0;     // first row
  int Bottom = 0;  // row after the last; may lie beyond the height (the last band)
  TColor Color = clBlack;
  bool operator==(const TGradientBand&) const = default;
};

// numerator / denominator rounded to the nearest integer, a half to the even neighbour.
// denominator > 0, numerator >= 0.
long long RoundHalfEven(long long numerator, long long denominator);

// The bands over a height: n = min(maxSteps, height), at least 1; bands i = 0..n (n + 1, the
// last starting at the bottom edge); band i covers rows round(i * height / n) up to
// round((i + 1) * height / n), and each channel of its colour is
// round(start + i * (end - start) / n). Empty for a height below 1.
std::vector<TGradientBand> GradientBands(int height, TColor start, TColor end, int maxSteps = 100);

}  // namespace kv
