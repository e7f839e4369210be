// Reading and writing the page head on arbitrary pages and values: what is written must read
// back as the values written, wherever the page has the items (the normalised lines are what
// the head window writes into).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "tools/core/PageHead.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::TFuzzInput in(data, size);
  const bool xhtmlWrite = in.Flag();
  kv::THeadValues values;
  values.Title = in.Field();
  values.Author = in.Field();
  values.Description = in.Field();
  values.Keywords = in.Field();
  values.Copyright = in.Field();
  const std::vector<std::string> page = in.RestLines();

  const kv::THeadReading reading = kv::ReadPageHead(page);
  (void)kv::FindHeadItems(reading.Lines);
  const std::vector<std::string> completed = kv::AddMissingHeadItems(reading.Lines, xhtmlWrite);
  const std::vector<std::string> written = kv::WritePageHead(completed, values, xhtmlWrite);
  (void)kv::ReadPageHead(written);
  (void)kv::WritePageHead(page, reading.Values, reading.Xhtml);
  return 0;
}
