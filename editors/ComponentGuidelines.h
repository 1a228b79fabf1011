// The guidelines of a component that describes none of its own: the default that the guidelines
// registry hands out for classes without a registration, and the base of every guidelines class
// that has guidelines.
#pragma once

#include "contracts/DesignIntf.h"

namespace formwright {

// True for the guide kinds that are horizontal lines (a Y position): the top and bottom kinds
// and the text baseline; the others are vertical lines (an X position).
constexpr bool IsYGuide(TDesignerGuideType Kind) noexcept {
  switch (Kind) {
    case gtAlignTop:
    case gtAlignBottom:
    case gtMarginTop:
    case gtMarginBottom:
    case gtPaddingTop:
    case gtPaddingBottom:
    case gtBaseline:
      return true;
    default:
      return false;
  }
}

// No guidelines at all: the count is 0, and a guideline asked for anyway is of type gtAlignLeft
// at offset NoGuideline. Descendants that have guidelines derive from it: they answer the count,
// the kinds and the raw offsets (from the component's own origin), and convert raw offsets into
// the coordinates they report in through CalcHorzPos (X kinds) and CalcVertPos (Y kinds).
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
  // The raw offset of guideline `Index` converted by its kind; NoGuideline stays as it is.
  int GetDesignerGuideOffset(int Index) override;

  TComponent* Component() const noexcept { return FComponent; }
  TComponent* Container() const noexcept { return FContainer; }

 protected:
  // Guideline `Index` relative to the component's own origin; NoGuideline in the base.
  virtual int GetRawOffset(int Index) { return NoGuideline; }
  // Raw offsets into reported positions; unchanged in the base.
  virtual int CalcHorzPos(int Offset) { return Offset; }
  virtual int CalcVertPos(int Offset) { return Offset; }

  TComponent* FComponent = nullptr;
  TComponent* FContainer = nullptr;
};

}  // namespace formwright
