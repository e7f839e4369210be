// Collections of items with published properties (the styler's AllStyles, for one). The
// translation tables reach an item's property by a path such as "AllStyles[0].Info".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"

namespace kv {

class TCollection;

class TCollectionItem : public TPersistent {
  KV_DECLARE_CLASS()
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  void SetCollection(TCollection* collection);
  int Index() const;
  virtual std::string DisplayName() const { return ClassName(); }
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection (and through it its owner) that this item, or all items, changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
  KV_DECLARE_CLASS()
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  explicit TCollection(TItemFactory itemFactory, TPersistent* owner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;
  void Delete(int index);
  void Clear();
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  TPersistent* GetOwner() const override { return owner_; }
  void Assign(const TPersistent* source) override;

  // Fired after an item (or, with nullptr, the whole collection) changed, outside updates.
  std::function<void(TCollectionItem*)> OnUpdate;

 protected:
  virtual void Update(TCollectionItem* item);

 private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);
  TItemFactory factory_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
};

}  // namespace kv
