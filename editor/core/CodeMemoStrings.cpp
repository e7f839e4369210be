#include "editor/core/CodeMemoStrings.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>

#include "editor/core/CodeMemo.h"
#include "platform/classes/Exception.h"
#include "support/Files.h"

namespace kv {

// ---- TIntList ---------------------------------------------------------------------------------

int TIntList::Add(int value) {
  items_.push_back(value);
  return Count() - 1;
}

void TIntList::Insert(int index, int value) {
  items_.insert(items_.begin() + index, value);
}

void TIntList::Delete(int index) {
  items_.erase(items_.begin() + index);
}

void TIntList::DeleteRange(int index, int count) {
  items_.erase(items_.begin() + index, items_.begin() + index + count);
}

int TIntList::Max() const {
  return items_.empty() ? 0 : *std::max_element(items_.begin(), items_.end());
}

// ---- TLineProp --------------------------------------------------------------------------------

KV_DEFINE_CLASS(TLineProp, TObject, {})

namespace {

bool IsLineProp(const TObject* object) {
  return object && &object->ClassInfo() == &TLineProp::StaticClassInfo();
}

// Splits at CR LF, lone CR and lone LF, keeping an empty piece after a final break.
std::vector<std::string> SplitAllBreaks(std::string_view text) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    pieces.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

}  // namespace

// ---- TCodeMemoStrings -------------------------------------------------------------------------

KV_DEFINE_CLASS(TCodeMemoStrings, TStringList, {})

TCodeMemoStrings::TCodeMemoStrings(TCustomCodeMemo* owner) : owner_(owner) {}

TCodeMemoStrings::~TCodeMemoStrings() {
  OnChange = nullptr;
  OnChanging = nullptr;
  for (auto& item : items_)
    if (IsLineProp(item.object)) delete static_cast<TLineProp*>(item.object);
}

std::string TCodeMemoStrings::ExpandTabs(std::string_view s) const {
  const int tabSize = owner_ ? owner_->TabSize() : 4;
  std::string r;
  r.reserve(s.size());
  for (char c : s) {
    if (c == '\t')
      r.append(static_cast<size_t>(tabSize), ' ');
    else
      r += c;
  }
  return r;
}

void TCodeMemoStrings::LengthAdded(int length) {
  if (longestStale_) return;
  if (length > longest_) {
    longest_ = length;
    longestCount_ = 1;
  } else if (length == longest_) {
    ++longestCount_;
  }
}

void TCodeMemoStrings::LengthRemoved(int length) {
  if (longestStale_) return;
  if (length == longest_ && --longestCount_ <= 0) longestStale_ = true;
}

void TCodeMemoStrings::LengthChanged(int oldLength, int newLength) {
  if (oldLength == newLength) return;
  LengthAdded(newLength);
  LengthRemoved(oldLength);
}

int TCodeMemoStrings::LongestLength() const {
  if (longestStale_) {
    longest_ = 0;
    longestCount_ = 0;
    for (int len : lengths_.Items()) {
      if (len > longest_) {
        longest_ = len;
        longestCount_ = 1;
      } else if (len == longest_) {
        ++longestCount_;
      }
    }
    longestStale_ = false;
  }
  return longest_;
}

void TCodeMemoStrings::RebuildLengths() {
  auto& lengths = lengths_.Items();
  lengths.resize(items_.size());
  for (size_t i = 0; i < items_.size(); ++i) lengths[i] = static_cast<int>(items_[i].text.size());
  longestStale_ = true;
}

void TCodeMemoStrings::InsertItem(int index, const std::string& s, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, object});
  const int length = static_cast<int>(s.size());
  if (lengths_.Count() >= index) {
    lengths_.Insert(index, length);
    LengthAdded(length);
  } else {
    RebuildLengths();
  }
  Changed();
}

void TCodeMemoStrings::AppendPlain(std::string s, TObject* object) {
  const int length = static_cast<int>(s.size());
  items_.push_back(Item{std::move(s), object});
  lengths_.Add(length);
  LengthAdded(length);
}

int TCodeMemoStrings::Add(const std::string& s) {
  return AddObject(s, nullptr);
}

int TCodeMemoStrings::AddObject(const std::string& s, TObject* object) {
  if (!owner_) return TStringList::AddObject(s, object);
  // Line feeds vanish and each CR starts a line, as the editor's append always did.
  std::string text;
  text.reserve(s.size());
  for (char c : s)
    if (c != '\n') text += c;
  Changing();
  size_t start = 0;
  for (;;) {
    size_t cr = text.find('\r', start);
    std::string_view piece = std::string_view(text).substr(
        start, cr == std::string::npos ? std::string::npos : cr - start);
    // The caller's object stays in the slot: the line's property object is made on demand
    // and takes it over then, which reads the same through GetObject.
    AppendPlain(ExpandTabs(piece), object);
    if (cr == std::string::npos) break;
    start = cr + 1;
  }
  Changed();
  return Count() - 1;
}

void TCodeMemoStrings::Insert(int index, const std::string& s) {
  if (!owner_) {
    TStringList::Insert(index, s);
    return;
  }
  if (index < 0 || index > Count()) Error(index);
  owner_->CollapseSelection();
  auto pieces = SplitAllBreaks(s);
  for (auto& piece : pieces) piece = ExpandTabs(piece);
  const int count = static_cast<int>(pieces.size());
  Changing();
  InsertRaw(index, std::move(pieces));
  owner_->LinesInserted(index, count);
  Changed();
  owner_->SetCaret(owner_->CaretX(), owner_->CaretY());
  owner_->InvalidateFrom(index);
}

void TCodeMemoStrings::Put(int index, const std::string& s) {
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  if (!owner_) {
    PutRaw(index, s);
  } else if (s.find_first_of("\r\n") == std::string::npos) {
    PutRaw(index, ExpandTabs(s));
    owner_->LineReplaced(index);
  } else {
    // A line never holds a break: the text after each one becomes a line of its own.
    auto pieces = SplitAllBreaks(s);
    for (auto& piece : pieces) piece = ExpandTabs(piece);
    PutRaw(index, std::move(pieces[0]));
    owner_->LineReplaced(index);
    const int extra = static_cast<int>(pieces.size()) - 1;
    InsertRaw(index + 1, std::vector<std::string>(std::make_move_iterator(pieces.begin() + 1),
                                                  std::make_move_iterator(pieces.end())));
    owner_->LinesInserted(index + 1, extra);
  }
  Changed();
}

void TCodeMemoStrings::PutRaw(int index, std::string s) {
  const int oldLength = static_cast<int>(items_[index].text.size());
  items_[index].text = std::move(s);
  const int newLength = static_cast<int>(items_[index].text.size());
  if (index < lengths_.Count()) {
    lengths_.Set(index, newLength);
    LengthChanged(oldLength, newLength);
  } else {
    RebuildLengths();
  }
}

void TCodeMemoStrings::LineRefChanged(int index) {
  const int newLength = static_cast<int>(items_[index].text.size());
  LengthChanged(lengths_[index], newLength);
  lengths_.Set(index, newLength);
}

void TCodeMemoStrings::InsertRaw(int index, std::vector<std::string> lines) {
  const int count = static_cast<int>(lines.size());
  std::vector<Item> items(static_cast<size_t>(count));
  std::vector<int> lengths(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    lengths[i] = static_cast<int>(lines[i].size());
    LengthAdded(lengths[i]);
    items[i].text = std::move(lines[i]);
  }
  items_.insert(items_.begin() + index, std::make_move_iterator(items.begin()),
                std::make_move_iterator(items.end()));
  auto& l = lengths_.Items();
  l.insert(l.begin() + index, lengths.begin(), lengths.end());
}

void TCodeMemoStrings::FreeProp(int index) {
  TObject*& slot = items_[index].object;
  if (IsLineProp(slot)) {
    TLineProp* prop = static_cast<TLineProp*>(slot);
    slot = prop->UserObject;
    delete prop;
  }
}

void TCodeMemoStrings::DeleteRaw(int index, int count) {
  for (int i = index; i < index + count; ++i) {
    FreeProp(i);
    LengthRemoved(lengths_[i]);
  }
  items_.erase(items_.begin() + index, items_.begin() + index + count);
  lengths_.DeleteRange(index, count);
}

void TCodeMemoStrings::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  if (owner_ && !deleting_) {
    if (index < owner_->TopLine()) owner_->TopCacheDrop();
    const int caretX = owner_->CaretX();
    const int caretY = owner_->CaretY();
    const int count = Count();
    deleting_ = true;
    try {
      owner_->SetCaretY(index);
      owner_->DeleteCurrentLine();
    } catch (...) {
      deleting_ = false;
      throw;
    }
    deleting_ = false;
    owner_->SetCaretX(count == 1 ? 0 : caretX);
    owner_->SetCaretY(index < caretY ? caretY - 1 : caretY);
    return;
  }
  Changing();
  DeleteRaw(index, 1);
  Changed();
}

void TCodeMemoStrings::Clear() {
  if (owner_) owner_->LinesCleared();
  if (items_.empty()) return;
  Changing();
  for (int i = 0; i < Count(); ++i) {
    FreeProp(i);
    items_[i].object = nullptr;
  }
  lengths_.Clear();
  longest_ = longestCount_ = 0;
  longestStale_ = false;
  items_.clear();
  Changed();
}

void TCodeMemoStrings::Sort() {
  TStringList::Sort();
  RebuildLengths();
}

TObject* TCodeMemoStrings::GetObject(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  TObject* slot = items_[index].object;
  return IsLineProp(slot) ? static_cast<TLineProp*>(slot)->UserObject : slot;
}

void TCodeMemoStrings::PutObject(int index, TObject* object) {
  if (index < 0 || index >= Count()) return;
  Changing();
  TObject*& slot = items_[index].object;
  if (IsLineProp(slot))
    static_cast<TLineProp*>(slot)->UserObject = object;
  else
    slot = object;
  Changed();
}

TLineProp* TCodeMemoStrings::LineProp(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  TObject* slot = items_[index].object;
  return IsLineProp(slot) ? static_cast<TLineProp*>(slot) : nullptr;
}

TLineProp* TCodeMemoStrings::EnsureLineProp(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  TObject*& slot = items_[index].object;
  if (IsLineProp(slot)) return static_cast<TLineProp*>(slot);
  auto* prop = new TLineProp;
  prop->UserObject = slot;
  slot = prop;
  return prop;
}

void TCodeMemoStrings::SetText(const std::string& text) {
  if (!owner_) {
    TStringList::SetText(text);
    return;
  }
  LoadText(text, false);
}

void TCodeMemoStrings::LoadText(std::string_view bytes, bool fromFile) {
  // The text ends at the first NUL, as it always has for this editor.
  if (size_t nul = bytes.find('\0'); nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  owner_->LoadStarted();
  Clear();
  // One pass, tabs expanded on the way: loading must stay linear in the size of the text.
  const int tabSize = owner_->TabSize();
  const size_t n = bytes.size();
  size_t estimate = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
  items_.reserve(estimate);
  lengths_.Reserve(static_cast<int>(estimate));
  size_t i = 0;
  std::string line;
  while (i < n) {
    size_t start = i;
    while (i < n && bytes[i] != '\r' && bytes[i] != '\n') ++i;
    std::string_view piece = bytes.substr(start, i - start);
    if (piece.find('\t') == std::string_view::npos) {
      AppendPlain(std::string(piece), nullptr);
    } else {
      line.clear();
      for (char c : piece) {
        if (c == '\t')
          line.append(static_cast<size_t>(tabSize), ' ');
        else
          line += c;
      }
      AppendPlain(line, nullptr);
    }
    if (i < n && bytes[i] == '\r') ++i;
    if (i < n && bytes[i] == '\n') ++i;
  }
  owner_->LoadFinished(fromFile);
}

void TCodeMemoStrings::AddStrings(const TStrings& strings) {
  if (!owner_) {
    TStringList::AddStrings(strings);
    return;
  }
  // Through the editor's append, so that no tab or line break reaches a line.
  BeginUpdate();
  for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
  EndUpdate();
  RebuildLengths();
  if (UpdateCount() == 0) owner_->InvalidateFrom(0);
}

void TCodeMemoStrings::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TStrings*>(source);
  if (!owner_ || !other) {
    TStringList::Assign(source);
    RebuildLengths();
    return;
  }
  if (other == this) return;
  owner_->Reset();
  owner_->TopCacheDrop();
  owner_->DetachChangeHandler();
  NoLineProps = true;
  Clear();
  for (int i = 0; i < other->Count(); ++i) {
    std::string s = ExpandTabs(other->Get(i));
    if (owner_->TrimTrailingSpaces) s.erase(s.find_last_not_of(' ') + 1);
    for (auto& piece : SplitAllBreaks(s)) AppendPlain(std::move(piece), nullptr);
  }
  NoLineProps = false;
  RebuildLengths();
  owner_->AttachChangeHandler();
  owner_->LineChangeHandler();
  owner_->SetCaret(0, 0);
}

void TCodeMemoStrings::LoadFromFile(const std::string& fileName) {
  if (!owner_) {
    TStringList::LoadFromFile(fileName);
    RebuildLengths();
    return;
  }
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) throw EFOpenError(FrameworkText::FileOpenError(fileName));
  LoadText(bytes, true);
}

void TCodeMemoStrings::LoadFromStream(std::istream& stream) {
  std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (!owner_) {
    TStringList::SetText(bytes);
    RebuildLengths();
    return;
  }
  LoadText(bytes, false);
}

void TCodeMemoStrings::SaveToFile(const std::string& fileName) {
  if (!owner_) {
    TStringList::SaveToFile(fileName);
    return;
  }
  // Trailing blanks never reach the file; the lines in the editor lose them too.
  BeginUpdate();
  for (int i = 0; i < Count(); ++i) {
    const std::string& s = items_[i].text;
    size_t end = s.find_last_not_of(' ');
    end = end == std::string::npos ? 0 : end + 1;
    if (end != s.size()) PutRaw(i, s.substr(0, end));
  }
  EndUpdate();
  SaveBytesToFile(fileName, GetText());
  for (int i = 0; i < Count(); ++i)
    if (TLineProp* prop = LineProp(i); prop && prop->ModifiedState == 1) prop->ModifiedState = 2;
  owner_->SetCaretX(owner_->CaretX());
  owner_->InvalidateFrom(0);
}

void TCodeMemoStrings::SaveToStream(std::ostream& stream) {
  TStringList::SaveToStream(stream);
  if (!owner_) return;
  for (int i = 0; i < Count(); ++i)
    if (TLineProp* prop = LineProp(i); prop && prop->ModifiedState == 1) prop->ModifiedState = 2;
  owner_->InvalidateFrom(0);
}

}  // namespace kv
