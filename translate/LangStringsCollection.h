// The lookup index of program strings: one item per row of the Strings table (identifier and
// the cells of every language), sorted by identifier so that lookups are binary searches.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/classes/Collection.h"
#include "platform/classes/Strings.h"

namespace kv {

class TLangStringsCollectionItem : public TCollectionItem {
  KV_DECLARE_CLASS()
  explicit TLangStringsCollectionItem(TCollection* collection);

  std::string Identifier;
  // The cells of columns 1 .. number of languages, in order.
  TStringList& Strings() { return *strings_; }
  const TStringList& Strings() const { return *strings_; }

 private:
  std::unique_ptr<TStringList> strings_;
};

// A collection that can put its items in order (quicksort over the item positions).
class TLangSortCollection : public TCollection {
  KV_DECLARE_CLASS()
  using TItemCompare = std::function<int(const TCollectionItem*, const TCollectionItem*)>;
  using TCollection::TCollection;
  void Sort(const TItemCompare& compare);
};

class TLangStringsCollection : public TLangSortCollection {
  KV_DECLARE_CLASS()
  TLangStringsCollection();

  TLangStringsCollectionItem* Item(int index) const;
  // Rebuilds from rows (key, then one cell per language); sortColumn 0 sorts by identifier,
  // k >= 1 by the cell of language k.
  void Build(const TStrings& rows, int languages, char delim, int sortColumn = 0);
  // Binary search by identifier ignoring letter case; -1 when absent.
  int FindIdentifier(const std::string& identifier) const;

 private:
  int sortColumn_ = 0;
};

}  // namespace kv
