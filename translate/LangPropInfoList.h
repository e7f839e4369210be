// The published properties of one object's class, filtered by kind, as a small list that can
// be asked by position or by name. Built afresh for every question: nothing is cached.
#pragma once

#include <string_view>
#include <vector>

#include "platform/classes/TypInfo.h"

namespace kv {

class TLangPropInfoList {
 public:
  // Raises Exception when object is null.
  TLangPropInfoList(const TPersistent* object, TTypeKinds kinds = tkProperties);

  int Count() const { return static_cast<int>(items_.size()); }
  const TPropInfo* Items(int index) const { return items_.at(index); }
  // First match, ignoring letter case; null when absent.
  const TPropInfo* Find(std::string_view name) const;

 private:
  std::vector<const TPropInfo*> items_;
};

// Helpers over the list: does object publish a property of the given kinds (and, for class
// properties, one whose object descends from className)?
const TPropInfo* FindPublished(const TPersistent* object, std::string_view name, TTypeKinds kinds);
TPersistent* PublishedObject(TPersistent* object, std::string_view name,
                             std::string_view className);

}  // namespace kv
