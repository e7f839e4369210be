#include "platform/classes/Collection.h"

#include <algorithm>

#include "platform/classes/Exception.h"

namespace kv {

KV_DEFINE_CLASS(TCollectionItem, TPersistent, {})

TCollectionItem::TCollectionItem(TCollection* collection) {
  SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
  SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection_ == collection) return;
  if (collection_) {
    std::erase(collection_->items_, this);
    collection_->Changed(nullptr);
  }
  collection_ = collection;
  if (collection_) {
    collection_->items_.push_back(this);
    collection_->Changed(nullptr);
  }
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

TPersistent* TCollectionItem::GetOwner() const {
  return collection_;
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_) collection_->Changed(allItems ? nullptr : this);
}

KV_DEFINE_CLASS(TCollection, TPersistent, {})

TCollection::TCollection(TItemFactory itemFactory, TPersistent* owner)
    : factory_(std::move(itemFactory)), owner_(owner) {}

TCollection::~TCollection() {
  ++updateCount_;
  Clear();
}

TCollectionItem* TCollection::Add() {
  return factory_(this);
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(FrameworkText::ListIndexError(index));
  return items_[index];
}

void TCollection::Delete(int index) {
  delete Items(index);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed(nullptr);
}

void TCollection::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  BeginUpdate();
  Clear();
  for (TCollectionItem* item : other->items_) Add()->Assign(item);
  EndUpdate();
}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ == 0) Update(item);
}

void TCollection::Update(TCollectionItem* item) {
  if (OnUpdate) OnUpdate(item);
}

}  // namespace kv
