// The table fields' whole numbers on arbitrary text: a value read must read back the same from
// its decimal form, and blanks around a number must not change it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "tools/core/IntegerSyntax.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> value = kv::ParseFrameworkInteger(text);
  (void)kv::TrimBlanksAndControls(text);
  if (value) {
    if (kv::ParseFrameworkInteger(std::to_string(*value)) != value)
      kv::fuzz::Fail("the decimal form reads as another number");
    if (kv::ParseFrameworkInteger(" " + text + "\t") != value)
      kv::fuzz::Fail("blanks around the number change it");
  }
  return 0;
}
