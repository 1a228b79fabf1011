#include "formwright/testing/RecordingDesigner.h"

#include <algorithm>

namespace formwright::testing {

TMethod TRecordingDesigner::MethodOf(const String& Name) const {
  for (const auto& [N, Code] : FMethods)
    if (SameText(N, Name)) return {Code, Root()};
  return {};
}

TMethod TRecordingDesigner::AddMethod(const String& Name) {
  FMethods[Name] = reinterpret_cast<void*>(++FNextHandle);
  return MethodOf(Name);
}

std::vector<String> TRecordingDesigner::ShownOnce() const {
  std::vector<String> R;
  for (const String& N : FShown)
    if (std::find(R.begin(), R.end(), N) == R.end()) R.push_back(N);
  return R;
}

void TRecordingDesigner::GetSelections(const IPtr<IDesignerSelections>& List) {
  for (TPersistent* P : FSelection) List->Add(P);
}

TMethod TRecordingDesigner::CreateMethod(const String& Name, PTypeData) {
  if (TMethod M = MethodOf(Name); M.Code) return M;
  FCreated.push_back(Name);
  return AddMethod(Name);
}

TMethod TRecordingDesigner::CreateMethod(const String& Name, const IPtr<IEventInfo>&) {
  return CreateMethod(Name, PTypeData());
}

String TRecordingDesigner::GetMethodName(const TMethod& Method) {
  if (!Method.Code) return {};
  if (Method.Data == Root())
    for (const auto& [N, Code] : FMethods)
      if (Code == Method.Code) return N;
  return Method.Data ? Method.Data->MethodName(Method.Code) : String();
}

void TRecordingDesigner::GetMethods(PTypeData, const TGetStrProc& Proc) {
  for (const auto& [N, Code] : FMethods) Proc(N);
}

void TRecordingDesigner::GetMethods(const IPtr<IEventInfo>&, const TGetStrProc& Proc) {
  GetMethods(PTypeData(), Proc);
}

void TRecordingDesigner::RenameMethod(const String& CurName, const String& NewName) {
  FRenamed.emplace_back(CurName, NewName);
  for (auto It = FMethods.begin(); It != FMethods.end(); ++It)
    if (SameText(It->first, CurName)) {
      void* Code = It->second;
      FMethods.erase(It);
      FMethods[NewName] = Code;
      return;
    }
}

bool TRecordingDesigner::MethodFromAncestor(const TMethod& Method) {
  if (Method.Code && Method.Data != Root()) return true;
  const String Name = GetMethodName(Method);
  return std::any_of(FAncestorMethods.begin(), FAncestorMethods.end(),
                     [&](const String& A) { return SameText(A, Name); });
}

void TRecordingDesigner::ChainCall(const String& MethodName, const String& InstanceName,
                                   const String& InstanceMethod, PTypeData) {
  FChainCalls.push_back({MethodName, InstanceName, InstanceMethod});
}

void TRecordingDesigner::GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) {
  auto Offer = [&](TComponent* Owner, const String& Prefix) {
    for (TComponent* C : Owner->ComponentList())
      if (!C->Name().empty() && (!TypeData || C->InheritsFrom(TypeData->ClassType))) Proc(Prefix + C->Name());
  };
  if (Root()) Offer(Root(), "");
  for (TComponent* R : FLinkedRoots) Offer(R, R->Name() + ".");
}

TComponent* TRecordingDesigner::GetComponent(const String& Name) {
  const size_t Dot = Name.find('.');
  if (Dot == String::npos) {
    if (Root() && SameText(Name, Root()->Name())) return Root();
    return Root() ? Root()->FindComponent(Name) : nullptr;
  }
  for (TComponent* R : FLinkedRoots)
    if (SameText(R->Name(), Name.substr(0, Dot))) return R->FindComponent(Name.substr(Dot + 1));
  return nullptr;
}

String TRecordingDesigner::GetComponentName(TComponent* Component) {
  if (!Component) return {};
  if (Component->Owner() && Component->Owner() != Root() && !Component->Owner()->Owner())
    return Component->Owner()->Name() + "." + Component->Name();
  return Component->Name();
}

String TRecordingDesigner::GetObjectName(TPersistent* Instance) {
  return Instance ? Instance->GetNamePath() : String();
}

void TRecordingDesigner::Revert(TPersistent* Instance, PPropInfo PropInfo) {
  FReverted.emplace_back(Instance, PropInfo->Name);
}

TComponent* TRecordingDesigner::FindRootAncestor(const String& ClassName) {
  for (const auto& [N, R] : FRootAncestors)
    if (SameText(N, ClassName)) return R;
  return nullptr;
}

}  // namespace formwright::testing
