#include "app/core/RecoveryRecord.h"

#include <charconv>

namespace kv {

namespace {

constexpr std::string_view kMagic = "KAVELIN recovery record\n";

void Number(std::string& out, std::string_view name, std::uint64_t value) {
  out += name;
  out += ' ';
  out += std::to_string(value);
  out += '\n';
}

void Bytes(std::string& out, std::string_view name, std::string_view value) {
  Number(out, name, value.size());
  out += value;
  out += '\n';
}

// Reads the fields in their fixed order; any deviation makes the whole record damaged.
class TRecordReader {
 public:
  explicit TRecordReader(std::string_view text) : text_(text) {}

  bool Literal(std::string_view literal) {
    if (text_.substr(0, literal.size()) != literal) return false;
    text_.remove_prefix(literal.size());
    return true;
  }
  bool Number(std::string_view name, std::uint64_t& value, int base = 10) {
    if (!Literal(name) || !Literal(" ")) return false;
    const char* end = text_.data() + text_.size();
    auto [next, error] = std::from_chars(text_.data(), end, value, base);
    if (error != std::errc() || next == text_.data()) return false;
    text_.remove_prefix(static_cast<std::size_t>(next - text_.data()));
    return Literal("\n");
  }
  bool Bytes(std::string_view name, std::string& value) {
    std::uint64_t length = 0;
    if (!Number(name, length) || length > text_.size()) return false;
    value.assign(text_.substr(0, length));
    text_.remove_prefix(length);
    return Literal("\n");
  }
  bool AtEnd() const { return text_.empty(); }

 private:
  std::string_view text_;
};

}  // namespace

std::string WriteRecoveryRecord(const TRecoveryRecord& record) {
  std::string out(kMagic);
  Number(out, "version", TRecoveryRecord::CurrentVersion);
  if (record.Untitled)
    out += "untitled\n";
  else
    Bytes(out, "page", record.PagePath);
  Bytes(out, "docdir", record.DocDir);
  Number(out, "time", static_cast<std::uint64_t>(record.Time));
  Number(out, "size", record.CopySize);
  char hash[17];
  std::to_chars_result r = std::to_chars(hash, hash + 16, record.CopyHash, 16);
  out += "hash " + std::string(16 - static_cast<std::size_t>(r.ptr - hash), '0') +
         std::string(hash, r.ptr) + "\n";
  out += "end\n";
  return out;
}

TRecordReading ReadRecoveryRecord(std::string_view bytes) {
  TRecordReading reading;
  TRecordReader in(bytes);
  std::uint64_t version = 0, time = 0;
  if (!in.Literal(kMagic) || !in.Number("version", version) || version == 0) return reading;
  if (version > TRecoveryRecord::CurrentVersion) {
    reading.State = TRecordState::FutureVersion;
    return reading;
  }
  TRecoveryRecord& r = reading.Record;
  r.Untitled = in.Literal("untitled\n");
  const bool ok = (r.Untitled || in.Bytes("page", r.PagePath)) && in.Bytes("docdir", r.DocDir) &&
                  in.Number("time", time) && in.Number("size", r.CopySize) &&
                  in.Number("hash", r.CopyHash, 16) && in.Literal("end\n") && in.AtEnd();
  if (!ok) return reading;
  r.Time = static_cast<std::int64_t>(time);
  reading.State = TRecordState::Ok;
  return reading;
}

std::uint64_t CopyHash(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001B3ULL;
  }
  return hash;
}

}  // namespace kv
