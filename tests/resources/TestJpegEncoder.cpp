#include "tests/resources/TestJpegEncoder.h"

#include <cstdio>
#include <cstdlib>

extern "C" {
#include <jpeglib.h>
}

namespace kv::test {
namespace {

int ComponentsOf(TJpegLayout layout) {
  switch (layout) {
    case TJpegLayout::Gray:
      return 1;
    case TJpegLayout::CmykAdobe:
    case TJpegLayout::CmykPlain:
    case TJpegLayout::YcckAdobe:
      return 4;
    default:
      return 3;
  }
}

std::string Encode(TJpegLayout layout, int width, int height, const std::vector<uint8_t>& pixels,
                   int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = ComponentsOf(layout);
  cinfo.in_color_space = layout == TJpegLayout::Gray   ? JCS_GRAYSCALE
                         : cinfo.input_components == 4 ? JCS_CMYK
                                                       : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (layout == TJpegLayout::YcckAdobe) jpeg_set_colorspace(&cinfo, JCS_YCCK);
  if (layout == TJpegLayout::CmykPlain) cinfo.write_Adobe_marker = FALSE;
  if (layout == TJpegLayout::RgbProgressive) jpeg_simple_progression(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const int stride = width * cinfo.input_components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

}  // namespace

std::string EncodeSolidJpeg(TJpegLayout layout, int width, int height,
                            const std::vector<uint8_t>& sample, int quality) {
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(width) * height * sample.size());
  for (int i = 0; i < width * height; ++i)
    pixels.insert(pixels.end(), sample.begin(), sample.end());
  return Encode(layout, width, height, pixels, quality);
}

std::string EncodeNoiseJpeg(int width, int height, unsigned seed) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
  unsigned state = seed;
  for (uint8_t& v : pixels) {
    state = state * 1103515245u + 12345u;
    v = static_cast<uint8_t>(state >> 16);
  }
  return Encode(TJpegLayout::Rgb, width, height, pixels, 90);
}

}  // namespace kv::test
