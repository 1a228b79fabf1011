// The reference host's model of a module's source: unit name, class and ancestor, component
// fields, event handlers with their signatures and bodies, and the units it uses. It answers
// the designer as a code editor would. A unit read from a file is edited in place: each change
// touches only its own spans of the text and every other byte stays as its author wrote it.
#pragma once

#include <functional>
#include <map>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "contracts/HostIntf.h"
#include "host/UnitLayout.h"
#include "moduledesigner/ModuleNotifiers.h"
#include "moduledesigner/RootViews.h"
#include "platform/runtime/NameMap.h"

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
  // Room for Count names, so that adding that many moves nothing.
  void Reserve(size_t Count) { FPositions.Reserve(Count); }
  // The entry at Pos of Items was renamed from OldName (Items already holds the new name).
  template <class TItems, class TNameOf>
  void Renamed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view OldName);
  // The entry named Name was erased from Pos of Items (Items no longer holds it).
  template <class TItems, class TNameOf>
  void Removed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view Name);

 private:
  struct TEntry {
    size_t First = 0;
    size_t Count = 0;
  };
  // One entry named Name at Pos is gone; the next one of that name is searched from From on.
  template <class TItems, class TNameOf>
  void Drop(const TItems& Items, TNameOf NameOf, std::string_view Name, size_t Pos, size_t From);
  TNameMap<TEntry> FPositions;
};

// One event handler of the source.
struct THandlerSource {
  String Name;
  TMethodKind Kind = mkProcedure;
  std::vector<TParamInfo> Params;
  String ResultType;
  std::vector<String> Body;  // lines between begin and end
  size_t Origin = NoToken;   // its declaration in the unit as read (index of TUnitLayout::Methods)
  size_t Routine = NoToken;  // its implementation there (index of TUnitLayout::Routines)
};

// The reference host's module: the designer's IDesignerModule over the model above. Fields and
// handlers keep their order of declaration; looking one up by name (as every component read,
// renamed or removed does) does not depend on how many there are.
class TModuleSource : public TInterfacedObject,
                      public IDesignerModule,
                      public IDesignerLoadingFormModified,
                      public IDesignerModuleNames,
                      public IDesignerModuleViews,
                      public IOTAModule {
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
  // IDesignerModuleViews: the module's views as name=value lines, kept by the host beside the
  // module's files; the form-factor attribute is FormFactor unless the host chose another.
  void GetViewList(TStrings* List) override;
  void SetViewList(TStrings* List) override;
  String GetFormFactorAttribute() override { return FFormFactorAttribute; }
  void SetFormFactorAttribute(const String& Value) { FFormFactorAttribute = Value; }
  const std::vector<String>& ViewList() const noexcept { return FViewList; }
  // IOTAModule: watchers of the module, told when the host closes it (Closed).
  int AddNotifier(const IPtr<IOTAModuleNotifier>& Notifier) override { return FNotifiers.Add(Notifier); }
  void RemoveNotifier(int Index) override { FNotifiers.Remove(Index); }
  void Closed() { FNotifiers.Closed(); }

  // Reads the unit Text of the file FileName whose form class is FormClassName (empty: the
  // first class of the interface that names an ancestor): class, ancestor, component fields
  // and handlers come from it. Raises Exception naming the file and the line when the form
  // class cannot be placed in it; the source is unchanged then.
  void LoadUnit(const String& Text, const String& FileName, const String& FormClassName);
  // The source as unit text: the unit as read with the changes made since, or, when no unit
  // was read, a new unit declaring every field and handler.
  String Text() const;
  // The same text for a copy of the unit named UnitName (empty: the name it has).
  String TextAs(const String& UnitName) const;
  // Gives the unit another name (its "unit" clause); the module's file name is the caller's.
  void RenameUnit(const String& NewName);
  // How the names of other modules' roots and their units map to each other, for the uses
  // clause (both directions; an empty answer: not an open module). Unset: the names are equal.
  void SetUnitNames(std::function<String(const String& RootName)> UnitOfRoot,
                    std::function<String(const String& UnitName)> RootOfUnit);

  // Names a component must not take because the unit already uses them otherwise. Methods of
  // the form class in any section (handlers included, under their current names):
  std::vector<String> MethodNames() const;
  // Types declared anywhere in the unit, the form class (under its current name) included:
  std::vector<String> TypeNames() const;
  // IDesignerModuleNames: whether Name (any letter case) is one of the above, or a field or
  // property of the form class outside its component section. Component fields do not count.
  bool DeclaresName(const String& Name) override;
  const std::vector<THandlerSource>& Handlers() const noexcept { return FHandlers; }
  // Takes back a handler added since the unit was read (created or pasted, never one the
  // unit's author wrote), so that the unit is saved without it; false when there is none such.
  bool DropAddedHandler(const String& Name);
  const THandlerSource* FindHandler(const String& Name) const noexcept;
  const String& ClassName() const noexcept { return FClassName; }
  // Component fields in declaration order: (name, class name).
  const std::vector<std::pair<String, String>>& Fields() const noexcept { return FFields; }
  void AddField(const String& Name, const String& ClassName);

  void SetReadOnly(bool Value) noexcept { FReadOnly = Value; }
  // The class the source declares, when it was not known at creation (no unit was read).
  void SetClassName(const String& Value) { FClassName = FOriginalClassName = Value; }
  // The ancestor class the source declares, when it was not known at creation.
  void SetAncestorClassName(const String& Value) { FAncestorClassName = Value; }
  const String& ShownMethod() const noexcept { return FShownMethod; }
  int ModifiedCount() const noexcept { return FModifiedCount; }
  const std::vector<int>& Notifications() const noexcept { return FNotifications; }
  bool LoadingModified() const noexcept { return FLoadingModified; }
  int Resurrections() const noexcept { return FResurrections; }

 private:
  TModuleNotifierList FNotifiers;
  // "procedure Name(Sender: TObject);" as the class declares it.
  String DeclarationText(const THandlerSource& H) const;
  // The whole implementation, with "\n" line ends.
  String HandlerText(const THandlerSource& H) const;
  String NewUnitText() const;
  THandlerSource* FindHandlerW(const String& Name) noexcept;
  void AddHandler(THandlerSource H);
  void AppendField(const String& Name, const String& ClassName, size_t Origin = NoToken);
  // Takes field I out; the declaration it was read from is vacated for a field of its name.
  void DropField(size_t I);
  // The first field named Name (any letter case); npos when there is none.
  size_t FindField(std::string_view Name);
  // Builds the field index when it is not there yet.
  void IndexFields();
  // The field a component read from the module takes (AddField for it).
  void ReadComponentField(const String& Name, const String& ClassName);

  // The unit as read (empty while there is none) and where things are in it.
  String FOriginal;
  std::vector<TUnitToken> FTokens;
  TUnitLayout FLayout;
  bool FHasUnit = false;
  String FOriginalClassName;
  bool FUnitRenamed = false;
  std::vector<size_t> FFieldOrigins;  // beside FFields: the declaration each was read from
  // Declarations whose field went (lower-case name -> declaration): a field given that name
  // again, as when a component is replaced by one of another class, takes its place.
  std::map<String, size_t> FVacated;
  std::vector<String> FAddedUnits;  // units to add to the uses clause
  std::function<String(const String&)> FUnitOfRoot, FRootOfUnit;

  String FUnitName;
  String FClassName;
  String FAncestorClassName;
  bool FReadOnly = false;
  std::vector<THandlerSource> FHandlers;
  std::vector<std::pair<String, String>> FFields;
  TNamePositions FHandlerIndex;
  // The field index is built when first needed, not when the unit is read: an open names its
  // components in the order the unit declares their fields, and finds each where the one before
  // it ended (FNextField) until anything else touches the fields.
  TNamePositions FFieldIndex;
  bool FFieldsIndexed = false;
  size_t FNextField = 0;
  std::vector<String> FImportedRoots;
  String FShownMethod;
  int FModifiedCount = 0;
  int FUpdates = 0;
  int FResurrections = 0;
  bool FLoadingModified = false;
  std::vector<int> FNotifications;
  std::vector<String> FViewList;
  String FFormFactorAttribute = SFormFactorAttribute;
};

template <class TItems, class TNameOf>
void TNamePositions::Renamed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view OldName) {
  Drop(Items, NameOf, OldName, Pos, Pos + 1);
  TEntry* E = FPositions.TryEmplace(NameOf(Items[Pos]), TEntry{Pos, 0}).first;
  E->First = std::min(E->First, Pos);
  ++E->Count;
}

template <class TItems, class TNameOf>
void TNamePositions::Removed(const TItems& Items, TNameOf NameOf, size_t Pos, std::string_view Name) {
  if (Pos < Items.size())
    FPositions.ForEach([Pos](TEntry& E) {
      if (E.First > Pos) --E.First;
    });
  Drop(Items, NameOf, Name, Pos, Pos);
}

template <class TItems, class TNameOf>
void TNamePositions::Drop(const TItems& Items, TNameOf NameOf, std::string_view Name, size_t Pos,
                          size_t From) {
  TEntry* E = FPositions.Find(Name);
  if (!E) return;
  if (--E->Count == 0) {
    FPositions.Erase(Name);
    return;
  }
  if (E->First != Pos) return;
  // Only a name given to more than one entry gets here: the next one takes over.
  while (From < Items.size() && !SameText(NameOf(Items[From]), Name)) ++From;
  E->First = From;
}

// Reads handler blocks ("procedure TForm1.Button1Click(Sender: TObject); begin … end;") from
// source text, in order.
std::vector<THandlerSource> ParseHandlers(const String& Source);

}  // namespace formwright
