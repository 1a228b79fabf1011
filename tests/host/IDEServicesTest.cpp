#include "host/IDEServices.h"

#include <gtest/gtest.h>

#include "contracts/Package.h"
#include "platform/orx/ActnList.h"

using namespace formwright;

namespace {
class TRecordingNotifier : public TInterfacedObject, public IOTAModuleNotifier {
 public:
  explicit TRecordingNotifier(std::vector<String>& Log, String Tag) : FLog(Log), FTag(std::move(Tag)) {}
  void ModuleRenamed(const String& NewName) override { FLog.push_back(FTag + " renamed " + NewName); }
  void ModuleClosed() override { FLog.push_back(FTag + " closed"); }

 private:
  std::vector<String>& FLog;
  String FTag;
};
}  // namespace

TEST(ReferenceIDEServices, TheMainActionListHoldsTheStandardCommandsByName) {
  TDesignPackage Package;
  IPtr<TReferenceIDEServices> S = InstallReferenceIDEServices();
  IPtr<INTAServices> Nta = Supports<INTAServices>(VostrelIDEServices());
  ASSERT_TRUE(Nta);
  TComponent* Cut = Nta->FindAction("editcutcommand");
  ASSERT_NE(Cut, nullptr);
  auto* Action = dynamic_cast<orx::TContainedAction*>(Cut);
  ASSERT_NE(Action, nullptr);
  EXPECT_EQ(Action->Caption(), "Cut");
  EXPECT_EQ(Action->ActionList(), S->ActionList());
  EXPECT_EQ(dynamic_cast<orx::TContainedAction*>(Nta->FindAction("AlignSendToBackCommand"))->Caption(),
            "SendToBack");
  EXPECT_EQ(Nta->FindAction("FileOpenCommand"), nullptr);
  EXPECT_TRUE(Supports<IOTAPaletteServices>(VostrelIDEServices()));
}

TEST(ReferenceIDEServices, PaletteContextsChangeOncePerUpdate) {
  auto S = MakeIntf<TReferenceIDEServices>();
  S->BeginUpdate();
  S->AddContext("NativeDesignerActive");
  S->RemoveContext("CodeEditorActive");  // not set: no change
  S->AddContext("nativedesigneractive");
  EXPECT_EQ(S->PaletteChanges(), 0);
  S->EndUpdate();
  EXPECT_EQ(S->PaletteChanges(), 1);
  EXPECT_TRUE(S->ContextActive("NATIVEDESIGNERACTIVE"));
  S->RemoveContext("NativeDesignerActive");
  EXPECT_EQ(S->PaletteChanges(), 2);
  EXPECT_FALSE(S->ContextActive("NativeDesignerActive"));
}

TEST(ReferenceIDEServices, ModuleNotifiersHearRenamesAndClosesLastAddedFirst) {
  auto S = MakeIntf<TReferenceIDEServices>();
  std::vector<String> Log;
  S->OpenModule("Unit1.fwf");
  const int A = S->AddNotifier("Unit1.fwf", MakeIntf<TRecordingNotifier>(Log, "A"));
  S->AddNotifier("Unit1.fwf", MakeIntf<TRecordingNotifier>(Log, "B"));
  S->AddNotifier("Other.fwf", MakeIntf<TRecordingNotifier>(Log, "C"));
  S->RenameModule("Unit1.fwf", "Main.fwf");
  EXPECT_TRUE(S->IsModuleOpen("Main.fwf"));
  S->RemoveNotifier(A);
  S->AddNotifier("Main.fwf", MakeIntf<TRecordingNotifier>(Log, "D"));
  S->CloseModule("Main.fwf");
  EXPECT_EQ(Log, (std::vector<String>{"A renamed Main.fwf", "B renamed Main.fwf", "D closed", "B closed"}));
  EXPECT_FALSE(S->IsModuleOpen("Main.fwf"));
  S->SetEnvironmentOption("ShowNonVisualComponents", Variant(false));
  EXPECT_FALSE(S->GetEnvironmentOption("shownonvisualcomponents").AsBoolean());
  EXPECT_TRUE(S->GetEnvironmentOption("Unknown").IsEmpty());
}
