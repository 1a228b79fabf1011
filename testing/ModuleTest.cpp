#include "formwright/testing/ModuleTest.h"

#include <gmock/gmock.h>

#include "formwright/testing/Inspector.h"

namespace formwright::testing {

TModuleTest::TModuleTest() : Files(MakeIntf<TMemoryFileSystem>()), Host(Files) {
  Answers.Install(Host.Questions());
}

TModuleTest::~TModuleTest() {
  Module = nullptr;
  Host.CloseAll();
}

void TModuleTest::TearDown() {
  EXPECT_THAT(Answers.Unused(), ::testing::IsEmpty()) << "scripted answers that no question took";
}

IPtr<TReferenceRoot> TModuleTest::Open(const String& FileName, const String& FormText,
                                       const String& UnitText) {
  Files->PutFile(FileName, FormText);
  if (!UnitText.empty()) Files->PutFile(FileName.substr(0, FileName.rfind('.')) + ".pas", UnitText);
  return Module = Host.Open(FileName);
}

IPtr<TReferenceRoot> TModuleTest::Create(const String& RootName, const String& FileName,
                                         const String& AncestorClass, const IPtr<TReferenceRoot>& Ancestor) {
  return Module = Host.New(RootName, FileName, AncestorClass, Ancestor);
}

TComponent* TModuleTest::Find(const String& Name) const { return Module ? Find(Module, Name) : nullptr; }

TComponent* TModuleTest::Find(const IPtr<TReferenceRoot>& Root, const String& Name) {
  TComponent* R = Root->GetRoot();
  if (!R) return nullptr;
  return SameText(R->Name(), Name) ? R : R->FindComponent(Name);
}

String TModuleTest::Written(const IPtr<TReferenceRoot>& Root) {
  TStringStream S;
  Root->WriteRootStream(&S);
  return S.DataString();
}

std::vector<TPersistent*> TModuleTest::Selected(const IPtr<TReferenceRoot>& Root) {
  std::vector<TPersistent*> L;
  IPtr<IDesignerSelections> S = Root->GetSelection();
  for (int I = 0; I < S->GetCount(); ++I) L.push_back(S->Get(I));
  return L;
}

IPtr<IDesigner> TModuleTest::Designer() const {
  if (!Module) throw Exception("no module is open: call Open or Create first");
  return Module->GetDesigner();
}

TComponent* TModuleTest::Need(const String& Name) const {
  TComponent* C = Find(Name);
  if (!C) throw Exception(Format("%s has no component %s", Designer()->GetRoot()->Name(), Name));
  return C;
}

String TModuleTest::SetProp(const String& Path, const String& Value) {
  return testing::SetProp(Designer(), Path, Value);
}

String TModuleTest::Prop(const String& Path) const { return testing::Prop(Designer(), Path); }

std::vector<String> TModuleTest::ValueList(const String& Path) const {
  return testing::ValueList(Designer(), Path);
}

std::vector<String> TModuleTest::Verbs(const String& Name) const { return VerbsOf(Designer(), Need(Name)); }

void TModuleTest::ExecuteVerb(const String& Name, const String& Verb) {
  testing::ExecuteVerb(Designer(), Need(Name), Verb);
}

}  // namespace formwright::testing
