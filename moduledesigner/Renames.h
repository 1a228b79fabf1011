// The records of one paste or undelete: the components renamed because their names were taken,
// and the handler methods met in the stream with the placeholder methods made for them.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// One component renamed while read: its name in the stream and the name it got.
struct TRenameItem {
  String OldName;
  String NewName;
};

// The ordered renames of one read. Looking a name up costs the same however many components the
// read renamed.
class TRenames {
 public:
  void Add(const String& OldName, const String& NewName);
  // Replaces Name by the new name of the first record whose old name matches it (any case).
  void Rename(String& Name) const;
  // The first record (in list order) whose old name is a strict prefix of Name (same letter
  // case) not followed by a decimal digit there: Button1 for Button1Click, never for
  // Button12Click. Null when there is none.
  const TRenameItem* PrefixOf(const String& Name) const;
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  const TRenameItem& Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }

 private:
  std::vector<TRenameItem> FItems;
  // Position of the first record per old name, in lower case and as written.
  std::unordered_map<String, size_t> FFirstByText;
  std::unordered_map<String, size_t> FFirstByName;
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

// The ordered handler records of one read, found by stream name (any case) and by address as
// fast for the thousandth handler as for the first.
class TEvents {
 public:
  void Add(void* Address, const String& Name);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TEventItem& Items(int Index) { return FItems.at(static_cast<size_t>(Index)); }
  // The first record whose stream name matches Name in any case; null when none.
  TEventItem* FindStreamName(const String& Name);
  // The first record whose placeholder is Address; null when none.
  const TEventItem* FindAddress(void* Address) const;

 private:
  std::vector<TEventItem> FItems;
  std::unordered_map<String, size_t> FByStreamName;
  std::unordered_map<void*, size_t> FByAddress;
};

// The process-wide counter of placeholder methods ("@1", "@2" …); never reset.
int NextPlaceholderMethod() noexcept;

}  // namespace formwright
