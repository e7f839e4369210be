// The framework's object model: TObject with its class information, TPersistent (assignable,
// with published properties) and TComponent (name, owner, owned components, notifications).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/TypInfo.h"

namespace kv {

class TObject {
 public:
  virtual ~TObject() = default;
  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return ClassInfo().ClassName; }
  bool InheritsFrom(std::string_view className) const {
    return ClassInfo().InheritsFrom(className);
  }
};

class TPersistent : public TObject {
  KV_DECLARE_CLASS()
  // Copies the state of source; the base refuses (EConvertError), as the framework does.
  virtual void Assign(const TPersistent* source);
  // The object this one belongs to (a collection's owner, a font's control), or none.
  virtual TPersistent* GetOwner() const { return nullptr; }
};

enum class TOperation { opInsert, opRemove };
enum TComponentStateFlag : unsigned {
  csLoading = 1,
  csReading = 2,
  csDestroying = 8,
  csDesigning = 16
};

class TComponent : public TPersistent {
  KV_DECLARE_CLASS()
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  // Among the owned components, by name ignoring letter case; none when absent.
  TComponent* FindComponent(std::string_view name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Asks component to be told (Notification opRemove) when this one is destroyed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  unsigned ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }
  // Loading brackets the time in which a window's stored properties are set.
  void BeginLoading() { state_ |= csLoading | csReading; }
  void EndLoading();

  long Tag = 0;
  TPersistent* GetOwner() const override { return owner_; }

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  // Runs once a window's stored properties are all set (EndLoading), owned components first.
  virtual void Loaded() {}
  // Called first in the destructor chain of the most derived class that needs its members
  // alive while owned components go away.
  void DestroyComponents();
  void Destroying();

 private:
  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  unsigned state_ = 0;
};

// Case-insensitive comparison of ASCII letters, as the framework's name lookups do.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);

}  // namespace kv
