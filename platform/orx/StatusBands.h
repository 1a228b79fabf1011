// Status bands of the Orx framework: a strip along the bottom of a form divided into
// sections, each showing a short text (the state of the document, the caret position, a
// hint). The sections are a collection, streamed with the band as an item list.
#pragma once

#include "platform/orx/ExtCtrls.h"
#include "platform/runtime/Collections.h"

namespace formwright::orx {

class TStatusBand;

// One section of a status band: its text, width in pixels, alignment and bevel.
class TStatusSection : public TCollectionItem {
  FW_CLASS(TStatusSection, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  static void DeclarePublished(TClassBuilder<TStatusSection>& C);

  String Text() const { return FText; }
  void SetText(const String& Value);
  int32_t Width() const noexcept { return FWidth; }
  // Raises EInvalidArgument below 0.
  void SetWidth(int32_t Value);
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBevelCut Bevel() const noexcept { return FBevel; }
  void SetBevel(TBevelCut Value);
  // The text, or the class name for a section without text.
  String GetDisplayName() const override;
  void Assign(TPersistent* Source) override;

 private:
  String FText;
  int32_t FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TBevelCut FBevel = bvLowered;
};

// The sections of one status band, in order from the left.
class TStatusSections : public TOwnedCollection {
  FW_CLASS(TStatusSections, TOwnedCollection)
 public:
  explicit TStatusSections(TStatusBand* Band);
  TStatusSection* Items(int Index) const { return static_cast<TStatusSection*>(TCollection::Items(Index)); }
  TStatusSection* Add() { return static_cast<TStatusSection*>(TCollection::Add()); }
};

// A strip of sections, usually aligned to the bottom of its form. With ShowSimpleText
// it shows SimpleText across its whole width instead of the sections.
class TStatusBand : public TWinControl {
  FW_CLASS(TStatusBand, TWinControl)
 public:
  explicit TStatusBand(TComponent* AOwner);
  ~TStatusBand() override;
  static void DeclarePublished(TClassBuilder<TStatusBand>& C);

  TStatusSections* Sections() const noexcept { return FSections; }
  void SetSections(TStatusSections* Value) { FSections->Assign(Value); }
  String SimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& Value) { FSimpleText = Value; }
  bool ShowSimpleText() const noexcept { return FShowSimpleText; }
  void SetShowSimpleText(bool Value) noexcept { FShowSimpleText = Value; }
  // Whether a sizing grip is drawn in the bottom-right corner.
  bool SizeGrip() const noexcept { return FSizeGrip; }
  void SetSizeGrip(bool Value) noexcept { FSizeGrip = Value; }
  // The sections side by side, each in its bevel (the last one reaches the grip), or the
  // simple text; the sizing grip's diagonal strokes in the bottom-right corner.
  void PaintTo(TCanvas& Canvas) override;

 private:
  TStatusSections* FSections;
  String FSimpleText;
  bool FShowSimpleText = false;
  bool FSizeGrip = true;
};

}  // namespace formwright::orx
