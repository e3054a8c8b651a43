// TStrings (abstract list of strings with attached pointers) and TStringList (the in-memory
// list: optionally sorted, with duplicate rules and change events).
#pragma once
#include <string>
#include <vector>

#include "framework/core/events.h"
#include "framework/core/object.h"

namespace fw {

class TStream;

// The text without its leading UTF-8 byte-order mark, when it begins with one.
std::string WithoutUtf8Bom(const std::string& text);

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  FW_CLASS(TStrings, TPersistent)
 public:
  ~TStrings() override = default;

  virtual int GetCount() const = 0;
  std::string GetStrings(int index) const { return Get(index); }
  void SetStrings(int index, const std::string& s) { Put(index, s); }
  void* GetObjects(int index) const { return GetObject(index); }
  void SetObjects(int index, void* object) { PutObject(index, object); }

  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, void* object);
  void Append(const std::string& s) { Add(s); }
  void AddStrings(const TStrings& strings);
  virtual void Insert(int index, const std::string& s) = 0;
  void InsertObject(int index, const std::string& s, void* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  virtual int IndexOf(const std::string& s) const;
  int IndexOfName(const std::string& name) const;
  int IndexOfObject(const void* object) const;
  // Copies the strings and objects of another TStrings.
  void Assign(const TPersistent* source) override;
  bool Equals(const TStrings& other) const;

  // "name=value" lines: the name is the text before the first "=".
  std::string GetNames(int index) const;
  std::string GetValues(const std::string& name) const;
  // An empty value removes the line; an unknown name appends one.
  void SetValues(const std::string& name, const std::string& value);
  std::string GetValueFromIndex(int index) const;

  // Every line followed by CR LF.
  virtual std::string GetText() const;
  // Splits at CR, LF and CR LF; a final line break adds no empty line.
  virtual void SetText(const std::string& text);

  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  // Read the rest of the stream as text (SetText), leaving out a leading UTF-8 byte-order mark.
  virtual void LoadFromFile(const std::string& fileName);
  virtual void LoadFromStream(TStream& stream);
  // Writes GetText() byte for byte: no BOM; an empty list gives an empty file.
  virtual void SaveToFile(const std::string& fileName) const;
  virtual void SaveToStream(TStream& stream) const;

 protected:
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual void* GetObject(int index) const;
  virtual void PutObject(int index, void* object);
  // Told when the outermost BeginUpdate starts (true) and EndUpdate ends (false).
  virtual void SetUpdateState(bool) {}
  virtual int CompareStrings(const std::string& a, const std::string& b) const;
  [[noreturn]] void Error(const std::string& message, int index) const;

 private:
  int FUpdateCount = 0;
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

class TStringList : public TStrings {
  FW_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  ~TStringList() override = default;

  int GetCount() const override { return static_cast<int>(FList.size()); }
  // On a sorted list Add inserts in order and applies Duplicates.
  int AddObject(const std::string& s, void* object) override;
  // Insert raises EStringListError on a sorted list.
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const std::string& s) const override;
  // Binary search of a sorted list: true when found; index is the match (the first of equal
  // ones when Duplicates is dupAccept) or where s would go.
  virtual bool Find(const std::string& s, int& index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& compare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool sorted);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  // Takes effect only while the list is sorted.
  void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool caseSensitive);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::string& a, const std::string& b) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct TItem {
    std::string FString;
    void* FObject;
  };
  void CheckIndex(int index) const;
  void InsertItem(int index, const std::string& s, void* object);

  std::vector<TItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
};

}  // namespace fw
