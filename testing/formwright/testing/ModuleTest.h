// The fixture of a test that designs modules on the reference host, as a component writer
// tests a component, a property editor or a component editor without an IDE.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "formwright/testing/AnswerScript.h"
#include "host/root/ReferenceRoot.h"
#include "moduledesigner/DesignPackage.h"

namespace formwright::testing {

// Each test gets a fresh, fully started design package, a reference host over files held in
// memory (`Files`) whose questions are answered from `Answers`, and helpers that act on the
// module it opened or created last (`Module`) as a person would in the inspector:
//   class GaugeTest : public TModuleTest {};
//   TEST_F(GaugeTest, TheValueIsSavedAsTyped) {
//     Open("Main.fwf", "object Form1: TForm1\n  object Gauge1: TGauge\n  end\nend\n");
//     EXPECT_EQ(SetProp("Gauge1.Value", "50"), "50");
//     Module->Save();
//     EXPECT_THAT(Files->Contents("Main.fwf"), HasSubstr("Value = 50"));
//   }
// At the end every module is closed and the package goes; a scripted answer no question took
// fails the test.
class TModuleTest : public ::testing::Test {
 protected:
  TModuleTest();
  ~TModuleTest() override;
  void TearDown() override;

  // Puts the form file `FileName` (and, when given, the unit of the same name beside it:
  // "Main.pas" for "Main.fwf") in the file system, opens it and makes it `Module`.
  IPtr<TReferenceRoot> Open(const String& FileName, const String& FormText,
                            const String& UnitText = String());
  // A new module whose root is `RootName`, of base class `AncestorClass` or inherited from the
  // open module `Ancestor`, made `Module`.
  IPtr<TReferenceRoot> Create(const String& RootName, const String& FileName,
                              const String& AncestorClass = "TForm",
                              const IPtr<TReferenceRoot>& Ancestor = nullptr);

  // The component `Name` of `Module` (its root by its own name); null when there is none.
  TComponent* Find(const String& Name) const;
  static TComponent* Find(const IPtr<TReferenceRoot>& Root, const String& Name);
  // The module as its writer streams it now (text or binary, as the module is kept).
  static String Written(const IPtr<TReferenceRoot>& Root);
  // What the module has selected, in order.
  static std::vector<TPersistent*> Selected(const IPtr<TReferenceRoot>& Root);

  // The inspector on `Module` (see formwright/testing/Inspector.h for paths and messages):
  // types a value into "Button1.Caption" and returns what the row shows then; reads a row;
  // its drop-down list.
  String SetProp(const String& Path, const String& Value);
  String Prop(const String& Path) const;
  std::vector<String> ValueList(const String& Path) const;
  // The verbs of the component editor of component `Name` of `Module`, and running one.
  std::vector<String> Verbs(const String& Name) const;
  void ExecuteVerb(const String& Name, const String& Verb);

  TDesignPackageScope Package;
  // Declared before the host, which asks it until the host goes.
  TAnswerScript Answers;
  IPtr<TMemoryFileSystem> Files;
  TReferenceHost Host;
  // The module opened or created last.
  IPtr<TReferenceRoot> Module;

 private:
  IPtr<IDesigner> Designer() const;
  TComponent* Need(const String& Name) const;
};

}  // namespace formwright::testing
