// The fixture of the property editor tests: the registries with the standard editors, a form
// designed by the test designer with a few framework controls and a test widget, and helpers
// that build editors the way the inspector gets them.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/RefPropEditors.h"
#include "editors/StdEditorReg.h"
#include "editors/StdPropEditors.h"
#include "tests/editors/PropTestClasses.h"
#include "tests/editors/PropTestDesigner.h"
#include "tests/support/Matchers.h"

namespace formwright::testing {

using prop_testing::TPropTestDesigner;

// Matches an editor whose name is `Name`.
MATCHER_P(Named, Name, "named " + String(Name)) { return arg->GetName() == Name; }

class PropEditorTest : public ::testing::Test {
 protected:
  PropEditorTest() {
    FForm->SetName("Form1");
    FButton->SetName("Button1");
    FEdit->SetName("Edit1");
    FLabel->SetName("Label1");
    FWidget->SetName("Widget1");
    FWidget2->SetName("Widget2");
  }
  ~PropEditorTest() override { FDesigner->Detach(); }

  // A selection of `Objects`, in order.
  static IPtr<IDesignerSelections> Selection(std::initializer_list<TPersistent*> Objects) {
    IPtr<IDesignerSelections> S = CreateSelectionList();
    for (TPersistent* O : Objects) S->Add(O);
    return S;
  }
  // The editors the inspector gets for `Objects` (all kinds), by name.
  std::vector<IPtr<IProperty>> Properties(std::initializer_list<TPersistent*> Objects,
                                          TTypeKinds Filter = tkAny) {
    std::vector<IPtr<IProperty>> R;
    GetComponentProperties(Selection(Objects), Filter, Designer(),
                           [&R](const IPtr<IProperty>& P) { R.push_back(P); });
    return R;
  }
  std::vector<String> Names(std::initializer_list<TPersistent*> Objects, TTypeKinds Filter = tkAny) {
    std::vector<String> R;
    for (const auto& P : Properties(Objects, Filter)) R.push_back(P->GetName());
    return R;
  }
  // The editor the inspector gets for property `Name` of `Objects`; null when not listed.
  IPtr<IProperty> Prop(std::initializer_list<TPersistent*> Objects, const char* Name) {
    for (const auto& P : Properties(Objects))
      if (SameText(P->GetName(), Name)) return P;
    return nullptr;
  }
  // The editor as its class (for the operations outside IProperty).
  template <class E>
  static E* As(const IPtr<IProperty>& P) {
    return dynamic_cast<E*>(static_cast<IInterface*>(P.Get()));
  }
  // The nested editors of `P`, by name.
  static std::vector<IPtr<IProperty>> Nested(const IPtr<IProperty>& P) {
    std::vector<IPtr<IProperty>> R;
    P->GetProperties([&R](const IPtr<IProperty>& N) { R.push_back(N); });
    return R;
  }
  static std::vector<String> Values(const IPtr<IProperty>& P) {
    std::vector<String> R;
    P->GetValues([&R](const String& S) { R.push_back(S); });
    return R;
  }
  IPtr<IDesigner> Designer() const { return IPtr<IDesigner>(FDesigner.Get()); }

  TEditorsPackageScope FEditors;
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
  IPtr<TPropTestDesigner> FDesigner = MakeIntf<TPropTestDesigner>(FForm.get());
  orx::TButton* FButton = new orx::TButton(FForm.get());
  orx::TEdit* FEdit = new orx::TEdit(FForm.get());
  orx::TLabel* FLabel = new orx::TLabel(FForm.get());
  TTestWidget* FWidget = new TTestWidget(FForm.get());
  TTestWidget* FWidget2 = new TTestWidget(FForm.get());
};

}  // namespace formwright::testing
