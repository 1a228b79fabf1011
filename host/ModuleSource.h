// The reference host's model of a module's source: unit name, class and ancestor, component
// fields, event handlers with their signatures and bodies, and the units it uses. It answers
// the designer as a code editor would and renders a readable unit text; nothing is compiled.
#pragma once

#include <vector>

#include "host/HostIntf.h"

namespace formwright {

// One event handler of the source.
struct THandlerSource {
  String Name;
  TMethodKind Kind = mkProcedure;
  std::vector<TParamInfo> Params;
  String ResultType;
  std::vector<String> Body;  // lines between begin and end
};

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
  const String& ShownMethod() const noexcept { return FShownMethod; }
  int ModifiedCount() const noexcept { return FModifiedCount; }
  const std::vector<int>& Notifications() const noexcept { return FNotifications; }
  bool LoadingModified() const noexcept { return FLoadingModified; }
  int Resurrections() const noexcept { return FResurrections; }

 private:
  String HandlerText(const THandlerSource& H) const;
  THandlerSource* FindHandlerW(const String& Name) noexcept;

  String FUnitName;
  String FClassName;
  String FAncestorClassName;
  bool FReadOnly = false;
  std::vector<THandlerSource> FHandlers;
  std::vector<std::pair<String, String>> FFields;
  std::vector<String> FImportedRoots;
  String FShownMethod;
  int FModifiedCount = 0;
  int FUpdates = 0;
  int FResurrections = 0;
  bool FLoadingModified = false;
  std::vector<int> FNotifications;
};

// Reads handler blocks ("procedure TForm1.Button1Click(Sender: TObject); begin … end;") from
// source text, in order.
std::vector<THandlerSource> ParseHandlers(const String& Source);

}  // namespace formwright
