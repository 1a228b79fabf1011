// Lists of the runtime: pointer lists, interface lists, bit sets and string lists.
#pragma once

#include <functional>
#include <vector>

#include "platform/runtime/Classes.h"

namespace formwright {

// An ordered list of untyped references; it owns nothing.
class TList {
 public:
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  void* Get(int Index) const;
  void* operator[](int Index) const { return Get(Index); }
  void Put(int Index, void* Item);
  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  void* Extract(void* Item);
  int Remove(void* Item);
  int IndexOf(const void* Item) const noexcept;
  void Move(int CurIndex, int NewIndex);
  void Exchange(int Index1, int Index2);
  void Clear() noexcept { FItems.clear(); }
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  auto begin() const noexcept { return FItems.begin(); }
  auto end() const noexcept { return FItems.end(); }

 private:
  void Check(int Index) const;
  std::vector<void*> FItems;
};

// The interface of a list of interface references.
struct IInterfaceList : virtual IInterface {
  FW_INTERFACE(IInterfaceList, IInterface, "{285DEA8A-B865-11D1-AAA7-00C04FB17A72}")
  virtual IPtr<IInterface> Get(int Index) const = 0;
  virtual int GetCount() const noexcept = 0;
  virtual void Put(int Index, const IPtr<IInterface>& Item) = 0;
  virtual int Add(const IPtr<IInterface>& Item) = 0;
  virtual void Insert(int Index, const IPtr<IInterface>& Item) = 0;
  virtual void Delete(int Index) = 0;
  virtual int IndexOf(const IPtr<IInterface>& Item) const noexcept = 0;
  virtual int Remove(const IPtr<IInterface>& Item) = 0;
  virtual void Exchange(int Index1, int Index2) = 0;
  virtual void Clear() = 0;
};

// A reference-counted list that holds a reference to each interface it contains.
class TInterfaceList : public TInterfacedObject, public IInterfaceList {
  FW_CLASS(TInterfaceList, TInterfacedObject)
 public:
  IPtr<IInterface> Get(int Index) const override;
  int GetCount() const noexcept override { return static_cast<int>(FItems.size()); }
  void Put(int Index, const IPtr<IInterface>& Item) override;
  int Add(const IPtr<IInterface>& Item) override;
  void Insert(int Index, const IPtr<IInterface>& Item) override;
  void Delete(int Index) override;
  int IndexOf(const IPtr<IInterface>& Item) const noexcept override;
  int Remove(const IPtr<IInterface>& Item) override;
  void Exchange(int Index1, int Index2) override;
  void Clear() override { FItems.clear(); }

 private:
  void Check(int Index) const;
  std::vector<IPtr<IInterface>> FItems;
};

// A growable array of bits.
class TBits {
 public:
  int Size() const noexcept { return static_cast<int>(FBits.size()); }
  void SetSize(int Value) { FBits.resize(static_cast<size_t>(Value), false); }
  bool Get(int Index) const;
  // Setting a bit beyond the end grows the array.
  void Set(int Index, bool Value);
  // The lowest clear bit (the size when all are set).
  int OpenBit() const noexcept;

 private:
  std::vector<bool> FBits;
};

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

// An abstract list of strings with associated objects: the base of string list properties.
// Name=value lines, comma text and line text are built on the abstract accessors.
class TStrings : public TPersistent {
  FW_CLASS(TStrings, TPersistent)
 public:
  virtual int Count() const = 0;
  virtual String Get(int Index) const = 0;
  virtual void Put(int Index, const String& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  virtual int IndexOf(const String& S) const;
  virtual void Move(int CurIndex, int NewIndex);
  virtual void Exchange(int Index1, int Index2);

  String operator[](int Index) const { return Get(Index); }
  void AddStrings(const TStrings& Strings);
  void Assign(TPersistent* Source) override;
  bool Equals(const TStrings& Other) const;
  int IndexOfName(const String& Name) const;
  int IndexOfObject(const TObject* AObject) const;
  String Names(int Index) const;
  String ValueFromIndex(int Index) const;
  String Values(const String& Name) const;
  void SetValue(const String& Name, const String& Value);
  // Lines joined with line breaks (each line ends with one).
  String Text() const;
  void SetText(const String& Value);
  // Comma-separated, quoting items with blanks, commas or quotes in double quotes.
  String CommaText() const;
  void SetCommaText(const String& Value);
  String DelimitedText(char Delimiter = ',', char Quote = '"') const;
  void SetDelimitedText(const String& Value, char Delimiter = ',', char Quote = '"');
  std::vector<String> ToVector() const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const noexcept { return FUpdateCount; }

  char NameValueSeparator = '=';

 protected:
  // Called when the update count changes from 0 to 1 (true) and back to 0 (false).
  virtual void SetUpdateState(bool Updating) {}
  virtual int CompareStrings(const String& A, const String& B) const { return CompareText(A, B); }

 private:
  int FUpdateCount = 0;
};

// A string list with optional sorting, duplicate control and change events.
class TStringList : public TStrings {
  FW_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FList.size()); }
  String Get(int Index) const override;
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const String& S) override { return AddObject(S, nullptr); }
  int AddObject(const String& S, TObject* AObject) override;
  int IndexOf(const String& S) const override;
  void Exchange(int Index1, int Index2) override;

  // Binary search of a sorted list: true when found; Index is the match or insertion point.
  bool Find(const String& S, int& Index) const;
  void Sort();
  void CustomSort(const std::function<int(const TStringList&, int, int)>& Compare);

  bool Sorted() const noexcept { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const noexcept { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) noexcept { FDuplicates = Value; }
  bool CaseSensitive() const noexcept { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const noexcept { return FOwnsObjects; }

  std::function<void(TObject*)> OnChange;
  std::function<void(TObject*)> OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const String& A, const String& B) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct TItem {
    String S;
    TObject* Obj = nullptr;
  };
  void Check(int Index) const;
  void InsertItem(int Index, const String& S, TObject* AObject);
  std::vector<TItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
};

}  // namespace formwright
