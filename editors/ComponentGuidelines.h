// The guidelines of a component that describes none of its own: the default that the guidelines
// registry hands out for classes without a registration.
#pragma once

#include "contracts/DesignIntf.h"

namespace formwright {

// No guidelines at all: the count is 0, and a guideline asked for anyway is of type gtAlignLeft
// at offset NoGuideline. Descendants that have guidelines derive from it.
class TComponentGuidelines : public TBaseComponentGuidelines, public IComponentGuidelines {
  FW_CLASS(TComponentGuidelines, TBaseComponentGuidelines)
 public:
  // The offset of a position that is no guideline.
  static constexpr int NoGuideline = 2147483647;

  using TBaseComponentGuidelines::TBaseComponentGuidelines;
  static void DeclarePublished(TClassBuilder<TComponentGuidelines>& C);
  void Initialize(TComponent* AComponent, TComponent* AContainer) override;
  int GetCount() override { return 0; }
  TDesignerGuideType GetDesignerGuideType(int) override { return gtAlignLeft; }
  int GetDesignerGuideOffset(int) override { return NoGuideline; }

  TComponent* Component() const noexcept { return FComponent; }
  TComponent* Container() const noexcept { return FContainer; }

 protected:
  TComponent* FComponent = nullptr;
  TComponent* FContainer = nullptr;
};

}  // namespace formwright
