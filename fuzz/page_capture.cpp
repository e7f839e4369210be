// The page capture reader on arbitrary strings, taken as UTF-16 code units or, for readable
// seeds, one unit per byte: it either refuses the string with its error or reads a page that
// the serialiser turns into lines.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "engine/PageCapture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::TFuzzInput in(data, size);
  const bool wide = in.Byte() & 0x80;
  const std::string fileDoctype = in.Field();
  const std::string rest = in.Rest();
  std::u16string capture;
  if (wide) {
    for (std::size_t i = 0; i + 1 < rest.size(); i += 2)
      capture += static_cast<char16_t>(static_cast<unsigned char>(rest[i]) |
                                       static_cast<unsigned char>(rest[i + 1]) << 8);
  } else {
    for (char c : rest) capture += static_cast<char16_t>(static_cast<unsigned char>(c));
  }
  try {
    kv::TCapturedPage page = kv::ReadPageCapture(capture);
    const kv::TSerializedPage text = kv::CapturedPageText(page, fileDoctype);
    if (kv::CapturedPageLines(std::move(page), fileDoctype) != text.Lines())
      kv::fuzz::Fail("the captured page's text and lines differ");
  } catch (const kv::EPageCaptureError&) {
  }
  return 0;
}
