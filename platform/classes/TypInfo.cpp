#include "platform/classes/TypInfo.h"

#include "platform/classes/Classes.h"
#include "platform/classes/Exception.h"
#include "support/Cp1252.h"

namespace kv {

namespace {

class EPropertyError : public Exception {
 public:
  using Exception::Exception;
};

void Collect(const TClassInfo* c, TTypeKinds kinds, std::vector<const TPropInfo*>& out) {
  if (!c) return;
  Collect(c->Parent, kinds, out);
  for (const TPropInfo& p : c->Props)
    if (kinds & KindBit(p.Kind)) out.push_back(&p);
}

const TPropInfo& Require(TPersistent* obj, std::string_view name) {
  const TPropInfo* info = GetPropInfo(obj, name);
  if (!info) throw EPropertyError("Eigenschaft " + std::string(name) + " existiert nicht");
  return *info;
}

[[noreturn]] void NoAccess(const TPropInfo* info, const char* what) {
  throw EPropertyError(std::string("Eigenschaft ") + (info ? info->Name : "?") + " ist " + what);
}

}  // namespace

const TPropInfo* GetPropInfo(const TPersistent* obj, std::string_view name) {
  return GetPropInfo(obj, name, tkAny);
}

const TPropInfo* GetPropInfo(const TPersistent* obj, std::string_view name, TTypeKinds kinds) {
  if (!obj) return nullptr;
  // Base classes first, so that the first declaration of a name wins; a derived class that
  // republishes a property under the same name replaces it in its own table.
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &obj->ClassInfo(); c; c = c->Parent) chain.push_back(c);
  const TPropInfo* found = nullptr;
  for (auto it = chain.begin(); it != chain.end() && !found; ++it)
    for (const TPropInfo& p : (*it)->Props)
      if ((kinds & KindBit(p.Kind)) && SameText(p.Name, name)) {
        found = &p;
        break;
      }
  return found;
}

std::vector<const TPropInfo*> GetPropList(const TPersistent* obj, TTypeKinds kinds) {
  std::vector<const TPropInfo*> out;
  if (obj) Collect(&obj->ClassInfo(), kinds, out);
  return out;
}

bool IsPublishedProp(const TPersistent* obj, std::string_view name) {
  return GetPropInfo(obj, name) != nullptr;
}

std::string GetStrProp(TPersistent* obj, const TPropInfo* info) {
  if (!obj || !info) NoAccess(info, "nicht lesbar");
  if (info->GetStr) return info->GetStr(*obj);
  if (info->GetWStr) return Utf16ToCp1252(info->GetWStr(*obj));
  NoAccess(info, "nicht lesbar");
}

void SetStrProp(TPersistent* obj, const TPropInfo* info, const std::string& value) {
  if (!obj || !info) NoAccess(info, "schreibgesch\xFCtzt");
  if (info->SetStr) return info->SetStr(*obj, value);
  if (info->SetWStr) return info->SetWStr(*obj, Cp1252ToUtf16(value));
  NoAccess(info, "schreibgesch\xFCtzt");
}

std::int64_t GetOrdProp(TPersistent* obj, const TPropInfo* info) {
  if (!obj || !info || !info->GetOrd) NoAccess(info, "nicht lesbar");
  return info->GetOrd(*obj);
}

void SetOrdProp(TPersistent* obj, const TPropInfo* info, std::int64_t value) {
  if (!obj || !info || !info->SetOrd) NoAccess(info, "schreibgesch\xFCtzt");
  info->SetOrd(*obj, value);
}

TPersistent* GetObjectProp(TPersistent* obj, const TPropInfo* info) {
  if (!obj || !info || !info->GetObj) NoAccess(info, "nicht lesbar");
  return info->GetObj(*obj);
}

void SetObjectProp(TPersistent* obj, const TPropInfo* info, TPersistent* value) {
  if (!obj || !info || !info->SetObj) NoAccess(info, "schreibgesch\xFCtzt");
  info->SetObj(*obj, value);
}

std::string GetStrProp(TPersistent* obj, std::string_view name) {
  return GetStrProp(obj, &Require(obj, name));
}
void SetStrProp(TPersistent* obj, std::string_view name, const std::string& value) {
  SetStrProp(obj, &Require(obj, name), value);
}
std::int64_t GetOrdProp(TPersistent* obj, std::string_view name) {
  return GetOrdProp(obj, &Require(obj, name));
}
void SetOrdProp(TPersistent* obj, std::string_view name, std::int64_t value) {
  SetOrdProp(obj, &Require(obj, name), value);
}
TPersistent* GetObjectProp(TPersistent* obj, std::string_view name) {
  return GetObjectProp(obj, &Require(obj, name));
}

}  // namespace kv
