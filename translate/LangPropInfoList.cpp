#include "translate/LangPropInfoList.h"

#include "platform/classes/Classes.h"
#include "platform/classes/Exception.h"

namespace kv {

TLangPropInfoList::TLangPropInfoList(const TPersistent* object, TTypeKinds kinds) {
  if (!object) throw Exception("NIL passed as AObject in TLangPropInfoList.Create!");
  items_ = GetPropList(object, kinds);
}

const TPropInfo* TLangPropInfoList::Find(std::string_view name) const {
  for (const TPropInfo* p : items_)
    if (SameText(p->Name, name)) return p;
  return nullptr;
}

const TPropInfo* FindPublished(const TPersistent* object, std::string_view name, TTypeKinds kinds) {
  if (!object) return nullptr;
  const TPropInfo* p = TLangPropInfoList(object).Find(name);
  return (p && (kinds & KindBit(p->Kind))) ? p : nullptr;
}

TPersistent* PublishedObject(TPersistent* object, std::string_view name,
                             std::string_view className) {
  const TPropInfo* p = FindPublished(object, name, KindBit(tkClass));
  if (!p || !p->GetObj) return nullptr;
  TPersistent* held = nullptr;
  try {
    held = GetObjectProp(object, p);
  } catch (const Exception&) {
    return nullptr;
  }
  return (held && held->InheritsFrom(className)) ? held : nullptr;
}

}  // namespace kv
