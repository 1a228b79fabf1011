#include "host/root/SurfaceItems.h"

#include "editors/DesignEditors.h"
#include "host/root/Surface.h"
#include "platform/orx/ControlPaint.h"
#include "platform/orx/Forms.h"
#include "platform/runtime/RtlConsts.h"

namespace formwright {

using orx::TControl;
using orx::TWinControl;

FW_REGISTER_CLASS(TOrxItemContext, "Surface")
FW_REGISTER_CLASS(TOrxItem, "Surface")
FW_REGISTER_CLASS(TOrxControlItem, "Surface")
FW_REGISTER_CLASS(TOrxIconItem, "Surface")
FW_REGISTER_CLASS(TOrxModuleItem, "Surface")

TPoint DesignInfoPosition(int32_t DesignInfo) noexcept {
  const auto Bits = static_cast<uint32_t>(DesignInfo);
  return {static_cast<int16_t>(Bits & 0xFFFF), static_cast<int16_t>(Bits >> 16)};
}

int32_t DesignInfoFromPosition(TPoint Position) noexcept {
  const uint32_t Left = static_cast<uint16_t>(Position.X);
  const uint32_t Top = static_cast<uint16_t>(Position.Y);
  return static_cast<int32_t>((Top << 16) | Left);
}

// ---------------------------------------------------------------------------------------------
// TOrxItemContext

TComponent* TOrxItemContext::GetDesignRoot() { return FSurface ? FSurface->DesignRoot() : nullptr; }

bool TOrxItemContext::HasSelectableChildren(TComponent* Component) {
  return FSurface && FSurface->HasSelectableChildren(Component);
}

IPtr<IComponentEditor> TOrxItemContext::GetComponentEditor(TComponent* Component) {
  return FSurface ? FSurface->GetComponentEditor(Component) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// TOrxItem

TOrxItem::TOrxItem(TComponent* AComponent, IPtr<TOrxItemContext> Context)
    : TComponentItem(AComponent, Context), FOrxContext(std::move(Context)) {}

IPtr<IItem> TOrxItem::GetChildren(int Index) {
  const std::vector<TComponent*> Children = ChildComponents();
  if (Index < 0 || Index >= static_cast<int>(Children.size()))
    throw EListError(Format(SListIndexError, Index));
  return ItemOf(Children[static_cast<size_t>(Index)]);
}

IPtr<IItem> TOrxItem::ItemOf(TPersistent* Persistent) const {
  TOrxDesignSurface* Surface = FOrxContext ? FOrxContext->Surface() : nullptr;
  return Surface ? Surface->FindItem(Persistent) : nullptr;
}

std::vector<TComponent*> TOrxItem::IconComponents() const {
  TOrxDesignSurface* Surface = FOrxContext ? FOrxContext->Surface() : nullptr;
  return Surface ? Surface->IconComponents() : std::vector<TComponent*>();
}

// ---------------------------------------------------------------------------------------------
// TOrxControlItem

TOrxControlItem::TOrxControlItem(TControl* AControl, IPtr<TOrxItemContext> Context)
    : TOrxItem(AControl, std::move(Context)), FControl(AControl) {}

IPtr<IItemGuidelines> TOrxControlItem::GetGuidelines() {
  TOrxDesignSurface* Surface = OrxContext()->Surface();
  if (!Surface) return nullptr;
  return GuidelinesFor(Surface->GetDesigner(), FControl, Surface->DesignRoot());
}

IPtr<IItem> TOrxControlItem::GetParent() {
  TComponent* Root = Context() ? Context()->GetDesignRoot() : nullptr;
  if (FControl == Root) return nullptr;
  if (FControl->Parent()) return ItemOf(FControl->Parent());
  return Root ? ItemOf(Root) : nullptr;
}

void TOrxControlItem::PaintImage(orx::TCanvas& Canvas) {
  // Shown as the designer shows it, hidden or not.
  orx::PaintControl(Canvas, FControl);
}

bool TOrxControlItem::IsContainer() { return FControl->ControlStyle().Contains(orx::csAcceptsControls); }

bool TOrxControlItem::HasSelectableChildren() {
  return Context() && Context()->HasSelectableChildren(FControl);
}

void TOrxControlItem::SetParent(const IPtr<IItem>& Item) {
  auto* NewParent = dynamic_cast<TWinControl*>(ExtractComponent(Item));
  if (!NewParent)
    throw EInvalidOperation(
        Format("Control '%s' can only be placed into a windowed control", FControl->Name()));
  FControl->SetParent(NewParent);
}

void TOrxControlItem::FlipChildren(bool AllLevels) {
  if (auto* W = dynamic_cast<TWinControl*>(FControl)) W->FlipChildren(AllLevels);
}

std::vector<TComponent*> TOrxControlItem::ChildComponents() {
  std::vector<TComponent*> Result;
  if (auto* W = dynamic_cast<TWinControl*>(FControl))
    for (int I = 0; I < W->ControlCount(); ++I) Result.push_back(W->Controls(I));
  if (Context() && FControl == Context()->GetDesignRoot()) {
    const std::vector<TComponent*> Icons = IconComponents();
    Result.insert(Result.end(), Icons.begin(), Icons.end());
  }
  return Result;
}

// ---------------------------------------------------------------------------------------------
// TOrxIconItem

TPoint TOrxIconItem::GlobalToLocal(TPoint Point) {
  const IPtr<IItem> Parent = GetParent();
  const TPoint P = Parent ? Parent->GlobalToLocal(Point) : Point;
  const TRect B = GetBoundsRect();
  return {P.X - B.Left, P.Y - B.Top};
}

TPoint TOrxIconItem::LocalToGlobal(TPoint Point) {
  const TRect B = GetBoundsRect();
  const TPoint P{Point.X + B.Left, Point.Y + B.Top};
  const IPtr<IItem> Parent = GetParent();
  return Parent ? Parent->LocalToGlobal(P) : P;
}

void TOrxIconItem::PaintImage(orx::TCanvas& Canvas) {
  orx::PaintComponentIcon(Canvas, Component(), 0, 0, false);
}

TRect TOrxIconItem::GetBoundsRect() {
  const TPoint P = DesignInfoPosition(Component()->DesignInfo());
  return Bounds(P.X, P.Y, NonVisualIconSize, NonVisualIconSize);
}

IPtr<IItem> TOrxIconItem::GetParent() {
  TComponent* Root = Context() ? Context()->GetDesignRoot() : nullptr;
  return Root && Root != Component() ? ItemOf(Root) : nullptr;
}

void TOrxIconItem::SetBoundsRect(const TRect& Rect) {
  Component()->SetDesignInfo(DesignInfoFromPosition(Rect.TopLeft()));
}

void TOrxIconItem::ZOrder(bool ToFront) {
  TComponent* Owner = Component()->Owner();
  if (Owner) Component()->SetComponentIndex(ToFront ? Owner->ComponentCount() - 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// TOrxModuleItem

TRect TOrxModuleItem::GetBoundsRect() {
  if (auto* M = dynamic_cast<orx::TDataModule*>(Component())) {
    const TPoint P = DesignInfoPosition(M->DesignInfo());
    return Bounds(P.X, P.Y, M->DesignSize().X, M->DesignSize().Y);
  }
  return {};
}

TRect TOrxModuleItem::GetClientRect() {
  const TRect B = GetBoundsRect();
  return Bounds(0, 0, B.Width(), B.Height());
}

void TOrxModuleItem::SetBoundsRect(const TRect& Rect) {
  if (auto* M = dynamic_cast<orx::TDataModule*>(Component())) {
    M->SetDesignInfo(DesignInfoFromPosition(Rect.TopLeft()));
    M->SetDesignSize({Rect.Width(), Rect.Height()});
  }
}

}  // namespace formwright
