#include "tests/editors/PropTestClasses.h"

#include "tests/editors/PropTestDesigner.h"

// The runtime's test classes are compiled into this program too.
#include "tests/platform/runtime/TestClasses.cpp"

namespace formwright::prop_testing {

FW_REGISTER_CLASS(TPropTestTarget, "PropTests")
FW_REGISTER_CLASS(TPropTestLinks, "PropTests")

TPropTestLinks::TPropTestLinks(TComponent* AOwner) : TComponent(AOwner), FInner(new TPropTestTarget(this)) {
  FInner->SetName("Inner");
  FInner->SetSubComponent(true);
  IncludeStyle(csCheckPropAvail);
}

int32_t TPropTestLinks::Fragile() const {
  if (FBroken) throw EInvalidOperation("The device is not connected");
  return FFragile;
}

void TPropTestLinks::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FButton) FButton = nullptr;
  if (FTarget && FTarget.Identity() == static_cast<IInterface*>(AComponent)) FTarget.Reset();
}

void TPropTestLinks::DeclarePublished(TClassBuilder<TPropTestLinks>& C) {
  C.Property("Button", &TPropTestLinks::FButton);
  C.Property("Fragile", &TPropTestLinks::Fragile, &TPropTestLinks::FFragile).Default(0);
  C.Property("Inner", &TPropTestLinks::FInner, nullptr);
  C.Property("Target", &TPropTestLinks::FTarget);
}

}  // namespace formwright::prop_testing
