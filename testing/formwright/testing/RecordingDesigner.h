// A designer for testing editors without a module root: it designs one root component,
// resolves component names, keeps event handlers by name and records what the editors asked
// of it.
#pragma once

#include <map>
#include <vector>

#include "contracts/NullDesigner.h"

namespace formwright::testing {

// What a property or component editor needs of its designer, with every request recorded:
//   TOwned<orx::TForm> Form(new orx::TForm(nullptr));
//   auto Designer = MakeIntf<TRecordingDesigner>(Form.get());
//   GetComponentEditor(Button, Designer)->Edit();
//   EXPECT_THAT(Designer->FCreated, ElementsAre("Button1Click"));
// Component names resolve in the designed root and, qualified as "Module.Component", in the
// roots of `FLinkedRoots`. Handlers live in `FMethods` (no source file behind them). What the
// editors do not use gets the null designer's neutral answer. A designer made with a root is
// attached to it as its designer and keeps itself alive until `Detach`.
class TRecordingDesigner : public TNullDesigner {
 public:
  TRecordingDesigner() = default;
  explicit TRecordingDesigner(TComponent* ARoot) { Attach(ARoot); }

  // What the editors did, in order.
  int FModifiedCount = 0;                           // Modified calls
  std::vector<String> FCreated;                     // handlers CreateMethod made
  std::vector<std::pair<String, String>> FRenamed;  // RenameMethod calls
  std::vector<String> FShown;                       // ShowMethod calls
  std::vector<std::vector<String>> FChainCalls;     // method, instance, instance method
  std::vector<TPersistent*> FSelected;              // SelectComponent calls
  std::vector<std::pair<TPersistent*, String>> FReverted;
  // What the editors see.
  std::vector<TPersistent*> FSelection;   // what GetSelections reports, in order
  std::vector<TComponent*> FLinkedRoots;  // other modules, named "Root.Component"
  std::map<String, void*> FMethods;       // the module's handlers by name
  std::vector<String> FAncestorMethods;   // handlers inherited from an ancestor
  IPtr<IDesigner> FAncestorDesigner;
  std::map<String, TComponent*> FRootAncestors;  // by class name
  TShiftState FShiftState;

  // A handler value of the module for `Name` (null code when there is none).
  TMethod MethodOf(const String& Name) const;
  // Adds a handler directly, as if it were in the source.
  TMethod AddMethod(const String& Name);
  // The handlers ShowMethod was asked for, each once, in order.
  std::vector<String> ShownOnce() const;

  // IDesigner
  void GetSelections(const IPtr<IDesignerSelections>& List) override;
  void Modified() override { ++FModifiedCount; }
  TMethod CreateMethod(const String& Name, PTypeData) override;
  TMethod CreateMethod(const String& Name, const IPtr<IEventInfo>&) override;
  String GetMethodName(const TMethod& Method) override;
  void GetMethods(PTypeData, const TGetStrProc& Proc) override;
  void GetMethods(const IPtr<IEventInfo>&, const TGetStrProc& Proc) override;
  bool MethodExists(const String& Name) override { return MethodOf(Name).Code != nullptr; }
  void RenameMethod(const String& CurName, const String& NewName) override;
  void ShowMethod(const String& Name) override { FShown.push_back(Name); }
  // Handlers of other modules' components and those listed in FAncestorMethods come from
  // ancestors.
  bool MethodFromAncestor(const TMethod& Method) override;
  void ChainCall(const String& MethodName, const String& InstanceName, const String& InstanceMethod,
                 PTypeData) override;
  void SelectComponent(TPersistent* Instance) override { FSelected.push_back(Instance); }
  void GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) override;
  TComponent* GetComponent(const String& Name) override;
  String GetComponentName(TComponent* Component) override;
  String GetObjectName(TPersistent* Instance) override;
  void Revert(TPersistent* Instance, PPropInfo PropInfo) override;
  IPtr<IDesigner> GetAncestorDesigner() override { return FAncestorDesigner; }
  TComponent* FindRootAncestor(const String& ClassName) override;
  TShiftState GetShiftState() override { return FShiftState; }

 private:
  uintptr_t FNextHandle = 0;
};

}  // namespace formwright::testing
