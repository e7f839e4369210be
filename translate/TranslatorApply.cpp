// Writing the active language into the window: tidying a section (PruneSection), finding each
// row's target through the published properties, and writing only what differs. Components
// and properties are looked up afresh for every row; nothing is cached between switches.
#include <cstdlib>

#include "platform/classes/Collection.h"
#include "platform/classes/Exception.h"
#include "platform/classes/Graphics.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"
#include "translate/CustomTranslator.h"
#include "translate/LangLocales.h"
#include "translate/LangPropInfoList.h"
#include "translate/LangRows.h"

namespace kv {

const TStringFilterHook& CurrentStringFilterHook();

namespace {

bool InList(const TStrings& list, std::string_view text) {
  for (int i = 0; i < list.Count(); ++i)
    if (SameText(list.Get(i), text)) return true;
  return false;
}

bool IsStringKind(const TPropInfo* p) {
  return p && (tkStrings & KindBit(p->Kind));
}
bool Usable(const TPropInfo* p) {
  return p && p->HasReader() && p->HasWriter();
}

TPersistent* HeldObject(TPersistent* object, const TPropInfo* p) {
  if (!p || p->Kind != tkClass || !p->GetObj) return nullptr;
  return GetObjectProp(object, p);
}

// A control that follows its parent's font is left to its parent.
bool FollowsParentFont(TPersistent* component) {
  const TPropInfo* p = FindPublished(component, "ParentFont", KindBit(tkEnumeration));
  if (!p || !p->GetOrd) return false;
  try {
    return GetOrdProp(component, p) != 0;
  } catch (const Exception&) {
    return false;
  }
}

// True when the component's caption (hint) is the one of the action it is bound to.
bool ShowsActionText(TPersistent* component, const char* propName) {
  TPersistent* action = PublishedObject(component, "Action", "TObject");
  if (!action) return false;
  const TPropInfo* own = FindPublished(component, propName, tkStrings);
  const TPropInfo* its = FindPublished(action, propName, tkStrings);
  if (!own || !its) return false;
  try {
    return GetStrProp(component, own) == GetStrProp(action, its);
  } catch (const Exception&) {
    return false;
  }
}

// Splits "Component.Property[.Sub]"; false for deeper paths, which are not supported (a part
// beyond the supported depth must never be written somewhere else).
bool SplitPath(const std::string& key, std::string& component, std::string& property,
               std::string& sub) {
  const size_t d1 = key.find('.');
  component = key.substr(0, d1);
  property.clear();
  sub.clear();
  if (d1 == std::string::npos) return true;
  const size_t d2 = key.find('.', d1 + 1);
  property = key.substr(d1 + 1, d2 == std::string::npos ? std::string::npos : d2 - d1 - 1);
  if (d2 == std::string::npos) return true;
  sub = key.substr(d2 + 1);
  return sub.find('.') == std::string::npos;
}

// "Collection[Index].ItemPath" after the component (and an optional "Properties.").
struct TCollectionPath {
  std::string Component;
  bool ViaProperties = false;
  std::string Collection;
  int Index = -1;
  std::string ItemPath;
};

bool ParseIndex(const std::string& text, int& index) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  index = std::atoi(text.c_str());
  return true;
}

bool ParseCollectionPath(const std::string& key, TCollectionPath& path) {
  const size_t dot = key.find('.');
  path.Component = key.substr(0, dot);
  if (dot == std::string::npos) return false;
  std::string rest = key.substr(dot + 1);
  if (rest.rfind("Properties.", 0) == 0) {
    path.ViaProperties = true;
    rest = rest.substr(11);
  }
  const size_t open = rest.find('[');
  const size_t close = rest.find(']', open == std::string::npos ? 0 : open);
  if (open == std::string::npos || close == std::string::npos) return false;
  path.Collection = rest.substr(0, open);
  if (path.Collection.empty() || path.Collection.find('.') != std::string::npos) return false;
  if (!ParseIndex(rest.substr(open + 1, close - open - 1), path.Index)) return false;
  if (rest.compare(close, 2, "].") != 0) return false;
  path.ItemPath = rest.substr(close + 2);
  return !path.ItemPath.empty();
}

std::string JoinLines(const TStrings& list) {
  std::string r;
  for (int i = 0; i < list.Count(); ++i) {
    if (i) r += "\r\n";
    r += list.Get(i);
  }
  return r;
}

// Overwrites the target's items in place (their objects stay), appends the rest and drops what
// is left over, so a combo box keeps its item objects and a sorted list its order rules.
void ReplaceList(TStrings& target, const std::string& cell, bool commaText) {
  TStringList source;
  if (commaText)
    source.SetCommaText(cell);
  else
    source.SetText(cell);
  auto* sortedList = dynamic_cast<TStringList*>(&target);
  const bool wasSorted = sortedList && sortedList->Sorted();
  if (wasSorted) sortedList->SetSorted(false);
  target.BeginUpdate();
  TScopeGuard restore([&] {
    target.EndUpdate();
    if (wasSorted) sortedList->SetSorted(true);
  });
  for (int k = 0; k < source.Count(); ++k) {
    std::string s = source.Get(k);
    if (const auto& hook = CurrentStringFilterHook()) hook(&target, nullptr, s);
    if (k < target.Count())
      target.Put(k, s);
    else
      target.Add(s);
  }
  while (target.Count() > source.Count()) target.Delete(target.Count() - 1);
}

bool ContainsRelativePath(const std::string& cell) {
  return cell.find("..") != std::string::npos || cell.find(".\\") != std::string::npos;
}

}  // namespace

// ---- String property access -------------------------------------------------------------------

namespace {
std::string ReadStringProperty(TPersistent* object, const TPropInfo* p, bool utf8) {
  if (p->Kind == tkWString && p->GetWStr) {
    const std::u16string wide = p->GetWStr(*object);
    if (utf8) {
      std::u32string code(wide.begin(), wide.end());
      return EncodeUtf8(code);
    }
    return Utf16ToCp1252(wide);
  }
  return GetStrProp(object, p);
}

void WriteStringProperty(TPersistent* object, const TPropInfo* p, std::string text, bool utf8) {
  if (const auto& hook = CurrentStringFilterHook()) hook(object, p, text);
  if (utf8) {
    const std::u32string code = DecodeUtf8(text);
    if (p->Kind == tkWString && p->SetWStr) {
      std::u16string wide;
      for (char32_t c : code)
        if (c < 0x10000) {
          wide.push_back(static_cast<char16_t>(c));
        } else {
          c -= 0x10000;
          wide.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
          wide.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        }
      return p->SetWStr(*object, wide);
    }
    text = Utf8ToCp1252(EncodeUtf8(code));
  }
  SetStrProp(object, p, text);
}
}  // namespace

// ---- ApplyActiveLanguage ----------------------------------------------------------------------

void TCustomTranslator::ApplyWindowString(const char* propName, TStringsType type) {
  TComponent* w = Window();
  const TStringList& table = *Table(type);
  if (table.Count() == 0) return;
  const std::string cls = WindowClassName();
  if (InList(*doNotTranslate_, cls) || InList(*smartExclude_, cls + "." + propName)) return;
  try {
    const TPropInfo* p = FindPublished(w, propName, tkStrings);
    if (!p || !p->HasWriter()) return;
    const std::string& row = table.StringRef(0);
    if (!SameText(GetColumn(row, 0, delim_), cls)) return;
    const std::string cell = ChooseCell(row, true);
    if (!cell.empty()) WriteStringProperty(w, p, cell, StoreAsUTF8);
  } catch (const std::exception&) {
  }
}

void TCustomTranslator::ApplyWindowFont() {
  TComponent* w = Window();
  const TStringList& fonts = *Fonts();
  if (fonts.Count() == 0) return;
  const std::string cls = WindowClassName();
  if (InList(*doNotTranslate_, cls) || InList(*smartExclude_, cls + ".Font")) return;
  const TPropInfo* p = FindPublished(w, "Font", KindBit(tkClass));
  auto* font = dynamic_cast<TFont*>(p ? HeldObject(w, p) : nullptr);
  if (!font) return;
  const std::string& row = fonts.StringRef(0);
  if (!SameText(GetColumn(row, 0, delim_), cls)) return;
  std::string face = GetColumn(row, activeLanguage_, delim_);
  if (face.empty() && TranslateType == TTranslateType::ttGetDefault)
    face = GetColumn(row, 1, delim_);
  if (!face.empty()) font->SetName(face);
  const TStringList& charsets = *CharSets();
  for (int i = 0; i < charsets.Count(); ++i)
    if (SameText(GetColumn(charsets.StringRef(i), 0, delim_), cls)) {
      if (auto cs =
              CharsetFromName(GetColumn(charsets.StringRef(i), activeLanguage_, delim_), false))
        font->SetCharset(*cs);
      break;
    }
}

void TCustomTranslator::ApplyActiveLanguage() {
  TComponent* w = Window();
  if (!w) return;
  testModeOn_ = TestModeOn();
  RecomputeCharsets();
  auto pending = [this](TStringsType t) {
    return PendingSection == -1 || PendingSection == static_cast<int>(t);
  };
  ApplyWindowString("Caption", stCaptions);
  ApplyWindowString("Hint", stHints);
  for (TStringsType t : {stCaptions, stHints, stDisplayLabels})
    if (pending(t)) ApplySection(t);
  if ((pending(stFonts) || PendingSection == stCharSets) && PublishedObject(w, "Font", "TFont"))
    ApplySection(stFonts);
  ApplyWindowFont();
  if (pending(stMultiLines)) ApplySection(stMultiLines);
  if (pending(stOtherStrings)) ApplySection(stOtherStrings);
  if (ChangeLocales && pending(stLocales)) ApplySection(stLocales);
  if (pending(stCollections)) ApplySection(stCollections);
  if (OnChangeLanguage) OnChangeLanguage(this);
}

// ---- PruneSection -----------------------------------------------------------------------------

void TCustomTranslator::PruneSection(TStringsType type) {
  if (type == stLocales || type == stDlgsCaptions || type == stStrings ||
      type == stListView_TreeView_Items)
    return;
  TStringList& table = *Table(type);
  TComponent* w = Window();
  TrimRows(table, numOfLanguages_, delim_);
  auto orphan = [&](int i) {
    orphanRows_->Add(table.Get(i));
    table.Delete(i);
  };
  if (type == stCollections) {
    for (int i = 0; i < table.Count();) {
      const std::string key = GetColumn(table.StringRef(i), 0, delim_);
      TCollectionPath path;
      const bool wellFormed = ParseCollectionPath(key, path);
      TComponent* comp = w ? w->FindComponent(path.Component) : nullptr;
      // A row whose path does not follow the grammar can never be applied: it is set aside
      // like a row for a missing component rather than stopping every later switch.
      if (!comp || !wellFormed) {
        orphan(i);
        continue;
      }
      TPersistent* holder = comp;
      if (path.ViaProperties) holder = PublishedObject(comp, "Properties", "TObject");
      if (holder) {
        const TPropInfo* p = FindPublished(holder, path.Collection, KindBit(tkClass));
        if (p && p->Name == path.Collection) {
          TCollection* coll = nullptr;
          try {
            coll = dynamic_cast<TCollection*>(HeldObject(holder, p));
          } catch (const Exception&) {
          }
          if (coll && path.Index >= coll->Count()) {
            orphan(i);
            continue;
          }
        }
      }
      ++i;
    }
  } else {
    int start = 0;
    const char* ownProp = type == stCaptions ? "Caption" : type == stHints ? "Hint" : nullptr;
    if (w) {
      // Row 0 is passed over only when it really is the window's own row: a component row
      // there must be checked like any other.
      const bool ownRow = table.Count() > 0 &&
                          SameText(GetColumn(table.StringRef(0), 0, delim_), WindowClassName());
      if (ownRow && ownProp && FindPublished(w, ownProp, tkStrings)) start = 1;
      if (ownRow && (type == stFonts || type == stCharSets) && PublishedObject(w, "Font", "TFont"))
        start = 1;
      if (ownProp && table.Count() > 0 && ShowsActionText(w, ownProp) &&
          table.StringRef(0).find(WindowClassName() + delim_) != std::string::npos) {
        table.Delete(0);
        start = 0;
      }
    }
    const bool pathKeyed = type == stMultiLines || type == stOtherStrings;
    for (int i = start; i < table.Count();) {
      const std::string key = GetColumn(table.StringRef(i), 0, delim_);
      const std::string comp = pathKeyed ? key.substr(0, key.find('.')) : key;
      TComponent* c = w ? w->FindComponent(comp) : nullptr;
      const bool keep = c || (pathKeyed && w && comp == WindowClassName());
      if (!keep) {
        orphan(i);
        continue;
      }
      if (ownProp && c && ShowsActionText(c, ownProp)) {
        table.Delete(i);
        continue;
      }
      ++i;
    }
  }
  if (AutoSkipEmpties)
    for (int i = table.Count() - 1; i >= 0; --i)
      if (RowHasOnlyKey(table.StringRef(i), numOfLanguages_, delim_)) table.Delete(i);
}

// ---- ApplySection -----------------------------------------------------------------------------

void TCustomTranslator::ApplySection(TStringsType type) {
  if (type == stDlgsCaptions || type == stStrings || type == stListView_TreeView_Items) return;
  if (type == stCollections) return ApplyCollections();
  if (!Window()) return;
  PruneSection(type);
  TStringList& table = *Table(type);
  if (table.Count() == 0) return;
  int start = 0;
  if ((type == stCaptions || type == stHints || type == stFonts) &&
      !InList(*doNotTranslate_, WindowClassName()) &&
      table.StringRef(0).find(WindowClassName() + delim_) != std::string::npos)
    start = 1;
  // Rows are copied first: a property writer may run handlers that change the tables.
  for (int i = start; i < table.Count(); ++i) ApplyRow(type, table.Get(i));
}

void TCustomTranslator::ApplyRow(TStringsType type, const std::string& row) {
  TComponent* w = Window();
  const std::string key = GetColumn(row, 0, delim_);
  // Component-keyed sections imply the property; the path-keyed ones name it.
  static const char* const implied[] = {"Caption", "Hint", "DisplayLabel", "Font"};
  std::string compName = key, propName, sub;
  if (type <= stFonts)
    propName = implied[type];
  else if (type != stLocales && !SplitPath(key, compName, propName, sub))
    return;
  if (InList(*doNotTranslate_, compName)) return;
  const std::string cell = ChooseCell(row, type != stFonts && type != stLocales);
  if (type == stLocales) {
    ApplyLocaleCell(FormatSettings(), key, cell);
    return;
  }
  TPersistent* target = w->FindComponent(compName);
  if (!target) {
    if (compName != w->ClassName() && compName != w->Name()) return;
    target = w;
  }
  const TPropInfo* p = GetPropInfo(target, propName);
  if (!Usable(p)) return;
  try {
    switch (type) {
      case stFonts: {
        auto* font = dynamic_cast<TFont*>(HeldObject(target, p));
        if (!font) return;
        const bool follows = FollowsParentFont(target);
        const TStringList& charsets = *CharSets();
        for (int i = 0; i < charsets.Count(); ++i)
          if (SameText(GetColumn(charsets.StringRef(i), 0, delim_), compName)) {
            auto cs =
                CharsetFromName(GetColumn(charsets.StringRef(i), activeLanguage_, delim_), true);
            if (cs && !follows) font->SetCharset(*cs);
            break;
          }
        if (!cell.empty() && !follows) {
          font->SetName(cell);
          SetObjectProp(target, p, font);
        }
        return;
      }
      case stMultiLines: {
        if (cell.empty()) return;
        TPersistent* held = nullptr;
        try {
          held = HeldObject(target, p);
        } catch (const Exception&) {
        }
        if (!sub.empty()) {
          const TPropInfo* sp = held ? GetPropInfo(held, sub) : nullptr;
          auto* list = dynamic_cast<TStrings*>(sp ? HeldObject(held, sp) : nullptr);
          if (list && list->GetCommaText() != cell) ReplaceList(*list, cell, true);
          return;
        }
        auto* list = dynamic_cast<TStrings*>(held);
        if (!list || list->GetCommaText() == cell) return;
        const bool listControl =
            target->InheritsFrom("TCustomComboBox") || target->InheritsFrom("TCustomListBox");
        const TPropInfo* indexProp = listControl ? GetPropInfo(target, "ItemIndex") : nullptr;
        const std::int64_t selected = Usable(indexProp) ? GetOrdProp(target, indexProp) : -1;
        const TPropInfo* wrapProp =
            target->InheritsFrom("TCustomMemo") ? GetPropInfo(target, "WordWrap") : nullptr;
        const bool wrapped = Usable(wrapProp) && GetOrdProp(target, wrapProp) != 0;
        if (wrapped) SetOrdProp(target, wrapProp, 0);
        {
          TScopeGuard rewrap([&] {
            if (wrapped) SetOrdProp(target, wrapProp, 1);
          });
          ReplaceList(*list, cell, true);
        }
        if (Usable(indexProp)) SetOrdProp(target, indexProp, selected);
        return;
      }
      default:
        break;
    }
    // Captions, hints, display labels and other strings: a property that refuses its text
    // leaves the row unapplied and the switch goes on.
    try {
      if (type == stOtherStrings && !sub.empty()) {
        TPersistent* held = HeldObject(target, p);
        if (!held || cell.empty()) return;
        const TPropInfo* sp = GetPropInfo(held, sub);
        if (!Usable(sp) || !IsStringKind(sp)) return;
        if (ReadStringProperty(held, sp, StoreAsUTF8) != cell)
          WriteStringProperty(held, sp, cell, StoreAsUTF8);
        return;
      }
      if (cell.empty() || !IsStringKind(p)) return;
      const std::string current = ReadStringProperty(target, p, StoreAsUTF8);
      if (current == cell) return;
      if ((type == stDisplayLabels || type == stOtherStrings) && ContainsRelativePath(cell) &&
          PathAsPageText(ExpandFileName(THostPath::FromBytes(Cp1252ToUtf8(cell)))) == current)
        return;
      WriteStringProperty(target, p, cell, StoreAsUTF8);
    } catch (const std::exception&) {
    }
  } catch (const EListError&) {
  }
}

// ---- Collections ------------------------------------------------------------------------------

void TCustomTranslator::ApplyCollections() {
  TComponent* w = Window();
  if (!w) return;
  PruneSection(stCollections);
  TStringList& table = *Collections();
  for (int i = 0; i < table.Count();) {
    const std::string row = table.Get(i);
    TCollectionPath path;
    if (!ParseCollectionPath(GetColumn(row, 0, delim_), path) ||
        InList(*doNotTranslate_, path.Component)) {
      ++i;
      continue;
    }
    const std::string cell = ChooseCell(row, true);
    TComponent* comp = w->FindComponent(path.Component);
    if (!comp) {
      ++i;
      continue;
    }
    auto drop = [&] { table.Delete(i); };
    const TPropInfo* first = GetPropInfo(comp, path.ViaProperties ? "Properties" : path.Collection);
    if (!first) {
      drop();
      continue;
    }
    TPersistent* holder = comp;
    if (path.ViaProperties) {
      holder = HeldObject(comp, first);
      if (!holder) {
        ++i;
        continue;
      }
      first = GetPropInfo(holder, path.Collection);
      if (!first) {
        drop();
        continue;
      }
    }
    auto* coll = dynamic_cast<TCollection*>(HeldObject(holder, first));
    if (!coll) {
      ++i;
      continue;
    }
    TPersistent* item = coll->Items(path.Index);
    std::string itemProp = path.ItemPath;
    const size_t dot = itemProp.find('.');
    if (dot != std::string::npos && !path.ViaProperties) {
      const std::string subName = itemProp.substr(0, dot);
      itemProp = itemProp.substr(dot + 1);
      if (itemProp.find('.') != std::string::npos) {
        ++i;  // deeper than Sub.ItemProperty: not supported, never written elsewhere
        continue;
      }
      const TPropInfo* sp = GetPropInfo(item, subName);
      if (!Usable(sp)) {
        drop();
        continue;
      }
      item = HeldObject(item, sp);
      if (!item) {
        drop();
        continue;
      }
    } else if (dot != std::string::npos) {
      ++i;
      continue;
    }
    const TPropInfo* ip = GetPropInfo(item, itemProp);
    if (!ip) {
      drop();
      continue;
    }
    if (ip->Kind == tkClass) {
      TPersistent* held = ip->GetObj ? HeldObject(item, ip) : nullptr;
      if (!held) {
        drop();
        continue;
      }
      if (auto* list = dynamic_cast<TStrings*>(held)) {
        if (!cell.empty() && cell != JoinLines(*list)) ReplaceList(*list, cell, false);
      }
      ++i;
      continue;
    }
    if (!Usable(ip)) {
      drop();
      continue;
    }
    if (IsStringKind(ip)) {
      std::string current;
      try {
        current = ReadStringProperty(item, ip, StoreAsUTF8);
      } catch (const Exception&) {
      }
      if (!cell.empty() && cell != current) WriteStringProperty(item, ip, cell, StoreAsUTF8);
    }
    ++i;
  }
}

}  // namespace kv
