// The nested objects of a control: its margins, its padding and its size constraints.
#include <algorithm>

#include "platform/orx/Controls.h"

namespace formwright::orx {

// ----- TMargins, TPadding, TSizeConstraints ---------------------------------------------------

TMargins::TMargins(TControl* Control, int32_t Default)
    : FControl(Control), FLeft(Default), FTop(Default), FRight(Default), FBottom(Default) {}

void TMargins::DeclarePublished(TClassBuilder<TMargins>& C) {
  C.Property("Left", &TMargins::FLeft, &TMargins::SetLeft).Default(DefaultWidth);
  C.Property("Top", &TMargins::FTop, &TMargins::SetTop).Default(DefaultWidth);
  C.Property("Right", &TMargins::FRight, &TMargins::SetRight).Default(DefaultWidth);
  C.Property("Bottom", &TMargins::FBottom, &TMargins::SetBottom).Default(DefaultWidth);
}

void TPadding::DeclarePublished(TClassBuilder<TPadding>& C) {
  C.Property("Left", &TPadding::Left, &TPadding::SetLeft).Default(0);
  C.Property("Top", &TPadding::Top, &TPadding::SetTop).Default(0);
  C.Property("Right", &TPadding::Right, &TPadding::SetRight).Default(0);
  C.Property("Bottom", &TPadding::Bottom, &TPadding::SetBottom).Default(0);
}

TPersistent* TMargins::GetOwner() const { return FControl; }

void TMargins::SetMargin(int32_t& Field, int32_t Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TMargins::SetBounds(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) {
  if (FLeft == ALeft && FTop == ATop && FRight == ARight && FBottom == ABottom) return;
  FLeft = ALeft;
  FTop = ATop;
  FRight = ARight;
  FBottom = ABottom;
  Changed();
}

void TMargins::Changed() {
  if (FControl) FControl->MarginsChanged();
}

void TPadding::Changed() {
  if (TWinControl* Win = Control() ? Control()->AsWinControl() : nullptr) Win->Realign();
}

void TMargins::Assign(TPersistent* Source) {
  if (auto* M = dynamic_cast<TMargins*>(Source)) return SetBounds(M->FLeft, M->FTop, M->FRight, M->FBottom);
  TPersistent::Assign(Source);
}

void TSizeConstraints::DeclarePublished(TClassBuilder<TSizeConstraints>& C) {
  C.Property("MaxHeight", &TSizeConstraints::FMaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  C.Property("MaxWidth", &TSizeConstraints::FMaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  C.Property("MinHeight", &TSizeConstraints::FMinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  C.Property("MinWidth", &TSizeConstraints::FMinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

TPersistent* TSizeConstraints::GetOwner() const { return FControl; }

namespace {
// A maximum below the minimum is raised to it (and a minimum above the maximum lowers nothing:
// the maximum follows), so the pair always describes a non-empty range; 0 means no maximum.
void KeepRange(int32_t Min, int32_t& Max) noexcept {
  if (Max > 0 && Max < Min) Max = Min;
}
}  // namespace

void TSizeConstraints::SetMinWidth(int32_t V) {
  FMinWidth = std::max(V, 0);
  KeepRange(FMinWidth, FMaxWidth);
  Changed();
}
void TSizeConstraints::SetMinHeight(int32_t V) {
  FMinHeight = std::max(V, 0);
  KeepRange(FMinHeight, FMaxHeight);
  Changed();
}
void TSizeConstraints::SetMaxWidth(int32_t V) {
  FMaxWidth = std::max(V, 0);
  KeepRange(FMinWidth, FMaxWidth);
  Changed();
}
void TSizeConstraints::SetMaxHeight(int32_t V) {
  FMaxHeight = std::max(V, 0);
  KeepRange(FMinHeight, FMaxHeight);
  Changed();
}

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSizeConstraints*>(Source);
  if (!S) return TPersistent::Assign(Source);
  FMinWidth = S->FMinWidth;
  FMinHeight = S->FMinHeight;
  FMaxWidth = S->FMaxWidth;
  FMaxHeight = S->FMaxHeight;
  Changed();
}

int32_t TSizeConstraints::ConstrainWidth(int32_t W) const noexcept {
  if (FMaxWidth > 0 && W > FMaxWidth) W = FMaxWidth;
  return std::max(W, FMinWidth);
}

int32_t TSizeConstraints::ConstrainHeight(int32_t H) const noexcept {
  if (FMaxHeight > 0 && H > FMaxHeight) H = FMaxHeight;
  return std::max(H, FMinHeight);
}

// ----- the control's nested objects, made on first use ------------------------------------------

TMargins* TControl::Margins() const {
  if (!FMargins) FMargins.reset(new TMargins(const_cast<TControl*>(this)));
  return FMargins.get();
}

TEdgeWidths TControl::MarginWidths() const noexcept {
  if (FMargins) return FMargins->Widths();
  constexpr int32_t D = TMargins::DefaultWidth;
  return {D, D, D, D};
}

TSizeConstraints* TControl::Constraints() const {
  if (!FConstraints) FConstraints.reset(new TSizeConstraints(const_cast<TControl*>(this)));
  return FConstraints.get();
}

int32_t TControl::ConstrainWidth(int32_t W) const noexcept {
  return FConstraints ? FConstraints->ConstrainWidth(W) : std::max(W, 0);
}

int32_t TControl::ConstrainHeight(int32_t H) const noexcept {
  return FConstraints ? FConstraints->ConstrainHeight(H) : std::max(H, 0);
}

TPadding* TWinControl::Padding() const {
  if (!FPadding) FPadding.reset(new TPadding(const_cast<TWinControl*>(this)));
  return FPadding.get();
}

void TSizeConstraints::Changed() {
  if (FControl) FControl->ConstraintsChanged();
}

}  // namespace formwright::orx
