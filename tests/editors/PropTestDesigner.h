// A designer double for the property editor tests: it designs one root, resolves component
// names (qualified "Module.Component" for the roots it links to), keeps event handlers by name
// and records what editors ask of it (modifications, handler creation, renames, chain calls,
// shown handlers, selections, reverts). What editors do not use gets the null designer's
// neutral answer.
#pragma once

#include <map>
#include <vector>

#include "tests/editors/TestDesigner.h"

namespace formwright::prop_testing {

class TPropTestDesigner : public editors_testing::TTestDesigner {
 public:
  // A designer of `ARoot`, attached to it as its designer (`Detach` lets it go).
  explicit TPropTestDesigner(TComponent* ARoot) { Attach(ARoot); }

  // What the editors did.
  std::vector<String> FCreated;                     // handlers CreateMethod made
  std::vector<std::pair<String, String>> FRenamed;  // RenameMethod calls
  std::vector<String> FShown;                       // ShowMethod calls
  std::vector<std::vector<String>> FChainCalls;     // method, instance, instance method
  std::vector<TPersistent*> FSelected;              // SelectComponent calls
  std::vector<std::pair<TPersistent*, String>> FReverted;
  // What the editors see.
  std::vector<TComponent*> FLinkedRoots;  // other modules, named "Root.Component"
  std::map<String, void*> FMethods;       // the module's handlers by name
  std::vector<String> FAncestorMethods;   // handlers inherited from an ancestor
  IPtr<IDesigner> FAncestorDesigner;
  std::map<String, TComponent*> FRootAncestors;  // by class name
  TShiftState FShiftState;

  // A handler value of the module for `Name` (null code when there is none).
  TMethod MethodOf(const String& Name) const {
    for (const auto& [N, Code] : FMethods)
      if (SameText(N, Name)) return {Code, Root()};
    return {};
  }
  // Adds a handler directly (as if it were in the source).
  TMethod AddMethod(const String& Name) {
    FMethods[Name] = reinterpret_cast<void*>(++FNextHandle);
    return MethodOf(Name);
  }

  // IDesigner
  TMethod CreateMethod(const String& Name, PTypeData) override {
    if (TMethod M = MethodOf(Name); M.Code) return M;
    FCreated.push_back(Name);
    return AddMethod(Name);
  }
  TMethod CreateMethod(const String& Name, const IPtr<IEventInfo>&) override {
    return CreateMethod(Name, PTypeData());
  }
  String GetMethodName(const TMethod& Method) override {
    if (!Method.Code) return {};
    if (Method.Data == Root())
      for (const auto& [N, Code] : FMethods)
        if (Code == Method.Code) return N;
    return Method.Data ? Method.Data->MethodName(Method.Code) : String();
  }
  void GetMethods(PTypeData, const TGetStrProc& Proc) override {
    for (const auto& [N, Code] : FMethods) Proc(N);
  }
  void GetMethods(const IPtr<IEventInfo>&, const TGetStrProc& Proc) override {
    GetMethods(PTypeData(), Proc);
  }
  bool MethodExists(const String& Name) override { return MethodOf(Name).Code != nullptr; }
  void RenameMethod(const String& CurName, const String& NewName) override {
    FRenamed.emplace_back(CurName, NewName);
    for (auto It = FMethods.begin(); It != FMethods.end(); ++It)
      if (SameText(It->first, CurName)) {
        void* Code = It->second;
        FMethods.erase(It);
        FMethods[NewName] = Code;
        return;
      }
  }
  void ShowMethod(const String& Name) override { FShown.push_back(Name); }
  // Handlers of other modules' components and those listed as inherited come from ancestors.
  bool MethodFromAncestor(const TMethod& Method) override {
    if (Method.Code && Method.Data != Root()) return true;
    const String Name = GetMethodName(Method);
    for (const String& A : FAncestorMethods)
      if (SameText(A, Name)) return true;
    return false;
  }
  void ChainCall(const String& MethodName, const String& InstanceName, const String& InstanceMethod,
                 PTypeData) override {
    FChainCalls.push_back({MethodName, InstanceName, InstanceMethod});
  }

  void SelectComponent(TPersistent* Instance) override { FSelected.push_back(Instance); }

  void GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) override {
    auto Offer = [&](TComponent* Owner, const String& Prefix) {
      for (TComponent* C : Owner->ComponentList())
        if (!C->Name().empty() && (!TypeData || C->InheritsFrom(TypeData->ClassType)))
          Proc(Prefix + C->Name());
    };
    if (Root()) Offer(Root(), "");
    for (TComponent* R : FLinkedRoots) Offer(R, R->Name() + ".");
  }
  TComponent* GetComponent(const String& Name) override {
    const size_t Dot = Name.find('.');
    if (Dot == String::npos) {
      if (Root() && SameText(Name, Root()->Name())) return Root();
      return Root() ? Root()->FindComponent(Name) : nullptr;
    }
    for (TComponent* R : FLinkedRoots)
      if (SameText(R->Name(), Name.substr(0, Dot))) return R->FindComponent(Name.substr(Dot + 1));
    return nullptr;
  }
  String GetComponentName(TComponent* Component) override {
    if (!Component) return {};
    if (Component->Owner() && Component->Owner() != Root() && !Component->Owner()->Owner())
      return Component->Owner()->Name() + "." + Component->Name();
    return Component->Name();
  }
  String GetObjectName(TPersistent* Instance) override {
    return Instance ? Instance->GetNamePath() : String();
  }

  void Revert(TPersistent* Instance, PPropInfo PropInfo) override {
    FReverted.emplace_back(Instance, PropInfo->Name);
  }
  IPtr<IDesigner> GetAncestorDesigner() override { return FAncestorDesigner; }
  TComponent* FindRootAncestor(const String& ClassName) override {
    for (const auto& [N, R] : FRootAncestors)
      if (SameText(N, ClassName)) return R;
    return nullptr;
  }
  TShiftState GetShiftState() override { return FShiftState; }

 private:
  uintptr_t FNextHandle = 0;
};

}  // namespace formwright::prop_testing
