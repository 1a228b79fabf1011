// A module holding many embedded frames: removals reach each component once, whether by the
// owners' broadcast alone or also by a free-notification link, when deleting and when closing.
// (That the root passes a removal on to each frame once is the proxies' test.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::_;
using ::testing::Each;
using ::testing::ElementsAreArray;
using ::testing::Pair;
using ::testing::UnorderedElementsAreArray;

// Logs each removal it is told of as "hearer < removed" (both as Owner.Name).
class TRemovalLog : public TComponent {
  FW_CLASS(TRemovalLog, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TRemovalLog>&) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && Log) Log->push_back(Path(this) + " < " + Path(AComponent));
  }
  static String Path(const TComponent* C) { return (C->Owner() ? C->Owner()->Name() + "." : "") + C->Name(); }

  static inline std::vector<String>* Log = nullptr;
};
FW_REGISTER_CLASS(TRemovalLog, "FramesTest")

constexpr int FrameCount = 20;

class ComponentRootFrames : public testing::RootTest {
 protected:
  ComponentRootFrames() {
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

  std::vector<String> Log;
};

TEST_F(ComponentRootFrames, EveryComponentHearsOfEachRemovalOnce) {
  IPtr<TReferenceRoot> Frame =
      Open("Address.fwf",
           "object AddressFrame: TAddressFrame\n  object Log: TRemovalLog\n  end\n"
           "  object StreetEdit: TEdit\n  end\nend\n",
           "unit Address;\ninterface\ntype\n  TAddressFrame = class(TFrame)\n  end;\nimplementation\nend.\n");
  String Text =
      "object ContactForm: TContactForm\n  object FormLog: TRemovalLog\n  end\n"
      "  object OkButton: TButton\n  end\n";
  for (int I = 1; I <= FrameCount; ++I) Text += Format("  inline Addr%d: TAddressFrame\n  end\n", I);
  Form1 = Open("Contact.fwf", Text + "end\n");
  TComponent* Ok = C("OkButton");
  ASSERT_TRUE(Ok);
  std::vector<String> Heard{"ContactForm.FormLog < ContactForm.OkButton"};
  std::vector<String> ClosedLastFirst;
  for (int I = 1; I <= FrameCount; ++I) {
    TComponent* Instance = C(Format("Addr%d", I).c_str());
    ASSERT_TRUE(Instance && Instance->ComponentState().Contains(csInline));
    Ok->FreeNotification(Instance->FindComponent("Log"));  // a link across owners
    Heard.push_back(Format("Addr%d.Log < ContactForm.OkButton", I));
    ClosedLastFirst.insert(ClosedLastFirst.begin(), Format("ContactForm.FormLog < ContactForm.Addr%d", I));
  }
  C("Addr7")->FreeNotification(C("FormLog"));

  Form1->Select(Ok, false);
  Form1->DeleteSelection();
  EXPECT_FALSE(C("OkButton"));
  EXPECT_THAT(Log, UnorderedElementsAreArray(Heard));

  // Closing frees the frames last first: each removal is heard once by whatever is left.
  Log.clear();
  Host.Close(Form1);
  EXPECT_THAT(Counts(), Each(Pair(_, 1)));
  std::vector<String> FormLogHeard;
  for (const String& L : Log)
    if (L.starts_with("ContactForm.FormLog < ContactForm.Addr")) FormLogHeard.push_back(L);
  EXPECT_THAT(FormLogHeard, ElementsAreArray(ClosedLastFirst));
  EXPECT_EQ(Counts().count("Addr1.Log < ContactForm.Addr20"), 1u);
}

}  // namespace
}  // namespace formwright
