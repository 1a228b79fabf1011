// The reference host's model of a module's source: unit name, class and ancestor, component
// fields, event handlers with their signatures and bodies, and the units it uses. It answers
// the designer as a code editor would and renders a readable unit text; nothing is compiled.
#pragma once

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "host/HostIntf.h"

namespace formwright {

// Where the entries of a list of named items are, by name regardless of case: the first
// position of each name and how many entries carry it. The list's owner reports every append,
// rename and removal so that the index stays in step with the list, whose order it leaves
// alone; lookups then cost the same for the ten-thousandth entry as for the first.
class TNamePositions {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);
  // The first position of an entry named Name; npos when there is none.
  size_t Find(std::string_view Name) const;
  // An entry named Name was appended at Pos.
  void Added(std::string_view Name, size_t Pos);
  // The entry at Pos of Items was renamed from OldName (Items already holds the new name).
  template <class TItems, class TNameOf>
  void Renamed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view OldName);
  // The entry named Name was erased from Pos of Items (Items no longer holds it).
  template <class TItems, class TNameOf>
  void Removed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view Name);

 private:
  struct TEntry {
    size_t First;
    size_t Count;
  };
  // One entry named Name at Pos is gone; the next one of that name is searched from From on.
  template <class TItems, class TNameOf>
  void Drop(const TItems& Items, TNameOf NameOf, std::string_view Name, size_t Pos, size_t From);
  std::unordered_map<String, TEntry> FPositions;
};

// One event handler of the source.
struct THandlerSource {
  String Name;
  TMethodKind Kind = mkProcedure;
  std::vector<TParamInfo> Params;
  String ResultType;
  std::vector<String> Body;  // lines between begin and end
};

// The reference host's module: the designer's IDesignerModule over the model above. Fields and
// handlers keep their order of declaration; looking one up by name (as every component read,
// renamed or removed does) does not depend on how many there are.
class TModuleSource : public TInterfacedObject, public IDesignerModule, public IDesignerLoadingFormModified {
 public:
  TModuleSource(String UnitName, String ClassName, String AncestorClassName);

  // IDesignerModule
  String GetAncestorClassName(const String& ClassName) override;
  String GetUnitName() override { return FUnitName; }
  bool IsSourceReadOnly() override { return FReadOnly; }
  bool MakeSourceWritable() override { return !FReadOnly; }
  void UpdateSource() override { ++FUpdates; }
  void Modified() override { ++FModifiedCount; }
  void Notify(int Code) override { FNotifications.push_back(Code); }
  void CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) override;
  void GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) override;
  bool MethodExists(const String& Name) override { return FindHandler(Name) != nullptr; }
  void ShowMethod(const String& Name) override { FShownMethod = Name; }
  // Raises EInvalidOperation when the new name is taken by another handler or not an identifier.
  void RenameMethod(const String& CurName, const String& NewName) override;
  void ComponentRenamed(const IPtr<ICompInfo>& Info, const String& CurName, const String& NewName) override;
  void RootRenamed(const IPtr<ICompInfo>& Info, const String& NewName) override;
  void GetImportedRoots(const TGetStrProc& Proc) override;
  void AddImportedRoot(const String& RootName) override;
  void PasteHandlers(const String& Source, TStrings* Renames, TStrings* HandlerNames) override;
  String CopyHandlers(const std::vector<String>& Names) override;
  void Resurrected() override { ++FResurrections; }
  // IDesignerLoadingFormModified
  void LoadingFormModified() override { FLoadingModified = true; }

  // The source as unit text.
  String Text() const;
  const std::vector<THandlerSource>& Handlers() const noexcept { return FHandlers; }
  const THandlerSource* FindHandler(const String& Name) const noexcept;
  const String& ClassName() const noexcept { return FClassName; }
  // Component fields in declaration order: (name, class name).
  const std::vector<std::pair<String, String>>& Fields() const noexcept { return FFields; }
  void AddField(const String& Name, const String& ClassName);

  void SetReadOnly(bool Value) noexcept { FReadOnly = Value; }
  // The ancestor class the source declares, when it was not known at creation.
  void SetAncestorClassName(const String& Value) { FAncestorClassName = Value; }
  const String& ShownMethod() const noexcept { return FShownMethod; }
  int ModifiedCount() const noexcept { return FModifiedCount; }
  const std::vector<int>& Notifications() const noexcept { return FNotifications; }
  bool LoadingModified() const noexcept { return FLoadingModified; }
  int Resurrections() const noexcept { return FResurrections; }

 private:
  String HandlerText(const THandlerSource& H) const;
  THandlerSource* FindHandlerW(const String& Name) noexcept;
  void AddHandler(THandlerSource H);
  void AppendField(const String& Name, const String& ClassName);

  String FUnitName;
  String FClassName;
  String FAncestorClassName;
  bool FReadOnly = false;
  std::vector<THandlerSource> FHandlers;
  std::vector<std::pair<String, String>> FFields;
  TNamePositions FHandlerIndex;
  TNamePositions FFieldIndex;
  std::vector<String> FImportedRoots;
  String FShownMethod;
  int FModifiedCount = 0;
  int FUpdates = 0;
  int FResurrections = 0;
  bool FLoadingModified = false;
  std::vector<int> FNotifications;
};

template <class TItems, class TNameOf>
void TNamePositions::Renamed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view OldName) {
  Drop(Items, NameOf, OldName, Pos, Pos + 1);
  const String Key = LowerCase(NameOf(Items[Pos]));
  auto [It, New] = FPositions.try_emplace(Key, TEntry{Pos, 0});
  It->second.First = std::min(It->second.First, Pos);
  ++It->second.Count;
}

template <class TItems, class TNameOf>
void TNamePositions::Removed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view Name) {
  if (Pos < Items.size())
    for (auto& [Key, E] : FPositions)
      if (E.First > Pos) --E.First;
  Drop(Items, NameOf, Name, Pos, Pos);
}

template <class TItems, class TNameOf>
void TNamePositions::Drop(const TItems& Items, TNameOf NameOf, std::string_view Name, size_t Pos,
                          size_t From) {
  auto It = FPositions.find(LowerCase(Name));
  if (It == FPositions.end()) return;
  if (--It->second.Count == 0) {
    FPositions.erase(It);
    return;
  }
  if (It->second.First != Pos) return;
  // Only a name given to more than one entry gets here: the next one takes over.
  while (From < Items.size() && !SameText(NameOf(Items[From]), Name)) ++From;
  It->second.First = From;
}

// Reads handler blocks ("procedure TForm1.Button1Click(Sender: TObject); begin … end;") from
// source text, in order.
std::vector<THandlerSource> ParseHandlers(const String& Source);

}  // namespace formwright
