// Property bags and collections of the template filter.
#pragma once

#include <vector>

#include "templates/TemplateIntf.h"

namespace formwright {

// The template filter's own property bags. They live in a namespace of their own: the name
// TCollectionProperty belongs to the inspector's editor of collection properties as well.
namespace templates {

// A property bag: entries in insertion order, looked up by name ignoring letter case. Its
// room grows by 5 entries at a time.
class TPropertyValues : public IPropertyValues {
 public:
  void SetProperty(const String& Name, const TTemplateValue& Value) override;
  void SetCollectionProperty(const String& Name, const ICollectionPropertyPtr& Collection) override;
  int GetPropertyCount() const override { return static_cast<int>(FEntries.size()); }
  TTemplateValue GetProperty(int Index) const override;
  TTemplateValue GetProperty(const String& Name) const override;
  String GetPropertyKey(int Index) const override;
  void ClearProperties() override;
  // Room for entries before the next growth.
  int Capacity() const noexcept { return static_cast<int>(FEntries.capacity()); }

 private:
  struct TEntry {
    String Key;
    TTemplateValue Value;
  };
  // Index of the entry named `Name` (ignoring case), or -1.
  int IndexOf(std::string_view Name) const;
  const TEntry& EntryAt(int Index) const;
  std::vector<TEntry> FEntries;
};

// A collection of property bags with an optional iteration counter naming the current item.
// Its room grows by 5 items at a time.
class TCollectionProperty : public ICollectionProperty, public IIterationCounterConsumer {
 public:
  void AddItem(const IPropertyValuesPtr& Item) override;
  IPropertyValuesPtr GetItem(int Index) const override;
  int GetItemCount() const override { return static_cast<int>(FItems.size()); }
  IPropertyValuesPtr GetCurrentItem() const override;
  void SetCounter(IIterationCounter* Counter) override { FCounter = Counter; }
  int GetMaxIteration() const override { return GetItemCount(); }
  int Capacity() const noexcept { return static_cast<int>(FItems.capacity()); }

 private:
  std::vector<IPropertyValuesPtr> FItems;
  IIterationCounter* FCounter = nullptr;
};

}  // namespace templates

// The dump of a bag that "outputproperties" inserts: one "key=value" line per entry, lines
// joined by CR LF, indented two spaces per level; a collection lists each item as "<j>" followed
// by the item's own entries one level deeper.
String DumpProperties(const IPropertyValues& Values, int Level = 0);

}  // namespace formwright
