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
    if (M.Msg == WM_PING) M.Result = static_cast<intptr_t>(M.WParam * 2);
  }
  std::vector<uint32_t> Seen;
};

struct Messages : TFormTest {
  TPingEdit* Edit = Make<TPingEdit>(Form.get(), "Edit1", Form.get());
};

TEST_F(Messages, PerformAnswersAtOnceAndAHookPassesOnWhatItDoesNotTake) {
  EXPECT_EQ(Edit->Perform(WM_PING, 21), 42);
  Edit->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_USER + 2)
      M.Result = 7;
    else
      Edit->WndProc(M);
  };
  EXPECT_EQ(Edit->Perform(WM_USER + 2), 7);
  EXPECT_EQ(Edit->Perform(WM_PING, 1), 2);
  EXPECT_THAT(Edit->Seen, ElementsAre(WM_PING, WM_PING));
}

TEST_F(Messages, PostedMessagesWaitForTheQueueRunInOrderAndGoWithTheirControl) {
  auto* Other = Make<TPingEdit>(Form.get(), "Edit2", Form.get());
  Form->Show();
  PostMessage(Edit, WM_PING);
  PostMessage(Other, WM_PING);
  PostMessage(Form.get(), WM_CLOSE);
  std::thread([this] { PostMessage(Edit, WM_USER + 9); }).join();
  EXPECT_THAT(Edit->Seen, IsEmpty());
  Other->Free();
  App.ProcessMessages();
  EXPECT_THAT(Edit->Seen, ElementsAre(WM_PING, WM_USER + 9));
  EXPECT_FALSE(Form->Visible());
  // A handler that posts again runs once a round, so a round always ends.
  Edit->WindowProc = [this](TMessage& M) { PostMessage(Edit, M.Msg); };
  PostMessage(Edit, WM_PING);
  App.ProcessMessages();
  Edit->WindowProc = nullptr;
  App.ProcessMessages();
  EXPECT_EQ(Edit->Seen.size(), 3u);
  EXPECT_THROW(PostMessage(nullptr, WM_PING), EInvalidArgument);
}

// Logs idle moments and messages; Take and More are its answers.
struct TListener : TEventLog {
  bool Take = false, More = false;
  void Idle(TObject* Sender, bool& Done) {
    Log.push_back("idle:" + static_cast<TComponent*>(Sender)->Name());
    Done = !More;
  }
  void Message(TMessage& M, bool& Handled) {
    Log.push_back("message:" + std::to_string(M.Msg));
    Handled = Take;
  }
};

TEST_F(Messages, EventsObjectsHearIdleMomentsAndPostedMessagesFirst) {
  TListener L;
  for (const char* Name : {"Events1", "Events2"}) {
    auto* E = Make<TApplicationEvents>(Form.get(), Name);
    E->FOnIdle = BindEvent<TIdleEvent, &TListener::Idle>(&L);
    E->FOnMessage = BindEvent<TMessageEvent, &TListener::Message>(&L);
  }
  EXPECT_FALSE(App.HandleMessage()) << "nothing queued: an idle moment";
  L.Take = true;
  PostMessage(Edit, WM_PING);
  EXPECT_TRUE(App.HandleMessage());
  EXPECT_THAT(L.Log, ElementsAre("idle:Events1", "idle:Events2", "message:1025"));
  EXPECT_THAT(Edit->Seen, IsEmpty()) << "the first listener took it";
  Form->FindComponent("Events1")->Free();
  L.Log.clear();
  L.More = true;
  EXPECT_FALSE(App.Idle()) << "a listener asked for more";
  EXPECT_THAT(L.Log, ElementsAre("idle:Events2"));
}

TEST(Applications, NestLikeScopesAndTheirScreensListTheFormsMadeUnderThem) {
  TOwned<TForm> Stray(new TForm(nullptr));  // no screen lists it, nothing breaks
  TOwned<TApplicationEvents> Events;
  {
    TApplication App;
    TOwned<TForm> Outer(new TForm(nullptr));
    {
      TApplication Inner;
      EXPECT_EQ(Screen(), Inner.Screen());
      TOwned<TDataModule> Module(new TDataModule(nullptr));
      EXPECT_EQ(Inner.Screen()->DataModuleCount(), 1);
      Outer.reset();  // made under the outer application, freed under the inner one
    }
    EXPECT_EQ(App.Screen()->FormCount(), 0);
    Events.reset(new TApplicationEvents(nullptr));
    EXPECT_EQ(Events->Listening(), &App);
  }
  EXPECT_EQ(Events->Listening(), nullptr);
  EXPECT_EQ(Application(), nullptr);
}

using Screens = TFormTest;

// The primary monitor, and one of 1280 × 1024 left of it and higher up.
const std::vector<TMonitor> TwoMonitors{{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040), true},
                                        {Rect(-1280, -200, 0, 824), Rect(-1280, -200, 0, 824), false}};

TEST_F(Screens, PlaceFormsOnMonitorsAndKnowTheFocusedControl) {
  TScreen& S = *App.Screen();
  S.SetMonitors(TwoMonitors);
  const TRect Whole = Rect(0, 0, 100, 100);
  for (const std::vector<TMonitor>& Bad :
       std::vector<std::vector<TMonitor>>{{},
                                          {{Whole, Whole, false}},
                                          {{Whole, Whole, true}, {Whole, Whole, true}},
                                          {{Whole, Rect(-1, 0, 9, 9), true}}})
    EXPECT_THAT([&] { S.SetMonitors(Bad); }, Raises<EInvalidArgument>(SBadMonitors));
  EXPECT_EQ(S.MonitorCount(), 2);
  EXPECT_EQ(S.DesktopRect(), Rect(-1280, -200, 1920, 1080));
  EXPECT_EQ(S.MonitorFromPoint({-1, 0}, mdNull), 1);
  EXPECT_EQ(S.MonitorFromPoint({-500, 900}, mdNull), -1);
  EXPECT_EQ(S.MonitorFromPoint({-500, 900}, mdNearest), 1);
  EXPECT_EQ(S.MonitorFromPoint({-500, 900}, mdPrimary), 0);
  EXPECT_EQ(S.MonitorFromRect(Rect(-300, 0, 100, 50)), 1) << "most of it on the left monitor";
  // Centred forms use the monitor they are mostly on, or the desktop.
  Form->SetBounds(-1000, 0, 400, 300);
  Form->SetPosition(poScreenCenter);
  Form->Show();
  EXPECT_EQ(Form->BoundsRect(), Bounds(-1280 + (1280 - 400) / 2, -200 + (1024 - 300) / 2, 400, 300));
  Form->Hide();
  Form->SetPosition(poDesktopCenter);
  Form->Show();
  EXPECT_EQ(Form->BoundsRect(), Bounds(-1280 + (3200 - 400) / 2, -200 + (1280 - 300) / 2, 400, 300));
  auto* Edit = Make<TEdit>(Form.get(), "Edit1", Form.get());
  Edit->SetFocus();
  EXPECT_EQ(S.ActiveControl(), Edit);
  Form->Hide();
  EXPECT_EQ(S.ActiveControl(), nullptr);
}

}  // namespace
