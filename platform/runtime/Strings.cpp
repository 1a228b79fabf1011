#include <algorithm>

#include "platform/runtime/Lists.h"

namespace formwright {

// ----- TStrings -------------------------------------------------------------------------------

FW_REGISTER_CLASS(TStrings, "Classes")

void TStrings::Put(int Index, const String& S) {
  TObject* O = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, O);
}
TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}
void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}
int TStrings::Add(const String& S) {
  const int I = Count();
  Insert(I, S);
  return I;
}
int TStrings::AddObject(const String& S, TObject* AObject) {
  const int I = Add(S);
  PutObject(I, AObject);
  return I;
}
int TStrings::IndexOf(const String& S) const {
  for (int I = 0; I < Count(); ++I)
    if (CompareStrings(Get(I), S) == 0) return I;
  return -1;
}
void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  const String S = Get(CurIndex);
  TObject* O = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, S, O);
  EndUpdate();
}
void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  const String S = Get(Index1);
  TObject* O = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, S);
  PutObject(Index2, O);
  EndUpdate();
}
void TStrings::AddStrings(const TStrings& Strings) {
  BeginUpdate();
  for (int I = 0; I < Strings.Count(); ++I) AddObject(Strings.Get(I), Strings.GetObject(I));
  EndUpdate();
}
void TStrings::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TStrings*>(Source)) {
    BeginUpdate();
    Clear();
    NameValueSeparator = S->NameValueSeparator;
    AddStrings(*S);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}
bool TStrings::Equals(const TStrings& Other) const {
  if (Count() != Other.Count()) return false;
  for (int I = 0; I < Count(); ++I)
    if (Get(I) != Other.Get(I)) return false;
  return true;
}
int TStrings::IndexOfName(const String& Name) const {
  for (int I = 0; I < Count(); ++I) {
    const String S = Get(I);
    const size_t P = S.find(NameValueSeparator);
    if (P != String::npos && CompareStrings(S.substr(0, P), Name) == 0) return I;
  }
  return -1;
}
int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int I = 0; I < Count(); ++I)
    if (GetObject(I) == AObject) return I;
  return -1;
}
String TStrings::Names(int Index) const {
  const String S = Get(Index);
  const size_t P = S.find(NameValueSeparator);
  return P == String::npos ? String() : S.substr(0, P);
}
String TStrings::ValueFromIndex(int Index) const {
  const String S = Get(Index);
  const size_t P = S.find(NameValueSeparator);
  return P == String::npos ? String() : S.substr(P + 1);
}
String TStrings::Values(const String& Name) const {
  const int I = IndexOfName(Name);
  return I < 0 ? String() : ValueFromIndex(I);
}
void TStrings::SetValue(const String& Name, const String& Value) {
  const int I = IndexOfName(Name);
  if (Value.empty()) {
    if (I >= 0) Delete(I);
  } else if (I >= 0) {
    Put(I, Name + NameValueSeparator + Value);
  } else {
    Add(Name + NameValueSeparator + Value);
  }
}
String TStrings::Text() const {
  String R;
  for (int I = 0; I < Count(); ++I) {
    R += Get(I);
    R += '\n';
  }
  return R;
}
void TStrings::SetText(const String& Value) {
  BeginUpdate();
  Clear();
  size_t Pos = 0;
  while (Pos < Value.size()) {
    size_t E = Value.find_first_of("\r\n", Pos);
    if (E == String::npos) E = Value.size();
    Add(Value.substr(Pos, E - Pos));
    if (E < Value.size() && Value[E] == '\r' && E + 1 < Value.size() && Value[E + 1] == '\n') ++E;
    Pos = E + 1;
  }
  EndUpdate();
}
String TStrings::DelimitedText(char Delimiter, char Quote) const {
  String R;
  for (int I = 0; I < Count(); ++I) {
    const String S = Get(I);
    const bool NeedsQuote =
        S.empty() || S.find_first_of(String(" \t\r\n") + Delimiter + Quote) != String::npos;
    if (I > 0) R += Delimiter;
    R += NeedsQuote ? QuotedStr(S, Quote) : S;
  }
  return R;
}
void TStrings::SetDelimitedText(const String& Value, char Delimiter, char Quote) {
  BeginUpdate();
  Clear();
  size_t I = 0;
  const size_t N = Value.size();
  auto SkipBlanks = [&] {
    while (I < N && (Value[I] == ' ' || Value[I] == '\t' || Value[I] == '\r' || Value[I] == '\n')) ++I;
  };
  SkipBlanks();
  while (I < N) {
    String Item;
    if (Value[I] == Quote) {
      ++I;
      while (I < N) {
        if (Value[I] == Quote) {
          if (I + 1 < N && Value[I + 1] == Quote) {
            Item += Quote;
            I += 2;
            continue;
          }
          ++I;
          break;
        }
        Item += Value[I++];
      }
    } else {
      while (I < N && Value[I] != Delimiter && Value[I] != ' ' && Value[I] != '\t') Item += Value[I++];
    }
    Add(Item);
    SkipBlanks();
    if (I < N && Value[I] == Delimiter) {
      ++I;
      SkipBlanks();
      if (I >= N) Add(String());
    }
  }
  EndUpdate();
}
String TStrings::CommaText() const { return DelimitedText(',', '"'); }
void TStrings::SetCommaText(const String& Value) { SetDelimitedText(Value, ',', '"'); }
std::vector<String> TStrings::ToVector() const {
  std::vector<String> R;
  for (int I = 0; I < Count(); ++I) R.push_back(Get(I));
  return R;
}
void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}
void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

// ----- TStringList ----------------------------------------------------------------------------

FW_REGISTER_CLASS(TStringList, "Classes")

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (TItem& I : FList)
      if (I.Obj) I.Obj->Free();
}

void TStringList::Check(int Index) const {
  if (Index < 0 || Index >= Count()) throw EStringListError(Format(SListIndexError, Index));
}
String TStringList::Get(int Index) const {
  Check(Index);
  return FList[size_t(Index)].S;
}
TObject* TStringList::GetObject(int Index) const {
  Check(Index);
  return FList[size_t(Index)].Obj;
}
void TStringList::Put(int Index, const String& S) {
  if (FSorted) throw EStringListError(SSortedListError);
  Check(Index);
  Changing();
  FList[size_t(Index)].S = S;
  Changed();
}
void TStringList::PutObject(int Index, TObject* AObject) {
  Check(Index);
  Changing();
  FList[size_t(Index)].Obj = AObject;
  Changed();
}
void TStringList::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }
void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  if (FSorted) throw EStringListError(SSortedListError);
  if (Index < 0 || Index > Count()) throw EStringListError(Format(SListIndexError, Index));
  InsertItem(Index, S, AObject);
}
void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TItem{S, AObject});
  Changed();
}
int TStringList::AddObject(const String& S, TObject* AObject) {
  int Index = Count();
  if (FSorted) {
    if (Find(S, Index)) {
      if (FDuplicates == dupIgnore) return Index;
      if (FDuplicates == dupError) throw EStringListError(SDuplicateString);
    }
  }
  InsertItem(Index, S, AObject);
  return Index;
}
void TStringList::Delete(int Index) {
  Check(Index);
  Changing();
  TObject* O = FList[size_t(Index)].Obj;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects && O) O->Free();
  Changed();
}
void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TItem> Old;
  Old.swap(FList);
  if (FOwnsObjects)
    for (TItem& I : Old)
      if (I.Obj) I.Obj->Free();
  Changed();
}
int TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int I = 0;
  return Find(S, I) ? I : -1;
}
void TStringList::Exchange(int Index1, int Index2) {
  Check(Index1);
  Check(Index2);
  Changing();
  std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
  Changed();
}
bool TStringList::Find(const String& S, int& Index) const {
  int L = 0, H = Count() - 1;
  bool Found = false;
  while (L <= H) {
    const int M = (L + H) / 2;
    const int C = CompareStrings(FList[size_t(M)].S, S);
    if (C < 0) {
      L = M + 1;
    } else {
      H = M - 1;
      if (C == 0) {
        Found = true;
        if (FDuplicates != dupAccept) L = M;
      }
    }
  }
  Index = L;
  return Found;
}
void TStringList::Sort() {
  Changing();
  std::stable_sort(FList.begin(), FList.end(),
                   [this](const TItem& A, const TItem& B) { return CompareStrings(A.S, B.S) < 0; });
  Changed();
}
void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& Compare) {
  // Sort an index permutation, then apply it, so that Compare sees stable indices.
  std::vector<int> Order(FList.size());
  for (size_t I = 0; I < Order.size(); ++I) Order[I] = int(I);
  std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(*this, A, B) < 0; });
  Changing();
  std::vector<TItem> Sorted;
  Sorted.reserve(FList.size());
  for (int I : Order) Sorted.push_back(std::move(FList[size_t(I)]));
  FList.swap(Sorted);
  Changed();
}
void TStringList::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) Sort();
  FSorted = Value;
}
void TStringList::SetCaseSensitive(bool Value) {
  if (Value == FCaseSensitive) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}
int TStringList::CompareStrings(const String& A, const String& B) const {
  return FCaseSensitive ? CompareStr(A, B) : CompareText(A, B);
}
void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}
void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}
void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

}  // namespace formwright
