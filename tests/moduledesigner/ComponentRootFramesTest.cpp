// Modules holding many embedded frames: removals, deletion and closing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::Each;
using ::testing::ElementsAreArray;
using ::testing::Eq;
using ::testing::Pair;
using ::testing::UnorderedElementsAreArray;

// Logs each removal it is told of as "hearer < removed" (both as Owner.Name), and forgets its
// peer when the peer goes.
class TRemovalLog : public TComponent {
  FW_CLASS(TRemovalLog, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TRemovalLog>&) {}
  void SetPeer(TComponent* Value) {
    if (FPeer) FPeer->RemoveFreeNotification(this);
    FPeer = Value;
    if (FPeer) FPeer->FreeNotification(this);
  }
  TComponent* Peer() const { return FPeer; }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FPeer) FPeer = nullptr;
    if (Log) Log->push_back(Path(this) + " < " + Path(AComponent));
  }
  static String Path(const TComponent* C) { return (C->Owner() ? C->Owner()->Name() + "." : "") + C->Name(); }

  static std::vector<String>* Log;

 private:
  TComponent* FPeer = nullptr;
};
std::vector<String>* TRemovalLog::Log = nullptr;
FW_REGISTER_CLASS(TRemovalLog, "FramesTest")

constexpr int FrameCount = 20;

const char* const FrameText =
    "object AddressFrame: TAddressFrame\n"
    "  Width = 320\n"
    "  Height = 96\n"
    "  object Log: TRemovalLog\n"
    "  end\n"
    "  object StreetLabel: TLabel\n"
    "    Caption = 'Street:'\n"
    "  end\n"
    "  object StreetEdit: TEdit\n"
    "    Left = 64\n"
    "  end\n"
    "end\n";

String FormWithFrames() {
  String T =
      "object ContactForm: TContactForm\n"
      "  object FormLog: TRemovalLog\n"
      "  end\n"
      "  object OkButton: TButton\n"
      "    Left = 500\n"
      "  end\n";
  for (int I = 1; I <= FrameCount; ++I)
    T += Format("  inline Addr%d: TAddressFrame\n    Top = %d\n    TabOrder = %d\n  end\n", I, I * 100, I);
  return T + "end\n";
}

class ComponentRootFrames : public ::testing::Test {
 protected:
  ComponentRootFrames() : Files(MakeIntf<TMemoryFileSystem>()), Host(Files) {
    RegisterClass(TRemovalLog::StaticClass());
    TRemovalLog::Log = &Log;
  }
  ~ComponentRootFrames() override {
    TRemovalLog::Log = nullptr;
    Host.CloseAll();
    UnRegisterClass(TRemovalLog::StaticClass());
  }
  // How often each "hearer < removed" line was logged.
  std::map<String, int> Counts() const {
    std::map<String, int> R;
    for (const String& L : Log) ++R[L];
    return R;
  }

  IPtr<TMemoryFileSystem> Files;
  TReferenceHost Host;
  std::vector<String> Log;
};

// A removal reaches the module's own components and those inside every embedded frame once,
// whether by the owner's broadcast alone or also by a free-notification link.
TEST_F(ComponentRootFrames, EveryComponentHearsOfEachRemovalOnce) {
  Files->PutFile("Address.fwf", FrameText);
  Files->PutFile(
      "Address.pas",
      "unit Address;\ninterface\ntype\n  TAddressFrame = class(TFrame)\n  end;\nimplementation\nend.\n");
  Files->PutFile("Contact.fwf", FormWithFrames());
  IPtr<TReferenceRoot> Frame = Host.Open("Address.fwf");
  IPtr<TReferenceRoot> Form = Host.Open("Contact.fwf");
  TComponent* Root = Form->GetRoot();
  TComponent* Ok = Root->FindComponent("OkButton");
  ASSERT_TRUE(Ok);
  std::vector<String> Heard{"ContactForm.FormLog < ContactForm.OkButton"};
  for (int I = 1; I <= FrameCount; ++I) {
    TComponent* Instance = Root->FindComponent(Format("Addr%d", I));
    ASSERT_TRUE(Instance && Instance->ComponentState().Contains(csInline));
    auto* FrameLog = As<TRemovalLog>(Instance->FindComponent("Log"));
    ASSERT_TRUE(FrameLog);
    FrameLog->SetPeer(Ok);  // a link across owners besides the owner's broadcast
    Heard.push_back(Format("Addr%d.Log < ContactForm.OkButton", I));
  }
  As<TRemovalLog>(Root->FindComponent("FormLog"))->SetPeer(Root->FindComponent("Addr7"));

  Form->Select(Ok, false);
  Form->DeleteSelection();
  EXPECT_FALSE(Root->FindComponent("OkButton"));
  EXPECT_THAT(Log, UnorderedElementsAreArray(Heard));

  // Closing frees the frames last first: each removal is heard once by whatever is left.
  Log.clear();
  Host.Close(Form);
  EXPECT_THAT(Counts(), Each(Pair(::testing::_, Eq(1))));
  std::vector<String> FormLogHeard;
  for (int I = FrameCount; I >= 1; --I)
    FormLogHeard.push_back(Format("ContactForm.FormLog < ContactForm.Addr%d", I));
  std::vector<String> Seen;
  for (const String& L : Log)
    if (L.starts_with("ContactForm.FormLog < ContactForm.Addr")) Seen.push_back(L);
  EXPECT_THAT(Seen, ElementsAreArray(FormLogHeard));
  EXPECT_THAT(Counts().count("Addr1.Log < ContactForm.Addr20"), 1u);
}

}  // namespace
}  // namespace formwright
