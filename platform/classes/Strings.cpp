#include "platform/classes/Strings.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>

#include "platform/classes/Exception.h"
#include "support/AnsiCase.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"

namespace kv {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    lines.emplace_back(text.substr(start, i - start));
    if (i < n && text[i] == '\r') ++i;
    if (i < n && text[i] == '\n') ++i;
  }
  return lines;
}

// ---- TStrings ---------------------------------------------------------------------------------

KV_DEFINE_CLASS(TStrings, TPersistent, {})

void TStrings::Error(int index) const {
  throw EStringListError(FrameworkText::ListIndexError(index));
}

void TStrings::Put(int index, const std::string& s) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int) const {
  return nullptr;
}
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
  EndUpdate();
}

void TStrings::Exchange(int a, int b) {
  std::string sa = Get(a), sb = Get(b);
  TObject* oa = GetObject(a);
  TObject* ob = GetObject(b);
  BeginUpdate();
  Put(a, sb);
  PutObject(a, ob);
  Put(b, sa);
  PutObject(b, oa);
  EndUpdate();
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  std::string s = Get(from);
  TObject* o = GetObject(from);
  BeginUpdate();
  Delete(from);
  InsertObject(to, s, o);
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

std::string TStrings::Names(int index) const {
  std::string s = Get(index);
  size_t p = s.find('=');
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    size_t p = s.find('=');
    if (p != std::string::npos && AnsiCompareText(std::string_view(s).substr(0, p), name) == 0)
      return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& name) const {
  int i = IndexOfName(name);
  if (i < 0) return {};
  std::string s = Get(i);
  return s.substr(name.size() + 1);
}

std::string TStrings::GetText() const {
  std::string r;
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    r += Get(i);
    r += "\r\n";
  }
  return r;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  TScopeGuard endUpdate([this] { EndUpdate(); });
  Clear();
  for (auto& line : SplitLines(text)) Add(line);
}

std::string TStrings::GetDelimitedText() const {
  return DelimitedText(Delimiter, QuoteChar);
}

std::string TStrings::DelimitedText(char delimiter, char quoteChar) const {
  const int n = Count();
  if (n == 1 && Get(0).empty()) return std::string(2, quoteChar);
  std::string r;
  for (int i = 0; i < n; ++i) {
    std::string s = Get(i);
    bool needsQuotes = false;
    for (unsigned char c : s) {
      if (c == 0) break;
      if (c <= ' ' || c == static_cast<unsigned char>(quoteChar) ||
          c == static_cast<unsigned char>(delimiter)) {
        needsQuotes = true;
        break;
      }
    }
    if (needsQuotes) {
      std::string q(1, quoteChar);
      for (char c : s) {
        q += c;
        if (c == quoteChar) q += c;
      }
      q += quoteChar;
      s = q;
    }
    if (i > 0) r += delimiter;
    r += s;
  }
  return r;
}

void TStrings::SetDelimitedText(const std::string& text) {
  SetDelimited(text, Delimiter, QuoteChar);
}

void TStrings::SetDelimited(const std::string& text, char delimiter, char quote) {
  BeginUpdate();
  TScopeGuard endUpdate([this] { EndUpdate(); });
  Clear();
  // The framework's reader stops at a NUL byte.
  const std::string_view t(text.c_str());
  size_t p = 0;
  const size_t n = t.size();
  auto isBlank = [&](size_t i) {
    return i < n && static_cast<unsigned char>(t[i]) >= 1 &&
           static_cast<unsigned char>(t[i]) <= ' ';
  };
  while (isBlank(p)) ++p;
  while (p < n) {
    std::string s;
    if (t[p] == quote) {
      ++p;
      while (p < n) {
        if (t[p] == quote) {
          if (p + 1 < n && t[p + 1] == quote) {
            s += quote;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        s += t[p++];
      }
    } else {
      size_t start = p;
      while (p<n&& static_cast<unsigned char>(t[p])> ' ' && t[p] != delimiter) ++p;
      s.assign(t.substr(start, p - start));
    }
    Add(s);
    while (isBlank(p)) ++p;
    if (p < n && t[p] == delimiter) {
      if (p + 1 == n) Add("");
      do {
        ++p;
      } while (isBlank(p));
    }
  }
}

std::string TStrings::GetCommaText() const {
  return DelimitedText(',', '"');
}

void TStrings::SetCommaText(const std::string& text) {
  SetDelimited(text, ',', '"');
}

void TStrings::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TStrings*>(source)) {
    if (s == this) return;
    BeginUpdate();
    TScopeGuard endUpdate([this] { EndUpdate(); });
    Clear();
    AddStrings(*s);
    return;
  }
  TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  --updateCount_;
  if (updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const THostPath& fileName) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) throw EFOpenError(FrameworkText::FileOpenError(fileName));
  SetText(bytes);
}

void SaveBytesToFile(const THostPath& fileName, const std::string& bytes) {
  std::string reason;
  if (!WriteFileAtomically(fileName, bytes, reason))
    throw EFCreateError(FrameworkText::FileCreateError(fileName) + ": " + reason);
}

void TStrings::SaveToFile(const THostPath& fileName) {
  SaveBytesToFile(fileName, GetText());
}

void TStrings::LoadFromStream(std::istream& stream) {
  std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  SetText(bytes);
}

void TStrings::SaveToStream(std::ostream& stream) {
  const std::string text = GetText();
  stream.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!stream) throw EWriteError("Stream-Schreibfehler");
}

// ---- TStringList ------------------------------------------------------------------------------

KV_DEFINE_CLASS(TStringList, TStrings, {})

std::string TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) Error(index);
  return items_[index].text;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError("Operation bei sortierten Listen nicht erlaubt");
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  items_[index].text = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  if (index < 0 || index >= Count()) Error(index);
  return items_[index].object;
}

void TStringList::PutObject(int index, TObject* object) {
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  items_[index].object = object;
  Changed();
}

int TStringList::Add(const std::string& s) {
  return AddObject(s, nullptr);
}

int TStringList::AddObject(const std::string& s, TObject* object) {
  int index;
  if (!sorted_) {
    index = Count();
  } else if (Find(s, index)) {
    switch (Duplicates) {
      case TDuplicates::dupIgnore:
        return index;
      case TDuplicates::dupError:
        throw EStringListError(FrameworkText::DuplicateString());
      case TDuplicates::dupAccept:
        break;
    }
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::Insert(int index, const std::string& s) {
  InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
  if (sorted_) throw EStringListError("Operation bei sortierten Listen nicht erlaubt");
  if (index < 0 || index > Count()) Error(index);
  InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(const std::string& s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareStrings(items_[mid].text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (Duplicates != TDuplicates::dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

int TStringList::IndexOf(const std::string& s) const {
  if (!sorted_) {
    for (int i = 0; i < Count(); ++i)
      if (CompareStrings(items_[i].text, s) == 0) return i;
    return -1;
  }
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::Sort() {
  if (Count() <= 1) return;
  Changing();
  std::stable_sort(items_.begin(), items_.end(), [this](const Item& a, const Item& b) {
    return CompareStrings(a.text, b.text) < 0;
  });
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted_ == sorted) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive_ == caseSensitive) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

}  // namespace kv
