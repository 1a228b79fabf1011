#include "platform/orx/StatusBands.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TStatusSection, "Orx.StatusBands")
FW_REGISTER_CLASS(TStatusSections, "Orx.StatusBands")
FW_REGISTER_CLASS(TStatusBand, "Orx.StatusBands")

// ----- Sections ------------------------------------------------------------------------------

void TStatusSection::DeclarePublished(TClassBuilder<TStatusSection>& C) {
  C.Property("Alignment", &TStatusSection::Alignment, &TStatusSection::SetAlignment).Default(taLeftJustify);
  C.Property("Bevel", &TStatusSection::Bevel, &TStatusSection::SetBevel).Default(bvLowered);
  C.Property("Text", &TStatusSection::Text, &TStatusSection::SetText);
  C.Property("Width", &TStatusSection::Width, &TStatusSection::SetWidth).Default(50);
}

void TStatusSection::SetText(const String& Value) {
  FText = Value;
  Changed(false);
}

void TStatusSection::SetWidth(int32_t Value) {
  if (Value < 0) throw EInvalidArgument(Format("Width cannot be %d", Value));
  FWidth = Value;
  Changed(true);  // the sections to its right move
}

void TStatusSection::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Changed(false);
}

void TStatusSection::SetBevel(TBevelCut Value) {
  FBevel = Value;
  Changed(false);
}

String TStatusSection::GetDisplayName() const {
  return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

void TStatusSection::Assign(TPersistent* Source) {
  auto* S = As<TStatusSection>(Source);
  if (!S) return TCollectionItem::Assign(Source);
  FText = S->FText;
  FWidth = S->FWidth;
  FAlignment = S->FAlignment;
  FBevel = S->FBevel;
  Changed(false);
}

TStatusSections::TStatusSections(TStatusBand* Band) : TOwnedCollection(Band, TStatusSection::StaticClass()) {}

// ----- The band ------------------------------------------------------------------------------

TStatusBand::TStatusBand(TComponent* AOwner) : TWinControl(AOwner), FSections(new TStatusSections(this)) {
  SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  // Not aligned by itself: a band placed on a form is usually given Align = alBottom, and a
  // form that does not say so keeps the band where it is.
  SetBounds(0, 0, 185, 19);
  SetParentColor(false);
  SetColor(clFace);
}

TStatusBand::~TStatusBand() { FSections->Free(); }

void TStatusBand::DeclarePublished(TClassBuilder<TStatusBand>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  C.Property("Sections", &TStatusBand::Sections, &TStatusBand::SetSections);
  C.Property("ShowSimpleText", &TStatusBand::ShowSimpleText, &TStatusBand::SetShowSimpleText).Default(false);
  C.Property("SimpleText", &TStatusBand::SimpleText, &TStatusBand::SetSimpleText);
  C.Property("SizeGrip", &TStatusBand::SizeGrip, &TStatusBand::SetSizeGrip).Default(true);
  C.Property("OnResize", &TControl::FOnResize, &TControl::FOnResize);
}

}  // namespace formwright::orx
