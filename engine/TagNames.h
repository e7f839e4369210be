// Flags looked up by tag name, letter case ignored, for the page reader and the serialiser,
// which ask once or twice for every element of a page: buckets by length and first and last
// letter instead of hashing the whole name.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace kv {

class TTagNames {
 public:
  // Adds flag to each name (lower-case ASCII).
  void Mark(std::initializer_list<std::string_view> names, unsigned flag);

  // The flags of a name in UTF-8 or UTF-16; 0 for a name not marked.
  template <class TChar>
  unsigned Flags(std::basic_string_view<TChar> name) const {
    if (name.empty() || name.size() > kLongest) return 0;
    char lower[kLongest];
    for (std::size_t i = 0; i < name.size(); ++i) {
      const auto c = name[i];
      if (c < 0 || c >= 0x80) return 0;
      lower[i] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    const std::string_view key(lower, name.size());
    for (const TEntry& e : buckets_[Bucket(key)])
      if (e.Name == key) return e.Flags;
    return 0;
  }

 private:
  static constexpr std::size_t kLongest = 16;
  struct TEntry {
    std::string_view Name;
    unsigned Flags;
  };
  static std::size_t Bucket(std::string_view lower) {
    return (lower.size() * 31 + static_cast<unsigned char>(lower.front()) * 7 +
            static_cast<unsigned char>(lower.back())) %
           kBuckets;
  }
  static constexpr std::size_t kBuckets = 97;
  std::array<std::vector<TEntry>, kBuckets> buckets_;
};

}  // namespace kv
