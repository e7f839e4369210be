// Writes small JPEGs with libjpeg in exactly the colour layouts the decoder has to understand,
// so that the tests do not depend on pictures made by some other program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv::test {

enum class TJpegLayout {
  Rgb,            // three components, YCbCr in the file
  Gray,           // one component
  CmykAdobe,      // four components, Adobe marker, samples stored inverted (0 = full ink)
  CmykPlain,      // four components, no Adobe marker, samples stored as ink amounts
  YcckAdobe,      // CMYK transformed to YCCK, Adobe marker, inverted as Adobe writes it
  RgbProgressive  // as Rgb, in progressive scans
};

// A picture of width x height filled with one colour given as samples of the layout
// (3 for the RGB layouts, 1 for Gray, 4 for the CMYK layouts).
std::string EncodeSolidJpeg(TJpegLayout layout, int width, int height,
                            const std::vector<uint8_t>& sample, int quality = 95);

// A picture of pseudo-random colour noise: large entropy-coded data, for truncation tests.
std::string EncodeNoiseJpeg(int width, int height, unsigned seed = 1);

}  // namespace kv::test
