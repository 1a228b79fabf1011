// Classes for the property editor tests, next to the runtime's test widget (every property
// kind) and the framework's controls: interface references, availability checks, sub-components.
#pragma once

#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"
#include "tests/platform/runtime/TestClasses.h"

namespace formwright::prop_testing {

// An interface some components implement.
struct IPropTestTarget : virtual IInterface {
  FW_INTERFACE(IPropTestTarget, IInterface, "{5B0E7C31-6A2F-4D8E-9C11-00000000E001}")
};

// A component implementing IPropTestTarget.
class TPropTestTarget : public TComponent, public IPropTestTarget {
  FW_CLASS(TPropTestTarget, TComponent)
 public:
  using TComponent::TComponent;
};

// A component with an interface reference, a component reference typed to a control class, a
// value that cannot always be read (it checks property availability) and a sub-component.
class TPropTestLinks : public TComponent {
  FW_CLASS(TPropTestLinks, TComponent)
 public:
  explicit TPropTestLinks(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TPropTestLinks>& C);
  int32_t Fragile() const;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  IPtr<IPropTestTarget> FTarget;
  orx::TButton* FButton = nullptr;
  int32_t FFragile = 0;
  bool FBroken = false;
  TPropTestTarget* FInner;  // a sub-component owned by this one
};

}  // namespace formwright::prop_testing
