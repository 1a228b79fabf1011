// Building forms in code to test a control of the framework: a form of a known size to build
// on, components made named and placed, and a recorder of the events they fire.
#pragma once

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "platform/orx/Orx.h"

namespace formwright::testing {

// A typed event bound to a method of an object.
template <class E, auto Method, class C>
E BindEvent(C* Object) {
  return E(E::template Bind<Method>(Object).Method());
}

// Records which events reached it, in order, as "click:Button1", "change:Edit1"...:
//   Button->FOnClick = Log.Click();
//   Button->Click();
//   EXPECT_THAT(Log.Log, ElementsAre("click:Button1"));
class TEventLog : public TComponent {
  FW_CLASS(TEventLog, TComponent)
 public:
  TEventLog() : TComponent(nullptr) {}
  void Clicked(TObject* Sender) { Log.push_back("click:" + NameOf(Sender)); }
  void Entered(TObject* Sender) { Log.push_back("enter:" + NameOf(Sender)); }
  void Exited(TObject* Sender) { Log.push_back("exit:" + NameOf(Sender)); }
  void Resized(TObject* Sender) { Log.push_back("resize:" + NameOf(Sender)); }
  void Changed(TObject* Sender) { Log.push_back("change:" + NameOf(Sender)); }
  void Executed(TObject* Sender) { Log.push_back("execute:" + NameOf(Sender)); }
  orx::TNotifyEvent Click() { return BindEvent<orx::TNotifyEvent, &TEventLog::Clicked>(this); }
  orx::TNotifyEvent Enter() { return BindEvent<orx::TNotifyEvent, &TEventLog::Entered>(this); }
  orx::TNotifyEvent Exit() { return BindEvent<orx::TNotifyEvent, &TEventLog::Exited>(this); }
  orx::TNotifyEvent Resize() { return BindEvent<orx::TNotifyEvent, &TEventLog::Resized>(this); }
  orx::TNotifyEvent Change() { return BindEvent<orx::TNotifyEvent, &TEventLog::Changed>(this); }
  orx::TNotifyEvent Execute() { return BindEvent<orx::TNotifyEvent, &TEventLog::Executed>(this); }
  std::vector<std::string> Log;

 private:
  static std::string NameOf(TObject* O) {
    auto* C = dynamic_cast<TComponent*>(O);
    return C ? C->Name() : std::string("?");
  }
};

// Creates a component of class T owned by `Owner`, named, and parented when it is a control.
template <class T>
T* Make(TComponent* Owner, const char* Name, orx::TWinControl* Parent = nullptr) {
  auto* C = new T(Owner);
  C->SetName(Name);
  if constexpr (std::is_base_of_v<orx::TControl, T>)
    if (Parent) C->SetParent(Parent);
  return C;
}

// The same, placed at `Bounds` in its parent.
template <class T>
T* Make(TComponent* Owner, const char* Name, orx::TWinControl* Parent, const TRect& Bounds) {
  T* C = Make<T>(Owner, Name, Parent);
  C->SetBoundsRect(Bounds);
  return C;
}

// A fixture with an application of its own (`App`, whose screen lists the forms made in the
// test) and a shown-size form `Form` named Form1 (client area 400 × 300 with a sizeable
// border, the framework's classes registered), freed at the end.
struct TFormTest : ::testing::Test {
  TFormTest() : Form(new orx::TForm(nullptr)) {
    orx::RegisterOrxClasses();
    Form->SetName("Form1");
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
  }
  orx::TApplication App;
  TOwned<orx::TForm> Form;
};

// Names of the children a container lists for streaming, in order.
inline std::vector<std::string> ChildNames(TComponent* Container, TComponent* Root) {
  std::vector<std::string> R;
  Container->GetChildren([&](TComponent* C) { R.push_back(C->Name()); }, Root);
  return R;
}

}  // namespace formwright::testing
