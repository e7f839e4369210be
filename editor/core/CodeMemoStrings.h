// The code editor's line store: a string list whose lines hold no tabs and no line breaks, with
// a length per line (so the longest line is known without scanning the text) and an optional
// per-line property object carrying the modified mark and the cached tokenizer state.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "editor/core/TokenState.h"
#include "platform/classes/Strings.h"

namespace kv {

class TCustomCodeMemo;

// A list of 32-bit integers.
class TIntList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  int operator[](int index) const { return items_[index]; }
  int Get(int index) const { return items_[index]; }
  void Set(int index, int value) { items_[index] = value; }
  int Add(int value);
  void Insert(int index, int value);
  void Delete(int index);
  void DeleteRange(int index, int count);
  void Clear() { items_.clear(); }
  void Reserve(int count) { items_.reserve(count); }
  int Max() const;  // 0 when empty
  const std::vector<int>& Items() const { return items_; }
  std::vector<int>& Items() { return items_; }

 private:
  std::vector<int> items_;
};

// Per-line state, created only when a line needs one.
class TLineProp : public TObject {
  KV_DECLARE_CLASS()
  TObject* UserObject = nullptr;
  TIntList ErrorStarts;
  TIntList ErrorLengths;
  bool Expanded = true;
  int FoldedCount() const { return foldedCount_; }
  void SetFoldedCount(int count) {
    if (count >= 0) foldedCount_ = count;
  }
  bool InRegion = false;
  bool RegionStart = false;
  bool Breakpoint = false;
  bool Executable = false;
  // 0 = unchanged since load, 1 = changed since the last save, 2 = changed and since saved.
  std::uint8_t ModifiedState = 0;
  int RegionIndex = -1;
  bool Flagged = false;
  TTokenState CachedState;
  bool CacheValid = false;
  bool WrapContinuation = false;

 private:
  int foldedCount_ = 0;
};

class TCodeMemoStrings : public TStringList {
  KV_DECLARE_CLASS()
  explicit TCodeMemoStrings(TCustomCodeMemo* owner = nullptr);
  ~TCodeMemoStrings() override;
  TCodeMemoStrings(const TCodeMemoStrings&) = delete;
  TCodeMemoStrings& operator=(const TCodeMemoStrings&) = delete;

  TCustomCodeMemo* Owner() const { return owner_; }
  void SetOwner(TCustomCodeMemo* owner) { owner_ = owner; }

  // The framework's operations, with the owner's extra work when one is attached.
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void Put(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void SetText(const std::string& text) override;
  void AddStrings(const TStrings& strings) override;
  void Assign(const TPersistent* source) override;
  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;
  void LoadFromStream(std::istream& stream) override;
  void SaveToStream(std::ostream& stream) override;
  // A line's object as the caller sees it: the one inside its TLineProp when it has one.
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Sort() override;

  // --- for the editor ----------------------------------------------------------------------
  const TIntList& LineLengths() const { return lengths_; }
  int LineLength(int index) const { return lengths_[index]; }
  // Greatest line length, kept incrementally.
  int LongestLength() const;
  // The line's property object, or none (also for an index out of range).
  TLineProp* LineProp(int index) const;
  // The line's property object, created when missing (taking over the slot's object).
  TLineProp* EnsureLineProp(int index);
  // Direct line edits for the editor's own operations: no change notification, no owner
  // work beyond keeping the lengths; text must hold no tabs or line breaks.
  void PutRaw(int index, std::string s);
  std::string& LineRef(int index) { return items_[index].text; }
  void LineRefChanged(int index);  // after changing LineRef(index) in place
  void InsertRaw(int index, std::vector<std::string> lines);
  void DeleteRaw(int index, int count);
  bool NoLineProps = false;  // while set, Add creates no TLineProp
  int UpdateDepth() const { return UpdateCount(); }
  // Runs the change handling of the owner once, as after a bulk change.
  void NotifyChanged() { Changed(); }

 protected:
  void InsertItem(int index, const std::string& s, TObject* object) override;

 private:
  std::string ExpandTabs(std::string_view s) const;
  void AppendPlain(std::string s, TObject* object);
  void RebuildLengths();
  void LengthChanged(int oldLength, int newLength);
  void LengthAdded(int length);
  void LengthRemoved(int length);
  void FreeProp(int index);
  void LoadText(std::string_view bytes, bool fromFile);

  TCustomCodeMemo* owner_ = nullptr;
  TIntList lengths_;
  // Longest length and how many lines have it; recomputed lazily when the last one shrinks.
  mutable int longest_ = 0;
  mutable int longestCount_ = 0;
  mutable bool longestStale_ = false;
  bool deleting_ = false;
};

}  // namespace kv
