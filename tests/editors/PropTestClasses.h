// Classes for the property editor tests, next to the runtime's test widget (every property
// kind) and the framework's controls: interface references, availability checks, sub-components.
#pragma once

#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"
#include "tests/support/TestClasses.h"

namespace formwright::testing {

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

// An enumeration whose lowest ordinal is negative.
enum TPropTestTrend : int8_t { trFalling = -1, trFlat = 0, trRising = 1 };
TTypeInfo MakeTrendType();
FW_TYPEINFO_FN(TPropTestTrend, MakeTrendType())
// A short string type of at most 8 characters.
struct TPropTestCode {};
FW_TYPEINFO_FN(TPropTestCode, MakeStringType("TPropTestCode", tkString, 8))

// A component with an enumeration reaching below zero, a short string and a read-only caption.
class TPropTestProbe : public TComponent {
  FW_CLASS(TPropTestProbe, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TPropTestProbe>& C);
  const String& Caption() const { return FCaption; }
  TPropTestTrend FTrend = trFlat;
  String FCode;
  String FCaption = "fixed";
};

// A persistent with a nested persistent (nil until set) and a value that is never stored.
class TPropTestPen : public TPersistent {
  FW_CLASS(TPropTestPen, TPersistent)
 public:
  static void DeclarePublished(TClassBuilder<TPropTestPen>& C);
  int32_t FWidth = 1;
  int32_t FScratch = 0;
  formwright::testing::TTestFont* FDetail = nullptr;
};

// A component holding a TPropTestPen.
class TPropTestShape : public TComponent {
  FW_CLASS(TPropTestShape, TComponent)
 public:
  explicit TPropTestShape(TComponent* AOwner) : TComponent(AOwner) {}
  ~TPropTestShape() override;
  static void DeclarePublished(TClassBuilder<TPropTestShape>& C);
  TPropTestPen* Pen() const { return FPen.get(); }

 private:
  TOwned<TPropTestPen> FPen{new TPropTestPen};
};

}  // namespace formwright::testing
