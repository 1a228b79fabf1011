// Window messages, the application's queue and idle moments, and the screen's monitors.
#include <thread>

#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr uint32_t WM_PING = WM_USER + 1;

// Answers WM_PING with twice its argument and logs every message it sees.
class TPingEdit : public TEdit {
 public:
  using TEdit::TEdit;
  void WndProc(TMessage& M) override {
    Seen.push_back(M.Msg);
    if (M.Msg == WM_PING)
      M.Result = static_cast<intptr_t>(M.WParam * 2);
    else
      TEdit::WndProc(M);
  }
  std::vector<uint32_t> Seen;
};

struct Messages : TFormTest {
  TPingEdit* Edit = Make<TPingEdit>(Form.get(), "Edit1", Form.get());
};

TEST_F(Messages, PerformAnswersAtOnceAndAHookPassesOnWhatItDoesNotTake) {
  EXPECT_EQ(Edit->Perform(WM_PING, 21), 42);
  EXPECT_EQ(Edit->Perform(WM_NULL), 0);
  std::vector<uint32_t> Hooked;
  Edit->WindowProc = [&](TMessage& M) {
    Hooked.push_back(M.Msg);
    if (M.Msg == WM_USER + 2)
      M.Result = 7;
    else
      Edit->WndProc(M);
  };
  EXPECT_EQ(Edit->Perform(WM_USER + 2), 7);
  EXPECT_EQ(Edit->Perform(WM_PING, 1), 2);
  EXPECT_THAT(Hooked, ElementsAre(WM_USER + 2, WM_PING));
  EXPECT_THAT(Edit->Seen, ElementsAre(WM_PING, WM_NULL, WM_PING));
}

TEST_F(Messages, CloseMessageAsksTheFormFirst) {
  Form->Show();
  bool Allow = false;
  struct TQuery : TEventLog {
    bool* Allow;
    void Ask(TObject*, bool& CanClose) { CanClose = *Allow; }
  } Query;
  Query.Allow = &Allow;
  Form->FOnCloseQuery = BindEvent<TCloseQueryEvent, &TQuery::Ask>(&Query);
  Form->Perform(WM_CLOSE);
  EXPECT_TRUE(Form->Visible());
  Allow = true;
  PostMessage(Form.get(), WM_CLOSE);
  EXPECT_TRUE(Form->Visible()) << "a posted message waits for the queue";
  App.ProcessMessages();
  EXPECT_FALSE(Form->Visible());
}

TEST_F(Messages, PostedMessagesRunInOrderOnceAndGoWithTheirControl) {
  auto* Other = Make<TPingEdit>(Form.get(), "Edit2", Form.get());
  PostMessage(Edit, WM_PING, 1);
  PostMessage(Other, WM_PING, 2);
  PostMessage(Edit, WM_USER + 9);
  EXPECT_THAT(Edit->Seen, IsEmpty());
  Other->Free();
  App.ProcessMessages();
  EXPECT_THAT(Edit->Seen, ElementsAre(WM_PING, WM_USER + 9));
  App.ProcessMessages();
  EXPECT_EQ(Edit->Seen.size(), 2u);
  EXPECT_THROW(PostMessage(nullptr, WM_PING), EInvalidArgument);
}

TEST_F(Messages, AHandlerThatPostsAgainWaitsForTheNextRound) {
  int Rounds = 0;
  Edit->WindowProc = [&](TMessage& M) {
    ++Rounds;
    PostMessage(Edit, M.Msg);
  };
  PostMessage(Edit, WM_PING);
  App.ProcessMessages();
  App.ProcessMessages();
  EXPECT_EQ(Rounds, 2);
  Edit->WindowProc = nullptr;
  App.ProcessMessages();
}

TEST_F(Messages, MessagesPostedByAnotherThreadAreHandledOnTheMainThread) {
  std::thread::id HandledOn;
  Edit->WindowProc = [&](TMessage&) { HandledOn = std::this_thread::get_id(); };
  std::thread([this] { PostMessage(Edit, WM_PING); }).join();
  App.ProcessMessages();
  EXPECT_EQ(HandledOn, std::this_thread::get_id());
}

// Records the idle moments and the messages an events object hears.
struct TListener : TEventLog {
  std::vector<std::string>* Log;
  bool More = false;
  bool Take = false;
  void Idle(TObject* Sender, bool& Done) {
    Log->push_back("idle:" + static_cast<TComponent*>(Sender)->Name());
    if (More) Done = false;
  }
  void Message(TMessage& M, bool& Handled) {
    Log->push_back("message:" + std::to_string(M.Msg));
    Handled = Take;
  }
};

TEST_F(Messages, EventsObjectsHearIdleMomentsAndPostedMessagesInTheOrderTheyWereMade) {
  std::vector<std::string> Log;
  TListener L1, L2;
  L1.Log = L2.Log = &Log;
  auto* E1 = Make<TApplicationEvents>(Form.get(), "Events1");
  auto* E2 = Make<TApplicationEvents>(Form.get(), "Events2");
  E1->FOnIdle = BindEvent<TIdleEvent, &TListener::Idle>(&L1);
  E2->FOnIdle = BindEvent<TIdleEvent, &TListener::Idle>(&L2);
  E1->FOnMessage = BindEvent<TMessageEvent, &TListener::Message>(&L1);
  E2->FOnMessage = BindEvent<TMessageEvent, &TListener::Message>(&L2);
  // A turn of the loop with nothing queued is an idle moment; one with a message is not.
  EXPECT_FALSE(App.HandleMessage());
  EXPECT_THAT(Log, ElementsAre("idle:Events1", "idle:Events2"));
  Log.clear();
  L1.Take = true;
  PostMessage(Edit, WM_PING, 5);
  EXPECT_TRUE(App.HandleMessage());
  EXPECT_THAT(Log, ElementsAre("message:" + std::to_string(WM_PING)));
  EXPECT_THAT(Edit->Seen, IsEmpty()) << "the first listener took it";
  L1.Take = false;
  Log.clear();
  PostMessage(Edit, WM_PING, 5);
  App.ProcessMessages();
  EXPECT_EQ(Log.size(), 2u);
  EXPECT_THAT(Edit->Seen, ElementsAre(WM_PING));
  // Asking for more idle time; a freed events object hears nothing more.
  L2.More = true;
  EXPECT_FALSE(App.Idle());
  E2->Free();
  Log.clear();
  EXPECT_TRUE(App.Idle());
  EXPECT_THAT(Log, ElementsAre("idle:Events1"));
}

TEST(Applications, NestLikeScopesAndTheirScreensListTheFormsMadeUnderThem) {
  EXPECT_EQ(Application(), nullptr);
  EXPECT_EQ(Screen(), nullptr);
  TOwned<TForm> Stray(new TForm(nullptr));  // no screen lists it, nothing breaks
  Stray->Show();
  TOwned<TApplicationEvents> Events;
  TOwned<TForm> Outer;
  {
    TApplication App;
    EXPECT_EQ(Screen(), App.Screen());
    Outer.reset(new TForm(nullptr));
    {
      TApplication Inner;
      EXPECT_EQ(Application(), &Inner);
      TOwned<TDataModule> Module(new TDataModule(nullptr));
      EXPECT_EQ(Inner.Screen()->DataModuleCount(), 1);
      EXPECT_EQ(App.Screen()->DataModuleCount(), 0);
      Outer.reset();  // made under the outer application, freed under the inner one
    }
    EXPECT_EQ(Application(), &App);
    EXPECT_EQ(App.Screen()->FormCount(), 0);
    Events.reset(new TApplicationEvents(nullptr));
    EXPECT_EQ(Events->Listening(), &App);
  }
  EXPECT_EQ(Events->Listening(), nullptr);
  EXPECT_EQ(Application(), nullptr);
}

// ----- the screen ------------------------------------------------------------------------------

using Screens = TFormTest;

// Two monitors: the primary one, and one of 1280 × 1024 left of it and higher up.
const std::vector<TMonitor> TwoMonitors{
    {Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040), true},
    {Rect(-1280, -200, 0, 824), Rect(-1280, -200, 0, 824), false},
};

TEST_F(Screens, RefuseMonitorsTheyCannotHaveAndKeepTheirOwn) {
  TScreen& S = *App.Screen();
  S.SetMonitors(TwoMonitors);
  const TRect Inner = Rect(0, 0, 10, 10), Whole = Rect(0, 0, 100, 100);
  for (const std::vector<TMonitor>& Bad : std::vector<std::vector<TMonitor>>{
           {},
           {{Whole, Whole, false}},
           {{Whole, Whole, true}, {Rect(100, 0, 200, 100), Rect(100, 0, 200, 100), true}},
           {{Whole, Rect(-1, 0, 50, 50), true}},
           {{Inner, Whole, true}},
       }) {
    EXPECT_THAT([&] { S.SetMonitors(Bad); }, Raises<EInvalidArgument>(SBadMonitors));
    EXPECT_EQ(S.MonitorCount(), 2);
  }
}

TEST_F(Screens, DesktopSpansTheMonitorsAndPointsFindTheirMonitor) {
  TScreen& S = *App.Screen();
  EXPECT_EQ(S.DesktopRect(), Rect(0, 0, 1920, 1080));
  S.SetMonitors(TwoMonitors);
  EXPECT_EQ(S.DesktopRect(), Rect(-1280, -200, 1920, 1080));
  EXPECT_EQ(S.DesktopWorkareaRect(), Rect(-1280, -200, 1920, 1040));
  EXPECT_EQ(S.WorkareaRect(), Rect(0, 0, 1920, 1040));
  EXPECT_EQ(S.Width(), 1920);
  struct TCase {
    TPoint P;
    TMonitorDefaultTo Default;
    int Expected;
  };
  for (const TCase& C : std::vector<TCase>{{{-1, 0}, mdNull, 1},
                                           {{0, 0}, mdNull, 0},
                                           {{-500, 900}, mdNull, -1},
                                           {{-500, 900}, mdNearest, 1},
                                           {{-500, 900}, mdPrimary, 0},
                                           {{1950, 500}, mdNearest, 0}})
    EXPECT_EQ(S.MonitorFromPoint(C.P, C.Default), C.Expected) << C.P.X << "," << C.P.Y;
  EXPECT_EQ(S.MonitorFromRect(Rect(-300, 0, 100, 50)), 1) << "most of it on the left monitor";
  EXPECT_EQ(S.MonitorFromRect(Rect(-100, 0, 300, 50)), 0);
}

TEST_F(Screens, CentredFormsUseTheirMonitorOrTheDesktopAndTheFocusIsTheActiveFormsControl) {
  TScreen& S = *App.Screen();
  S.SetMonitors(TwoMonitors);
  Form->SetBounds(-1000, 0, 400, 300);
  Form->SetPosition(poScreenCenter);
  Form->Show();
  EXPECT_EQ(Form->BoundsRect(), Bounds(-1280 + (1280 - 400) / 2, -200 + (1024 - 300) / 2, 400, 300));
  Form->Hide();
  Form->SetPosition(poDesktopCenter);
  Form->Show();
  EXPECT_EQ(Form->BoundsRect(), Bounds(-1280 + (3200 - 400) / 2, -200 + (1280 - 300) / 2, 400, 300));
  EXPECT_EQ(S.ActiveControl(), nullptr);
  auto* Edit = Make<TEdit>(Form.get(), "Edit1", Form.get());
  Edit->SetFocus();
  EXPECT_EQ(S.ActiveControl(), Edit);
  Form->Hide();
  EXPECT_EQ(S.ActiveControl(), nullptr);
}

}  // namespace
