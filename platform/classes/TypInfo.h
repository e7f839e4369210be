// Published properties: a class registers a table of properties (name, kind, reader, writer) so
// that code can find and change them by name at run time without knowing the class, as the
// translation tables do with paths such as "StatusBar1.Font" or "ComboBox1.Items".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kv {

class TPersistent;

// The framework's kinds, in its order.
enum TTypeKind : int {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray
};
using TTypeKinds = std::uint32_t;
constexpr TTypeKinds KindBit(TTypeKind k) {
  return 1u << k;
}
constexpr TTypeKinds tkAny = 0x3FFFFu;
constexpr TTypeKinds tkStrings = KindBit(tkString) | KindBit(tkLString) | KindBit(tkWString);
constexpr TTypeKinds tkProperties = tkAny & ~(KindBit(tkMethod) | KindBit(tkUnknown));

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkUnknown;
  std::string PropClassName;  // tkClass: the declared class ("TFont", "TStrings", "TCollection")

  std::function<std::string(TPersistent&)> GetStr;
  std::function<void(TPersistent&, const std::string&)> SetStr;
  std::function<std::u16string(TPersistent&)> GetWStr;
  std::function<void(TPersistent&, const std::u16string&)> SetWStr;
  std::function<std::int64_t(TPersistent&)> GetOrd;
  std::function<void(TPersistent&, std::int64_t)> SetOrd;
  std::function<TPersistent*(TPersistent&)> GetObj;
  std::function<void(TPersistent&, TPersistent*)> SetObj;

  bool HasReader() const { return GetStr || GetWStr || GetOrd || GetObj; }
  bool HasWriter() const { return SetStr || SetWStr || SetOrd || SetObj; }
};

// One class's published table; Parent links to the base class, whose properties come first.
struct TClassInfo {
  std::string ClassName;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropInfo> Props;

  bool InheritsFrom(std::string_view className) const;
};

// Lookup ignores letter case; the first match wins, base classes first.
const TPropInfo* GetPropInfo(const TPersistent* obj, std::string_view name);
const TPropInfo* GetPropInfo(const TPersistent* obj, std::string_view name, TTypeKinds kinds);
std::vector<const TPropInfo*> GetPropList(const TPersistent* obj, TTypeKinds kinds = tkProperties);
bool IsPublishedProp(const TPersistent* obj, std::string_view name);

// Access by record. Reading a property without a reader (or writing one without a writer)
// raises EPropertyError; string access to a wide-string property converts with Windows-1252.
std::string GetStrProp(TPersistent* obj, const TPropInfo* info);
void SetStrProp(TPersistent* obj, const TPropInfo* info, const std::string& value);
std::int64_t GetOrdProp(TPersistent* obj, const TPropInfo* info);
void SetOrdProp(TPersistent* obj, const TPropInfo* info, std::int64_t value);
TPersistent* GetObjectProp(TPersistent* obj, const TPropInfo* info);
void SetObjectProp(TPersistent* obj, const TPropInfo* info, TPersistent* value);
// Access by name; an unknown name raises EPropertyError.
std::string GetStrProp(TPersistent* obj, std::string_view name);
void SetStrProp(TPersistent* obj, std::string_view name, const std::string& value);
std::int64_t GetOrdProp(TPersistent* obj, std::string_view name);
void SetOrdProp(TPersistent* obj, std::string_view name, std::int64_t value);
TPersistent* GetObjectProp(TPersistent* obj, std::string_view name);

// --- Building property records -------------------------------------------------------------
// Readers and writers are anything std::invoke accepts with the class: member functions,
// member pointers, lambdas taking C&. Pass nullptr for a missing reader or writer.
namespace prop {

template <class C, class F>
auto Bind0(F f) {
  return [f](TPersistent& p) { return std::invoke(f, static_cast<C&>(p)); };
}
template <class C, class F>
auto Bind1(F f) {
  return [f](TPersistent& p, const auto& v) { std::invoke(f, static_cast<C&>(p), v); };
}

template <class C, class G, class S>
TPropInfo String(const char* name, G get, S set) {
  TPropInfo i;
  i.Name = name;
  i.Kind = tkLString;
  if constexpr (!std::is_null_pointer_v<G>)
    i.GetStr = [get](TPersistent& p) { return std::string(std::invoke(get, static_cast<C&>(p))); };
  if constexpr (!std::is_null_pointer_v<S>)
    i.SetStr = [set](TPersistent& p, const std::string& v) {
      std::invoke(set, static_cast<C&>(p), v);
    };
  return i;
}

template <class C, class G, class S>
TPropInfo WideString(const char* name, G get, S set) {
  TPropInfo i;
  i.Name = name;
  i.Kind = tkWString;
  if constexpr (!std::is_null_pointer_v<G>)
    i.GetWStr = [get](TPersistent& p) {
      return std::u16string(std::invoke(get, static_cast<C&>(p)));
    };
  if constexpr (!std::is_null_pointer_v<S>)
    i.SetWStr = [set](TPersistent& p, const std::u16string& v) {
      std::invoke(set, static_cast<C&>(p), v);
    };
  return i;
}

// Integers, booleans (tkEnumeration), enumerations, sets and characters: ordinal values.
template <class C, class G, class S>
TPropInfo Ordinal(const char* name, TTypeKind kind, G get, S set) {
  TPropInfo i;
  i.Name = name;
  i.Kind = kind;
  if constexpr (!std::is_null_pointer_v<G>)
    i.GetOrd = [get](TPersistent& p) {
      return static_cast<std::int64_t>(std::invoke(get, static_cast<C&>(p)));
    };
  if constexpr (!std::is_null_pointer_v<S>)
    i.SetOrd = [set](TPersistent& p, std::int64_t v) {
      if constexpr (std::is_invocable_v<S, C&, std::int64_t>) {
        std::invoke(set, static_cast<C&>(p), v);
      } else {
        // Enumerations and the like: convert to the type the reader gives.
        using Arg = std::remove_cvref_t<std::invoke_result_t<G, C&>>;
        std::invoke(set, static_cast<C&>(p), static_cast<Arg>(v));
      }
    };
  return i;
}
template <class C, class G, class S>
TPropInfo Integer(const char* name, G get, S set) {
  return Ordinal<C>(name, tkInteger, get, set);
}
template <class C, class G, class S>
TPropInfo Boolean(const char* name, G get, S set) {
  return Ordinal<C>(name, tkEnumeration, get, set);
}

// An object-valued property. The reader returns the held object; the writer usually assigns.
template <class C, class G, class S>
TPropInfo Object(const char* name, const char* className, G get, S set) {
  TPropInfo i;
  i.Name = name;
  i.Kind = tkClass;
  i.PropClassName = className;
  if constexpr (!std::is_null_pointer_v<G>)
    i.GetObj = [get](TPersistent& p) -> TPersistent* {
      return std::invoke(get, static_cast<C&>(p));
    };
  if constexpr (!std::is_null_pointer_v<S>)
    i.SetObj = [set](TPersistent& p, TPersistent* v) { std::invoke(set, static_cast<C&>(p), v); };
  return i;
}

}  // namespace prop
}  // namespace kv

// Inside a class: declares its published table. In its .cpp: KV_DEFINE_CLASS(Class, Base, {props}).
#define KV_DECLARE_CLASS()                             \
 public:                                               \
  static const ::kv::TClassInfo& StaticClassInfo();    \
  const ::kv::TClassInfo& ClassInfo() const override { \
    return StaticClassInfo();                          \
  }

#define KV_DEFINE_CLASS(Self, Base, ...)                                              \
  const ::kv::TClassInfo& Self::StaticClassInfo() {                                   \
    static const ::kv::TClassInfo info{#Self, &Base::StaticClassInfo(), __VA_ARGS__}; \
    return info;                                                                      \
  }
