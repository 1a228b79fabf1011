#include <gtest/gtest.h>

#include "contracts/Events.h"

using namespace formwright;

namespace {

std::vector<String> GLog;

// A listener that logs its calls and can remove itself (or another handler) while called.
class TListener : public TObject {
 public:
  explicit TListener(String AName) : FName(std::move(AName)) {}
  void Handle(TObject* Sender) {
    GLog.push_back(FName);
    FLastSender = Sender;
    if (FEvent && FRemove) FEvent->Remove(*FRemove);
  }
  void Renamed(TObject* Sender, const String& NewName) { GLog.push_back(FName + ":" + NewName); }
  TEventHandler Handler() { return TEventHandler::Bind<&TListener::Handle>(this); }

  String FName;
  TObject* FLastSender = nullptr;
  TEvent* FEvent = nullptr;
  const TEventHandler* FRemove = nullptr;
};

class Events : public ::testing::Test {
 protected:
  void SetUp() override { GLog.clear(); }
  TListener A{"A"}, B{"B"}, C{"C"};
  TEvent Event;
};

TEST_F(Events, AddKeepsOneEntryPerHandlerAndForceAddKeepsEach) {
  Event.Add(A.Handler());
  Event.Add(A.Handler());
  Event.Add(B.Handler());  // the same code on another object is another handler
  EXPECT_EQ(Event.Count(), 2);
  EXPECT_EQ(Event.IndexOf(B.Handler()), 1);
  EXPECT_EQ(Event.IndexOf(C.Handler()), -1);
  Event.ForceAdd(C.Handler());
  Event.ForceAdd(C.Handler());
  Event.Remove(C.Handler());  // one remove leaves one
  EXPECT_EQ(Event.Count(), 3);
  EXPECT_EQ(Event.Handler(2), C.Handler().Method());
}

TEST_F(Events, TheHandlerAddedLastRunsFirst) {
  Event.Add(A.Handler());
  Event.Add(B.Handler());
  Event.Add(C.Handler());
  Event.Send(&B);
  EXPECT_EQ(GLog, (std::vector<String>{"C", "B", "A"}));
  EXPECT_EQ(A.FLastSender, &B);
}

TEST_F(Events, IndexOfComparesTheNewestEntryFirstThenScansFromTheFirst) {
  Event.ForceAdd(A.Handler());
  Event.ForceAdd(B.Handler());
  Event.ForceAdd(A.Handler());
  EXPECT_EQ(Event.IndexOf(A.Handler()), 2);  // the newest entry
  EXPECT_EQ(Event.IndexOf(B.Handler()), 1);
  Event.Remove(A.Handler());  // removes the newest A
  EXPECT_EQ(Event.Count(), 2);
  EXPECT_EQ(Event.Handler(1), B.Handler().Method());

  TEvent Other;
  Other.ForceAdd(A.Handler());
  Other.ForceAdd(A.Handler());
  Other.ForceAdd(B.Handler());
  EXPECT_EQ(Other.IndexOf(A.Handler()), 0);  // not the newest: scanned from the first
}

TEST_F(Events, AHandlerMayRemoveItselfWhileCalled) {
  const TEventHandler BH = B.Handler();
  B.FEvent = &Event;
  B.FRemove = &BH;
  Event.Add(A.Handler());
  Event.Add(BH);
  Event.Add(C.Handler());
  Event.Send(nullptr);
  EXPECT_EQ(GLog, (std::vector<String>{"C", "B", "A"}));
  EXPECT_EQ(Event.Count(), 2);
  GLog.clear();
  Event.Send(nullptr);
  EXPECT_EQ(GLog, (std::vector<String>{"C", "A"}));
}

TEST_F(Events, AHandlerRemovingTheOnesAlreadyCalledDoesNotStopTheRest) {
  const TEventHandler CH = C.Handler();
  B.FEvent = &Event;
  B.FRemove = &CH;
  Event.Add(A.Handler());
  Event.Add(B.Handler());
  Event.Add(CH);
  Event.Send(nullptr);
  EXPECT_EQ(GLog, (std::vector<String>{"C", "B", "A"}));
  EXPECT_EQ(Event.IndexOf(CH), -1);
}

TEST_F(Events, SendSetsTheSentFlagAlsoWithoutHandlersAndClearOrAbsentRemovesChangeNothingElse) {
  Event.Add(A.Handler());
  Event.Remove(B.Handler());
  EXPECT_EQ(Event.Count(), 1);
  EXPECT_THROW(Event.Handler(1), EListError);
  Event.Clear();
  EXPECT_FALSE(Event.Sent());
  Event.Send(nullptr);
  EXPECT_TRUE(Event.Sent());
  EXPECT_TRUE(GLog.empty());
}

TEST_F(Events, AHandlerWithoutCompiledCodeRaisesWhenSent) {
  Event.Add(TMethod{reinterpret_cast<void*>(uintptr_t(7)), &A});
  EXPECT_THROW(Event.Send(nullptr), EInvalidOperation);
}

// A specific event with a typed Send.
class TRenamedEvent : public TEventT<void(TObject*, const String&)> {
 public:
  void Send(TObject* Sender, const String& NewName) { SendToAll(Sender, NewName); }
};

TEST_F(Events, ATypedEventCallsItsHandlersLastFirstWithTheArguments) {
  TRenamedEvent Renamed;
  using H = TRenamedEvent::THandler;
  Renamed.Add(H::Bind<&TListener::Renamed>(&A));
  Renamed.Add(H::Bind<&TListener::Renamed>(&A));
  Renamed.ForceAdd(H::Bind<&TListener::Renamed>(&B));
  Renamed.ForceAdd(H::Bind<&TListener::Renamed>(&B));
  EXPECT_EQ(Renamed.Count(), 3);
  EXPECT_EQ(Renamed.IndexOf(H::Bind<&TListener::Renamed>(&B)), 2);
  Renamed.Remove(H::Bind<&TListener::Renamed>(&B));
  EXPECT_FALSE(Renamed.Sent());
  Renamed.Send(nullptr, "Form2");
  EXPECT_EQ(GLog, (std::vector<String>{"B:Form2", "A:Form2"}));
  EXPECT_TRUE(Renamed.Sent());
  EXPECT_THROW(Renamed.Handler(3), EListError);
}

}  // namespace
