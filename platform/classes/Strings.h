// String lists with the framework's semantics: lines with an object slot each, OnChanging and
// OnChange around every change, nested BeginUpdate/EndUpdate, comma text, the Text property,
// and loading/saving as CR LF text.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Classes.h"
#include "support/HostPath.h"

namespace kv {

using TNotifyEvent = std::function<void(TObject* sender)>;

class TStrings : public TPersistent {
  KV_DECLARE_CLASS()
  ~TStrings() override = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, TObject* object);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void InsertObject(int index, const std::string& s, TObject* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void AddStrings(const TStrings& strings);
  void Append(const std::string& s) { Add(s); }
  void Exchange(int a, int b);
  void Move(int from, int to);
  virtual int IndexOf(const std::string& s) const;
  int IndexOfObject(const TObject* object) const;

  std::string operator[](int index) const { return Get(index); }
  std::string Strings(int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }

  // Name=Value pairs.
  std::string Names(int index) const;
  std::string Values(const std::string& name) const;
  int IndexOfName(const std::string& name) const;

  // Lines joined by CR LF, with a CR LF after the last one too.
  virtual std::string GetText() const;
  // Splits at CR LF, lone CR and lone LF; a final line break adds no empty line.
  virtual void SetText(const std::string& text);
  std::string GetCommaText() const;
  void SetCommaText(const std::string& text);
  std::string GetDelimitedText() const;
  void SetDelimitedText(const std::string& text);
  char Delimiter = ',';
  char QuoteChar = '"';

  void Assign(const TPersistent* source) override;
  bool Equals(const TStrings& other) const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Whole-file text in the program's code page. Missing or unreadable files raise EFOpenError
  // with the framework's message; a file that cannot be written raises EFCreateError.
  virtual void LoadFromFile(const THostPath& fileName);
  virtual void SaveToFile(const THostPath& fileName);
  virtual void LoadFromStream(std::istream& stream);
  virtual void SaveToStream(std::ostream& stream);

 protected:
  std::string DelimitedText(char delimiter, char quote) const;
  void SetDelimited(const std::string& text, char delimiter, char quote);
  // Called by BeginUpdate (true) and the last EndUpdate (false).
  virtual void SetUpdateState(bool updating) { (void)updating; }
  void Error(int index) const;

 private:
  int updateCount_ = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  KV_DECLARE_CLASS()
  TStringList() = default;
  ~TStringList() override = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(const std::string& s) const override;

  // Direct access for hot loops (no copy); the index must be valid.
  const std::string& StringRef(int index) const { return items_[index].text; }

  bool Find(const std::string& s, int& index) const;
  virtual void Sort();
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);
  TDuplicates Duplicates = TDuplicates::dupIgnore;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool updating) override;
  virtual void InsertItem(int index, const std::string& s, TObject* object);
  int CompareStrings(const std::string& a, const std::string& b) const;

  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  std::vector<Item> items_;

 private:
  bool sorted_ = false;
  bool caseSensitive_ = false;
};

// Replaces a file's bytes as one step (a temporary file, then a rename): a reader sees the old
// or the new file, never half of one. Raises EFCreateError naming the file and the reason.
// SaveToFile writes this way.
void SaveBytesToFile(const THostPath& fileName, const std::string& bytes);

// Splits text into lines at CR LF, lone CR and lone LF (the framework's rule); a final line
// break adds no empty line. NUL bytes are kept.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace kv
