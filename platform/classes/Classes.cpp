#include "platform/classes/Classes.h"

#include <algorithm>

#include "platform/classes/Exception.h"

namespace kv {

namespace {
unsigned char UpAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? c - 32 : c;
}
}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  return CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = UpAscii(static_cast<unsigned char>(a[i])) - UpAscii(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (SameText(c->ClassName, className)) return true;
  return false;
}

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info{"TObject", nullptr, {}};
  return info;
}

KV_DEFINE_CLASS(TPersistent, TObject, {})

void TPersistent::Assign(const TPersistent* source) {
  std::string from = source ? source->ClassName() : std::string("nil");
  throw EConvertError(from + " kann nicht zu einem " + ClassName() + " zugewiesen werden");
}

KV_DEFINE_CLASS(TComponent, TPersistent,
                {prop::String<TComponent>("Name", &TComponent::Name, &TComponent::SetName),
                 prop::Integer<TComponent>(
                     "Tag", [](TComponent& c) { return c.Tag; },
                     [](TComponent& c, std::int64_t v) { c.Tag = static_cast<long>(v); })})

TComponent::TComponent(TComponent* owner) {
  if (!owner) return;
  owner->InsertComponent(this);
  // Components made while their window is being loaded are part of that load: they receive
  // Loaded() when it ends.
  if (owner->IsLoading()) state_ |= csLoading | csReading;
}

TComponent::~TComponent() {
  Destroying();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (state_ & csDestroying) return;
  state_ |= csDestroying;
  // Tell everyone who asked that this component goes away.
  auto notifies = freeNotifies_;
  freeNotifies_.clear();
  for (TComponent* c : notifies) {
    c->RemoveFreeNotification(this);
    c->Notification(this, TOperation::opRemove);
  }
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    Notification(c, TOperation::opRemove);
    delete c;
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  Notification(component, TOperation::opRemove);
  components_.erase(std::find(components_.begin(), components_.end(), component));
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
      component->freeNotifies_.end())
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  std::erase(freeNotifies_, component);
  std::erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  // The owner forwards removals to its other components, so references between siblings
  // (a translator and its dispatcher, a control and its styler) are dropped in time.
  if (operation == TOperation::opRemove && component)
    for (TComponent* c : components_)
      if (c != component) c->Notification(component, operation);
}

void TComponent::EndLoading() {
  for (TComponent* c : components_)
    if (c->IsLoading()) c->EndLoading();
  state_ &= ~(csLoading | csReading);
  Loaded();
}

}  // namespace kv
