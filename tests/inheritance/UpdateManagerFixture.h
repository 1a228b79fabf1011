// An ancestor form and its open descendants, each with an update manager and one recording
// callback shared by all of them.
#pragma once

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "formwright/testing/Forms.h"
#include "inheritance/UpdateManager.h"
#include "platform/runtime/Filer.h"

namespace formwright::testing {

// Records what the managers ask of their roots, as "updating Form2", "deleting Button1",
// "create TPanel", "updated Form2".
class TRecordingCallback : public TInterfacedObject, public IUpdateManagerCallback {
 public:
  void Updating(const IPtr<IUpdateManager>& M) override {
    Log.push_back("updating " + M->GetComponent()->Name());
  }
  void Updated(const IPtr<IUpdateManager>& M) override {
    Log.push_back("updated " + M->GetComponent()->Name());
  }
  void Deleting(const IPtr<IUpdateManager>&, TPersistent* Instance) override {
    Log.push_back("deleting " + static_cast<TComponent*>(Instance)->Name());
  }
  TComponent* CreateComponent(TClass ComponentClass, TComponent* Owner) override {
    Log.push_back("create " + std::string(ComponentClass->ClassName()));
    return static_cast<TComponent*>(ComponentClass->Create<TComponent*>(Owner));
  }
  void WriteComponent(TWriter* Writer, TComponent* Component) override { Writer->WriteComponent(Component); }
  std::vector<std::string> Log;
};

// Ancestor Form1 holds Panel1 with Button1 (caption "OK") on it. AddDescendant copies a form
// through a component stream, as a module inheriting from it starts, and gives it a manager.
struct TUpdateManagerTest : ::testing::Test {
  TUpdateManagerTest()
      : Ancestor(new orx::TForm(nullptr)), Callback(new TRecordingCallback), Log(Callback->Log) {
    orx::RegisterOrxClasses();
    Ancestor->SetName("Form1");
    auto* Panel = Make<orx::TPanel>(Ancestor.get(), "Panel1", Ancestor.get());
    Make<orx::TButton>(Ancestor.get(), "Button1", Panel)->SetCaption("OK");
    Managers.push_back(MakeIntf<TUpdateManager>(Ancestor.get(), nullptr, nullptr, Callback.Get()));
  }
  ~TUpdateManagerTest() override {
    Managers.clear();
    for (auto It = Descendants.rbegin(); It != Descendants.rend(); ++It) It->reset();
  }

  // A descendant of `Of` (the ancestor when null), named Name.
  orx::TForm* AddDescendant(const char* Name, orx::TForm* Of = nullptr) {
    if (!Of) Of = Ancestor.get();
    TOwned<TMemoryStream> S(new TMemoryStream);
    TWriter(S.get(), 4096).WriteRootComponent(Of);
    S->SetPosition(0);
    TOwned<orx::TForm> D(new orx::TForm(nullptr));
    TReader(S.get(), 4096).ReadRootComponent(D.get());
    D->SetName(Name);
    for (TComponent* C : D->ComponentList()) C->SetAncestor(true);
    size_t Index = 0;
    while (Index < Descendants.size() && Descendants[Index].get() != Of) ++Index;
    const IPtr<TUpdateManager>& Parent = Of == Ancestor.get() ? Managers[0] : Managers[Index + 1];
    Managers.push_back(MakeIntf<TUpdateManager>(D.get(), Of, Parent, Callback.Get()));
    Descendants.push_back(std::move(D));
    Log.clear();
    return Descendants.back().get();
  }

  TClassGroupScope Group{orx::TControl::StaticClass()};
  TOwned<orx::TForm> Ancestor;
  IPtr<TRecordingCallback> Callback;
  std::vector<std::string>& Log;
  std::vector<TOwned<orx::TForm>> Descendants;
  std::vector<IPtr<TUpdateManager>> Managers;
};

}  // namespace formwright::testing
