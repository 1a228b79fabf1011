#include "editors/ComponentRename.h"

#include "editors/RefPropEditors.h"

namespace formwright {

namespace {

TMethodProperty* MethodEditor(const IPtr<IProperty>& P) {
  return As<TMethodProperty>(InterfaceObject(P.Get()));
}

}  // namespace

TComponentRename::TComponentRename(const IPtr<IDesigner>& ADesigner, TComponent* Component)
    : FDesigner(ADesigner), FComponent(Component), FInspector(ADesigner) {
  FInspector.Select({Component});
  for (const IPtr<IProperty>& P : FInspector.Properties(TInspectorPage::ipEvents))
    if (TMethodProperty* M = MethodEditor(P); M && P->AllEqual()) {
      const String Handler = P->GetValue();
      if (!Handler.empty() && SameText(Handler, M->GetFormMethodName()))
        FNoted.push_back({P, P->GetName(), Handler, String(), false});
    }
}

void TComponentRename::RenameComponent(const String& NewName) {
  FInspector.Select({FComponent});
  const IPtr<IProperty> Name = FInspector.Find("Name");
  if (!Name) throw Exception(Format(SNoInspectorProperty, FComponent->Name(), "Name"));
  TInspectorModel::TypeValue(Name, FComponent->Name() + ".Name", NewName);
}

std::vector<THandlerFollower> TComponentRename::Followers() const {
  std::vector<THandlerFollower> Result;
  for (THandlerFollower F : FNoted) {
    F.NewHandler = MethodEditor(F.Row)->GetFormMethodName();
    if (F.NewHandler == F.Handler) continue;
    F.Taken = !SameText(F.NewHandler, F.Handler) && FDesigner && FDesigner->MethodExists(F.NewHandler);
    Result.push_back(std::move(F));
  }
  return Result;
}

void TComponentRename::RenameHandler(const THandlerFollower& F) const {
  TInspectorModel::TypeValue(F.Row, FComponent->Name() + "." + F.Event, F.NewHandler);
}

std::vector<THandlerFollower> TComponentRename::Run(const String& NewName) {
  RenameComponent(NewName);
  std::vector<THandlerFollower> Result = Followers();
  for (const THandlerFollower& F : Result)
    if (!F.Taken) RenameHandler(F);
  return Result;
}

}  // namespace formwright
