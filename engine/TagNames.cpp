#include "engine/TagNames.h"

namespace kv {

void TTagNames::Mark(std::initializer_list<std::string_view> names, unsigned flag) {
  for (std::string_view name : names) {
    std::vector<TEntry>& bucket = buckets_[Bucket(name)];
    bool found = false;
    for (TEntry& e : bucket)
      if (e.Name == name) {
        e.Flags |= flag;
        found = true;
      }
    if (!found) bucket.push_back({name, flag});
  }
}

}  // namespace kv
