#include "tools/core/Gradient.h"

#include <algorithm>

namespace kv {

long long RoundHalfEven(long long numerator, long long denominator) {
  const long long quotient = numerator / denominator;
  const long long twice = 2 * (numerator % denominator);
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) return quotient + 1;
  return quotient;
}

std::vector<TGradientBand> GradientBands(int height, TColor start, TColor end, int maxSteps) {
  std::vector<TGradientBand> bands;
  if (height < 1) return bands;
  const long long n = std::max(1, std::min(maxSteps, height));
  const auto channel = [n](TColor from, TColor to, int shift, long long i) {
    const long long a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    // a + i * (b - a) / n over the common denominator n; never negative for 0 <= i <= n.
    return static_cast<TColor>(RoundHalfEven(a * n + i * (b - a), n)) << shift;
  };
  bands.reserve(static_cast<size_t>(n) + 1);
  for (long long i = 0; i <= n; ++i) {
    TGradientBand band;
    band.Top = static_cast<int>(RoundHalfEven(i * height, n));
    band.Bottom = static_cast<int>(RoundHalfEven((i + 1) * height, n));
    band.Color = channel(start, end, 0, i) | channel(start, end, 8, i) | channel(start, end, 16, i);
    bands.push_back(band);
  }
  return bands;
}

}  // namespace kv
