#include "tests/editors/PropTestClasses.h"

#include "formwright/testing/RecordingDesigner.h"

namespace formwright::testing {

FW_REGISTER_CLASS(TPropTestTarget, "PropTests")
FW_REGISTER_CLASS(TPropTestLinks, "PropTests")
FW_REGISTER_CLASS(TPropTestPen, "PropTests")
FW_REGISTER_CLASS(TPropTestProbe, "PropTests")
FW_REGISTER_CLASS(TPropTestShape, "PropTests")

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

TTypeInfo MakeTrendType() {
  TTypeInfo T = MakeEnumType("TPropTestTrend", "trFalling, trFlat, trRising");
  T.Data.MinValue = -1;
  T.Data.MaxValue = 1;
  T.Data.OrdType = otSByte;
  return T;
}

void TPropTestProbe::DeclarePublished(TClassBuilder<TPropTestProbe>& C) {
  C.Property("Caption", &TPropTestProbe::Caption, nullptr);
  C.Property("Code", &TPropTestProbe::FCode).As<TPropTestCode>();
  C.Property("Trend", &TPropTestProbe::FTrend).Default(trFlat);
}

void TPropTestPen::DeclarePublished(TClassBuilder<TPropTestPen>& C) {
  C.Property("Width", &TPropTestPen::FWidth).Default(1);
  C.Property("Scratch", &TPropTestPen::FScratch).Default(0).Stored(false);
  C.Property("Detail", &TPropTestPen::FDetail);
}

TPropTestShape::~TPropTestShape() {
  if (FPen && FPen->FDetail) FPen->FDetail->Free();
}

void TPropTestShape::DeclarePublished(TClassBuilder<TPropTestShape>& C) {
  C.Property("Pen", &TPropTestShape::Pen, nullptr);
}

}  // namespace formwright::testing
