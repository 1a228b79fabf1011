// The fixture and texts shared by the module root tests.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "host/root/ReferenceRoot.h"
#include "tests/support/Matchers.h"

namespace formwright::testing {

// A form with a panel holding a button, the panel at (16, 16) of a 400 x 300 client area.
inline const char* const PanelFormText =
    "object Form1: TForm1\n"
    "  ClientWidth = 400\n"
    "  ClientHeight = 300\n"
    "  object Panel1: TPanel\n"
    "    Left = 16\n"
    "    Top = 16\n"
    "    Width = 200\n"
    "    Height = 120\n"
    "    object Button1: TButton\n"
    "      Left = 8\n"
    "      Top = 8\n"
    "    end\n"
    "  end\n"
    "end\n";

// A reference host over files held in memory, and helpers that look at the module a test works
// on (`Form1`, once the test has opened it).
class RootTest : public ::testing::Test {
 protected:
  RootTest() : Files(MakeIntf<TMemoryFileSystem>()), Host(Files) {}

  // Writes the form file `Name` (and, when given, the unit of the same name beside it) and
  // opens it.
  IPtr<TReferenceRoot> Open(const String& Name, const String& Text, const String& Unit = String()) {
    Files->PutFile(Name, Text);
    if (!Unit.empty()) Files->PutFile(Name.substr(0, Name.rfind('.')) + ".pas", Unit);
    return Host.Open(Name);
  }
  // The component `Name` of `R`'s root, or null.
  static TComponent* Find(const IPtr<TReferenceRoot>& R, const char* Name) {
    return R->GetRoot()->FindComponent(Name);
  }
  TComponent* C(const char* Name) const { return Find(Form1, Name); }
  // The module as its writer streams it now.
  static String Written(const IPtr<TReferenceRoot>& R) {
    TStringStream S;
    R->WriteRootStream(&S);
    return S.DataString();
  }
  // What `R` has selected, in order.
  static std::vector<TPersistent*> Selected(const IPtr<TReferenceRoot>& R) {
    std::vector<TPersistent*> L;
    IPtr<IDesignerSelections> S = R->GetSelection();
    for (int I = 0; I < S->GetCount(); ++I) L.push_back(S->Get(I));
    return L;
  }

  IPtr<TMemoryFileSystem> Files;
  TReferenceHost Host;
  IPtr<TReferenceRoot> Form1;
};

}  // namespace formwright::testing
