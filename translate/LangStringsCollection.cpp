#include "translate/LangStringsCollection.h"

#include <vector>

#include "support/AnsiCase.h"
#include "translate/LangRows.h"

namespace kv {

KV_DEFINE_CLASS(TLangStringsCollectionItem, TCollectionItem, {})

TLangStringsCollectionItem::TLangStringsCollectionItem(TCollection* collection)
    : TCollectionItem(collection), strings_(std::make_unique<TStringList>()) {}

KV_DEFINE_CLASS(TLangSortCollection, TCollection, {})

void TLangSortCollection::Sort(const TItemCompare& compare) {
  const int n = Count();
  if (n < 2) return;
  std::vector<TCollectionItem*> items;
  items.reserve(n);
  for (int i = 0; i < n; ++i) items.push_back(Items(i));
  // Hoare-style quicksort on the middle element, iterating over the larger part so that the
  // recursion depth stays logarithmic even for already sorted tables.
  std::function<void(int, int)> quick = [&](int lo, int hi) {
    while (lo < hi) {
      TCollectionItem* pivot = items[lo + (hi - lo) / 2];
      int i = lo, j = hi;
      while (i <= j) {
        while (compare(items[i], pivot) < 0) ++i;
        while (compare(items[j], pivot) > 0) --j;
        if (i <= j) std::swap(items[i++], items[j--]);
      }
      if (j - lo < hi - i) {
        quick(lo, j);
        lo = i;
      } else {
        quick(i, hi);
        hi = j;
      }
    }
  };
  quick(0, n - 1);
  // Re-attach in sorted order: detaching and re-adding keeps ownership with the collection.
  BeginUpdate();
  for (TCollectionItem* item : items) item->SetCollection(nullptr);
  for (TCollectionItem* item : items) item->SetCollection(this);
  EndUpdate();
}

KV_DEFINE_CLASS(TLangStringsCollection, TLangSortCollection, {})

TLangStringsCollection::TLangStringsCollection()
    : TLangSortCollection([](TCollection* c) { return new TLangStringsCollectionItem(c); }) {}

TLangStringsCollectionItem* TLangStringsCollection::Item(int index) const {
  return static_cast<TLangStringsCollectionItem*>(Items(index));
}

void TLangStringsCollection::Build(const TStrings& rows, int languages, char delim,
                                   int sortColumn) {
  BeginUpdate();
  Clear();
  for (int i = 0; i < rows.Count(); ++i) {
    const std::string row = rows.Get(i);
    auto* item = static_cast<TLangStringsCollectionItem*>(Add());
    item->Identifier = GetColumn(row, 0, delim);
    for (int k = 1; k <= languages; ++k) item->Strings().Add(GetColumn(row, k, delim));
  }
  EndUpdate();
  sortColumn_ = sortColumn;
  auto keyOf = [sortColumn](const TCollectionItem* c) -> std::string {
    auto* item = static_cast<const TLangStringsCollectionItem*>(c);
    if (sortColumn <= 0) return item->Identifier;
    return sortColumn <= item->Strings().Count() ? item->Strings().Get(sortColumn - 1)
                                                 : std::string();
  };
  Sort([&](const TCollectionItem* a, const TCollectionItem* b) {
    return AnsiCompareText(keyOf(a), keyOf(b));
  });
}

int TLangStringsCollection::FindIdentifier(const std::string& identifier) const {
  const int n = Count();
  if (n == 0) return -1;
  int low = 0, high = n - 1;
  do {
    const int probe = low + (high - low) / 2;
    const int c = AnsiCompareText(Item(probe)->Identifier, identifier);
    if (c == 0) return probe;
    if (c < 0) {
      if (low == probe) {
        // Two entries left: the answer can only be the upper one.
        return (probe + 1 < n && AnsiCompareText(Item(probe + 1)->Identifier, identifier) == 0)
                   ? probe + 1
                   : -1;
      }
      low = probe;
    } else {
      high = probe;
    }
  } while (low < high);
  return -1;
}

}  // namespace kv
