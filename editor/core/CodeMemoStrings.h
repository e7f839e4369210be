// The code editor's lines as the framework's string list, published as the control's Lines.
// With an editor attached it is a thin front: every operation goes to the editor's own line
// operations, which keep the rules of its lines (no tabs, no line breaks, at least one line)
// and its caret, caches and history. Without one it is the framework's plain string list.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/classes/Strings.h"

namespace kv {

class TCustomCodeMemo;

class TCodeMemoStrings : public TStringList {
  KV_DECLARE_CLASS()
  explicit TCodeMemoStrings(TCustomCodeMemo* owner = nullptr) : owner_(owner) {}
  ~TCodeMemoStrings() override;
  TCodeMemoStrings(const TCodeMemoStrings&) = delete;
  TCodeMemoStrings& operator=(const TCodeMemoStrings&) = delete;

  TCustomCodeMemo* Owner() const { return owner_; }

  int Count() const override;
  std::string Get(int index) const override;
  // The line itself, without a copy; an empty text for an index out of range.
  const std::string& StringRef(int index) const;
  int LineLength(int index) const { return static_cast<int>(StringRef(index).size()); }
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Put(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  // Out-of-range indexes read no object and write nothing.
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  int IndexOf(const std::string& s) const override;
  void Sort() override;
  std::string GetText() const override;
  void SetText(const std::string& text) override;
  void AddStrings(const TStrings& strings) override;
  void Assign(const TPersistent* source) override;
  void LoadFromFile(const THostPath& fileName) override;
  void SaveToFile(const THostPath& fileName) override;
  void LoadFromStream(std::istream& stream) override;
  void SaveToStream(std::ostream& stream) override;
  int UpdateDepth() const { return UpdateCount(); }
  // The list's OnChange, for those who listen to the list itself.
  void NotifyChange() { TStringList::Changed(); }

 protected:
  void InsertItem(int index, const std::string& s, TObject* object) override;
  // The end of the outermost update runs the editor's change handling once.
  void Changed() override;

 private:
  TCustomCodeMemo* owner_;
};

}  // namespace kv
