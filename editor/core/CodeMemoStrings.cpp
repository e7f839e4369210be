#include "editor/core/CodeMemoStrings.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <utility>
#include <vector>

#include "editor/core/CodeMemo.h"
#include "platform/classes/Exception.h"
#include "support/Files.h"
#include "support/ScopeGuard.h"

namespace kv {

KV_DEFINE_CLASS(TCodeMemoStrings, TStringList, {})

namespace {
const std::string kNoLine;
}  // namespace

TCodeMemoStrings::~TCodeMemoStrings() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

// ---- reading ----------------------------------------------------------------------------------

int TCodeMemoStrings::Count() const {
  if (!owner_) return TStringList::Count();
  // A cleared list shows the editor's one empty line as no line at all.
  return owner_->Store().Cleared() ? 0 : owner_->LineCount();
}

std::string TCodeMemoStrings::Get(int index) const {
  if (!owner_) return TStringList::Get(index);
  if (index < 0 || index >= Count()) Error(index);
  return owner_->Line(index);
}

const std::string& TCodeMemoStrings::StringRef(int index) const {
  if (owner_) return owner_->Line(index);
  return index >= 0 && index < Count() ? TStringList::StringRef(index) : kNoLine;
}

TObject* TCodeMemoStrings::GetObject(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return owner_ ? owner_->LineObject(index) : TStringList::GetObject(index);
}

int TCodeMemoStrings::IndexOf(const std::string& s) const {
  if (!owner_) return TStringList::IndexOf(s);
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(owner_->Line(i), s) == 0) return i;
  return -1;
}

std::string TCodeMemoStrings::GetText() const {
  return owner_ ? owner_->GetText() : TStringList::GetText();
}

// ---- changing ---------------------------------------------------------------------------------

int TCodeMemoStrings::Add(const std::string& s) {
  return AddObject(s, nullptr);
}

int TCodeMemoStrings::AddObject(const std::string& s, TObject* object) {
  if (!owner_) return TStringList::AddObject(s, object);
  Changing();
  return owner_->AppendLines(s, object);
}

void TCodeMemoStrings::Insert(int index, const std::string& s) {
  InsertObject(index, s, nullptr);
}

void TCodeMemoStrings::InsertObject(int index, const std::string& s, TObject* object) {
  if (!owner_) return TStringList::InsertObject(index, s, object);
  if (index < 0 || index > Count()) Error(index);
  Changing();
  owner_->InsertLines(index, s, object);
}

void TCodeMemoStrings::InsertItem(int index, const std::string& s, TObject* object) {
  if (owner_)
    InsertObject(index, s, object);
  else
    TStringList::InsertItem(index, s, object);
}

void TCodeMemoStrings::Put(int index, const std::string& s) {
  if (!owner_) return TStringList::Put(index, s);
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  owner_->ReplaceLine(index, s);
}

void TCodeMemoStrings::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  if (!owner_) return TStringList::Delete(index);
  Changing();
  owner_->DeleteLine(index);
}

void TCodeMemoStrings::Clear() {
  if (!owner_) return TStringList::Clear();
  if (Count() > 0) Changing();
  owner_->ClearLines();
}

void TCodeMemoStrings::PutObject(int index, TObject* object) {
  if (index < 0 || index >= Count()) return;
  if (!owner_) return TStringList::PutObject(index, object);
  Changing();
  owner_->SetLineObject(index, object);
}

void TCodeMemoStrings::Sort() {
  if (!owner_) return TStringList::Sort();
  if (Count() <= 1) return;
  // Each line keeps its object; the lines go back through Put, so they keep the rules.
  std::vector<std::pair<std::string, TObject*>> lines;
  for (int i = 0; i < Count(); ++i) lines.emplace_back(Get(i), GetObject(i));
  std::stable_sort(lines.begin(), lines.end(), [this](const auto& a, const auto& b) {
    return CompareStrings(a.first, b.first) < 0;
  });
  BeginUpdate();
  TScopeGuard endUpdate([this] { EndUpdate(); });
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    Put(i, lines[static_cast<size_t>(i)].first);
    PutObject(i, lines[static_cast<size_t>(i)].second);
  }
}

void TCodeMemoStrings::Changed() {
  if (!owner_) return TStringList::Changed();
  if (UpdateCount() == 0) owner_->ListChanged();
}

// ---- whole lists and texts --------------------------------------------------------------------

void TCodeMemoStrings::SetText(const std::string& text) {
  if (!owner_) return TStringList::SetText(text);
  owner_->LoadText(text);
}

void TCodeMemoStrings::AddStrings(const TStrings& strings) {
  if (!owner_) return TStringList::AddStrings(strings);
  owner_->AddLines(strings);
}

void TCodeMemoStrings::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TStrings*>(source);
  if (!owner_ || !other) return TStringList::Assign(source);
  if (other != this) owner_->AssignLines(*other);
}

void TCodeMemoStrings::LoadFromFile(const THostPath& fileName) {
  if (!owner_) return TStringList::LoadFromFile(fileName);
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) throw EFOpenError(FrameworkText::FileOpenError(fileName));
  owner_->LoadText(bytes);
}

void TCodeMemoStrings::LoadFromStream(std::istream& stream) {
  if (!owner_) return TStringList::LoadFromStream(stream);
  const std::string bytes((std::istreambuf_iterator<char>(stream)),
                          std::istreambuf_iterator<char>());
  owner_->LoadText(bytes);
}

void TCodeMemoStrings::SaveToFile(const THostPath& fileName) {
  if (!owner_) return TStringList::SaveToFile(fileName);
  // Trailing blanks never reach the file; the lines in the editor lose them too.
  {
    BeginUpdate();
    TScopeGuard endUpdate([this] { EndUpdate(); });
    owner_->TrimForSave();
  }
  SaveBytesToFile(fileName, GetText());
  owner_->MarkSaved();
  owner_->SetCaretX(owner_->CaretX());
}

void TCodeMemoStrings::SaveToStream(std::ostream& stream) {
  TStringList::SaveToStream(stream);
  if (owner_) owner_->MarkSaved();
}

}  // namespace kv
