// Helpers of the framework tests: a form to build on and event recorders.
#pragma once

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "platform/orx/Orx.h"
#include "tests/support/Matchers.h"

namespace formwright::testing {

using namespace orx;

// A typed event bound to a method of an object.
template <class E, auto Method, class C>
E BindEvent(C* Object) {
  return E(E::template Bind<Method>(Object).Method());
}

// Records which events reached it, in order.
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
  TNotifyEvent Click() { return BindEvent<TNotifyEvent, &TEventLog::Clicked>(this); }
  TNotifyEvent Enter() { return BindEvent<TNotifyEvent, &TEventLog::Entered>(this); }
  TNotifyEvent Exit() { return BindEvent<TNotifyEvent, &TEventLog::Exited>(this); }
  TNotifyEvent Resize() { return BindEvent<TNotifyEvent, &TEventLog::Resized>(this); }
  TNotifyEvent Change() { return BindEvent<TNotifyEvent, &TEventLog::Changed>(this); }
  TNotifyEvent Execute() { return BindEvent<TNotifyEvent, &TEventLog::Executed>(this); }
  std::vector<std::string> Log;

 private:
  static std::string NameOf(TObject* O) {
    auto* C = dynamic_cast<TComponent*>(O);
    return C ? C->Name() : std::string("?");
  }
};

// Creates a component of class T owned by `Owner`, named, and parented when it is a control.
template <class T>
T* Make(TComponent* Owner, const char* Name, TWinControl* Parent = nullptr) {
  auto* C = new T(Owner);
  C->SetName(Name);
  if constexpr (std::is_base_of_v<TControl, T>)
    if (Parent) C->SetParent(Parent);
  return C;
}

// The same, placed at `Bounds` in its parent.
template <class T>
T* Make(TComponent* Owner, const char* Name, TWinControl* Parent, const TRect& Bounds) {
  T* C = Make<T>(Owner, Name, Parent);
  C->SetBoundsRect(Bounds);
  return C;
}

// A shown-size form (client area 400 × 300 with a sizeable border) freed at the end.
struct FormFixture : ::testing::Test {
  FormFixture() : Form(new TForm(nullptr)) {
    RegisterOrxClasses();
    Form->SetName("Form1");
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
  }
  TOwned<TForm> Form;
};

// Names of the children a container lists for streaming, in order.
inline std::vector<std::string> ChildNames(TComponent* Container, TComponent* Root) {
  std::vector<std::string> R;
  Container->GetChildren([&](TComponent* C) { R.push_back(C->Name()); }, Root);
  return R;
}

}  // namespace formwright::testing
