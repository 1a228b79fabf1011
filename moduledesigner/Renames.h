// The records of one paste or undelete: the components renamed because their names were taken,
// and the handler methods met in the stream with the placeholder methods made for them.
#pragma once

#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// One component renamed while read: its name in the stream and the name it got.
struct TRenameItem {
  String OldName;
  String NewName;
};

// The ordered renames of one read.
class TRenames {
 public:
  void Add(const String& OldName, const String& NewName) { FItems.push_back({OldName, NewName}); }
  // Replaces Name by the new name of the first record whose old name matches it (any case).
  void Rename(String& Name) const;
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  const TRenameItem& Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }

 private:
  std::vector<TRenameItem> FItems;
};

// One handler name met in a pasted stream: the placeholder method made for it (Address), the
// name the handler finally carries, its name in the stream, and the method event properties
// must finally point at.
struct TEventItem {
  void* Address = nullptr;
  String Name;
  String StreamName;
  void* NewAddress = nullptr;
};

// The ordered handler records of one read.
class TEvents {
 public:
  void Add(void* Address, const String& Name) { FItems.push_back({Address, Name, Name, Address}); }
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TEventItem& Items(int Index) { return FItems.at(static_cast<size_t>(Index)); }

 private:
  std::vector<TEventItem> FItems;
};

// The process-wide counter of placeholder methods ("@1", "@2" …); never reset.
int NextPlaceholderMethod() noexcept;

}  // namespace formwright
