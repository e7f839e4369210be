// The recovery record reader on arbitrary files: it must never fail, and a record read whole
// must be written back so that it reads as the same record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzInput.h"
#include "app/core/RecoveryRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kv::TRecordReading reading = kv::ReadRecoveryRecord(bytes);
  (void)kv::CopyHash(bytes);
  if (reading.State == kv::TRecordState::Ok) {
    const kv::TRecordReading again =
        kv::ReadRecoveryRecord(kv::WriteRecoveryRecord(reading.Record));
    if (again.State != kv::TRecordState::Ok || !(again.Record == reading.Record))
      kv::fuzz::Fail("a record read does not read back after writing");
  }
  return 0;
}
