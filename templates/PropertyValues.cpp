#include "templates/PropertyValues.h"

#include "platform/runtime/RtlConsts.h"

namespace formwright {

namespace {

constexpr size_t GrowBy = 5;

template <class T>
void GrowForOneMore(std::vector<T>& Items) {
  if (Items.size() == Items.capacity()) Items.reserve(Items.capacity() + GrowBy);
}

void CheckIndex(int Index, int Count) {
  if (Index < 0 || Index >= Count) throw EListError(Format(SListIndexError, Index));
}

}  // namespace

String TemplateValueToText(const TTemplateValue& Value) {
  struct {
    String operator()(std::monostate) const { return {}; }
    String operator()(const String& S) const { return S; }
    String operator()(int64_t I) const { return IntToStr(I); }
    String operator()(double D) const { return FloatToStrG(D, 15); }
    String operator()(bool B) const { return B ? SBooleanTrue : SBooleanFalse; }
    String operator()(const ICollectionPropertyPtr&) const { return {}; }
  } Visitor;
  return std::visit(Visitor, Value);
}

// --- TPropertyValues ---

namespace templates {

int TPropertyValues::IndexOf(std::string_view Name) const {
  for (size_t I = 0; I < FEntries.size(); ++I)
    if (SameText(FEntries[I].Key, Name)) return static_cast<int>(I);
  return -1;
}

const TPropertyValues::TEntry& TPropertyValues::EntryAt(int Index) const {
  CheckIndex(Index, GetPropertyCount());
  return FEntries[static_cast<size_t>(Index)];
}

void TPropertyValues::SetProperty(const String& Name, const TTemplateValue& Value) {
  if (const int I = IndexOf(Name); I >= 0) {
    FEntries[static_cast<size_t>(I)].Value = Value;
    return;
  }
  GrowForOneMore(FEntries);
  FEntries.push_back({Name, Value});
}

void TPropertyValues::SetCollectionProperty(const String& Name, const ICollectionPropertyPtr& Collection) {
  SetProperty(Name, TTemplateValue(Collection));
}

TTemplateValue TPropertyValues::GetProperty(int Index) const { return EntryAt(Index).Value; }

String TPropertyValues::GetPropertyKey(int Index) const { return EntryAt(Index).Key; }

TTemplateValue TPropertyValues::GetProperty(const String& Name) const {
  const size_t Dot = Name.find('.');
  if (Dot != String::npos) {
    if (const int I = IndexOf(std::string_view(Name).substr(0, Dot)); I >= 0) {
      const TTemplateValue& Value = FEntries[static_cast<size_t>(I)].Value;
      if (const auto* Collection = std::get_if<ICollectionPropertyPtr>(&Value); Collection && *Collection)
        if (const IPropertyValuesPtr Item = (*Collection)->GetCurrentItem())
          return Item->GetProperty(Name.substr(Dot + 1));
    }
  }
  const int I = IndexOf(Name);
  return I >= 0 ? FEntries[static_cast<size_t>(I)].Value : TTemplateValue();
}

void TPropertyValues::ClearProperties() { std::vector<TEntry>().swap(FEntries); }

// --- TCollectionProperty ---

void TCollectionProperty::AddItem(const IPropertyValuesPtr& Item) {
  GrowForOneMore(FItems);
  FItems.push_back(Item);
}

IPropertyValuesPtr TCollectionProperty::GetItem(int Index) const {
  CheckIndex(Index, GetItemCount());
  return FItems[static_cast<size_t>(Index)];
}

IPropertyValuesPtr TCollectionProperty::GetCurrentItem() const {
  if (!FCounter) return nullptr;
  const int Iteration = FCounter->GetCurrentIteration();
  if (Iteration < 0 || Iteration >= GetItemCount()) return nullptr;
  return FItems[static_cast<size_t>(Iteration)];
}

}  // namespace templates

// --- dump ---

String DumpProperties(const IPropertyValues& Values, int Level) {
  const String Indent(static_cast<size_t>(Level) * 2, ' ');
  String Result;
  for (int I = 0; I < Values.GetPropertyCount(); ++I) {
    if (I > 0) Result += "\r\n";
    Result += Indent + Values.GetPropertyKey(I) + "=";
    const TTemplateValue Value = Values.GetProperty(I);
    const auto* Collection = std::get_if<ICollectionPropertyPtr>(&Value);
    if (!Collection || !*Collection) {
      Result += TemplateValueToText(Value);
      continue;
    }
    for (int J = 0; J < (*Collection)->GetItemCount(); ++J) {
      Result += "\r\n" + Indent + Format("<%d>", J) + "\r\n";
      if (const IPropertyValuesPtr Item = (*Collection)->GetItem(J))
        Result += DumpProperties(*Item, Level + 1);
    }
  }
  return Result;
}

IPropertyValuesPtr CoPropertyValues::Create() { return std::make_shared<templates::TPropertyValues>(); }

ICollectionPropertyPtr CoCollectionProperty::Create() {
  return std::make_shared<templates::TCollectionProperty>();
}

}  // namespace formwright
