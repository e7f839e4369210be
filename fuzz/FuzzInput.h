// Splits a fuzzer's input bytes into the pieces a target needs: small numbers and choices from
// the front, length-prefixed strings, and the rest as text or lines. Running out of bytes yields
// zeros and empty strings, so every input is usable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::fuzz {

class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return rest_.empty(); }
  std::size_t Size() const { return rest_.size(); }

  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }
  bool Flag() { return Byte() & 1; }
  // A value in [0, count); count must be positive.
  std::size_t Pick(std::size_t count) { return Byte() % count; }
  std::uint32_t Word() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return v;
  }
  // A string whose length (at most maxLength) is the next byte.
  std::string String(std::size_t maxLength = 255) {
    std::size_t n = Byte();
    if (n > maxLength) n %= maxLength + 1;
    return Take(n);
  }
  // The bytes up to the next NUL (dropped) or the end.
  std::string Field() {
    const std::size_t n = rest_.find('\0');
    std::string s(rest_.substr(0, n));
    rest_.remove_prefix(n == std::string_view::npos ? rest_.size() : n + 1);
    return s;
  }
  std::string Take(std::size_t n) {
    if (n > rest_.size()) n = rest_.size();
    std::string s(rest_.substr(0, n));
    rest_.remove_prefix(n);
    return s;
  }
  std::string Rest() { return Take(rest_.size()); }
  // The rest cut at every LF (a CR stays in its line, as an engine may hand it over).
  std::vector<std::string> RestLines() {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (;;) {
      const std::size_t lf = rest_.find('\n', at);
      lines.emplace_back(
          rest_.substr(at, lf == std::string_view::npos ? std::string_view::npos : lf - at));
      if (lf == std::string_view::npos) break;
      at = lf + 1;
    }
    rest_ = {};
    return lines;
  }

 private:
  std::string_view rest_;
};

// Stops the run with the message where a target's own check fails (libFuzzer reports the abort
// with its input).
[[noreturn]] void Fail(const char* what);

}  // namespace kv::fuzz

#include <cstdio>
#include <cstdlib>

inline void kv::fuzz::Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}
