// The small record kept beside a recovery copy: which page the copy is of, and when it was
// taken. A text file of named fields; byte fields carry their length, so a path keeps every
// byte it has (line breaks and bytes that are no UTF-8 included).
//
//   KAVELIN recovery record
//   version 1
//   page <n>            then the n bytes of the page's path and a line end
//   untitled            instead of "page": a new page not saved yet
//   docdir <n>          then the n bytes of the page's folder
//   time <seconds since 1970>
//   size <bytes of the copy>
//   hash <16 hex digits: FNV-1a of the copy>
//   end
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

struct TRecoveryRecord {
  static constexpr int CurrentVersion = 1;

  bool Untitled = false;
  std::string PagePath;  // the host's bytes; empty for an untitled page
  std::string DocDir;    // the host's bytes
  std::int64_t Time = 0;
  std::uint64_t CopySize = 0;
  std::uint64_t CopyHash = 0;

  bool operator==(const TRecoveryRecord&) const = default;
};

enum class TRecordState { Ok, Damaged, FutureVersion };

struct TRecordReading {
  TRecordState State = TRecordState::Damaged;
  TRecoveryRecord Record;  // complete only when State is Ok
};

std::string WriteRecoveryRecord(const TRecoveryRecord& record);
// Never fails: a truncated, altered or foreign file reads as Damaged, a record of a later
// version of the program as FutureVersion.
TRecordReading ReadRecoveryRecord(std::string_view bytes);

// The hash the record keeps of its copy (64-bit FNV-1a).
std::uint64_t CopyHash(std::string_view bytes);

}  // namespace kv
