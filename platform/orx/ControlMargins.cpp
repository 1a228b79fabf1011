// The nested objects of a control: its margins, its padding and its size constraints.
#include <algorithm>

#include "platform/orx/Controls.h"

namespace formwright::orx {

// ----- TMargins, TPadding, TSizeConstraints ---------------------------------------------------

TMargins::TMargins(TControl* Control, int32_t Default)
    : FControl(Control), FLeft(Default), FTop(Default), FRight(Default), FBottom(Default) {}

void TMargins::DeclarePublished(TClassBuilder<TMargins>& C) {
  C.Property("Left", &TMargins::FLeft, &TMargins::SetLeft).Default(3);
  C.Property("Top", &TMargins::FTop, &TMargins::SetTop).Default(3);
  C.Property("Right", &TMargins::FRight, &TMargins::SetRight).Default(3);
  C.Property("Bottom", &TMargins::FBottom, &TMargins::SetBottom).Default(3);
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
  if (OnChange) OnChange(this);
}

void TMargins::SetBounds(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) {
  if (FLeft == ALeft && FTop == ATop && FRight == ARight && FBottom == ABottom) return;
  FLeft = ALeft;
  FTop = ATop;
  FRight = ARight;
  FBottom = ABottom;
  if (OnChange) OnChange(this);
}

void TMargins::Assign(TPersistent* Source) {
  if (auto* M = dynamic_cast<TMargins*>(Source)) return SetBounds(M->FLeft, M->FTop, M->FRight, M->FBottom);
  TPersistent::Assign(Source);
}

TRect TMargins::Inflate(TRect R) const noexcept {
  return {R.Left - FLeft, R.Top - FTop, R.Right + FRight, R.Bottom + FBottom};
}

TRect TMargins::Deflate(TRect R) const noexcept {
  return {R.Left + FLeft, R.Top + FTop, R.Right - FRight, R.Bottom - FBottom};
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

void TSizeConstraints::Changed() {
  if (FControl) FControl->ConstraintsChanged();
}

}  // namespace formwright::orx
