// The root's layout commands over its selection: z-order and moving components into another
// parent.
#include "moduledesigner/RootLayout.h"

#include <algorithm>

#include "formdesigner/Items.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

namespace {
IPtr<IInternalItem> Internal(const IPtr<IItem>& Item) { return Supports<IInternalItem>(Item); }
// "Edit1, Edit2" for messages.
String NamesOfSelection(TRootSelection& Selection) {
  String R;
  for (int I = 0; I < Selection.Count(); ++I)
    if (auto* C = dynamic_cast<TComponent*>(Selection.Persistents(I)))
      R += (R.empty() ? "" : ", ") + C->Name();
  return R;
}
}  // namespace

void TRootLayout::ZOrder(bool Front) {
  // Modified before as well as after: listeners (the update manager among them) take the order
  // the items had before they move, and the new one after.
  FState.Self->Modified();
  for (int I = 0; I < FSelection.Count(); ++I)
    if (const IPtr<IInternalItem> Item = Internal(FSelection.Items(I))) Item->ZOrder(Front);
  FState.Self->Modified();
}

bool TRootLayout::MoveSelection(TComponent* Parent, const TPoint* At) {
  if (FSelection.Count() == 0) return false;
  if (FSelection.IsRootSelected()) throw EComponentDesignerException(SCannotMoveRoot);
  FSelection.ForceCommonParent();
  const IPtr<IItem> Target = FSelection.ItemOf(Parent);
  std::vector<IPtr<IItem>> Items;
  for (int I = 0; I < FSelection.Count(); ++I) {
    IPtr<IItem> Item = FSelection.Items(I);
    auto* C = dynamic_cast<TComponent*>(FSelection.Persistents(I));
    if (C && C->ComponentState().Contains(csAncestor))
      throw EComponentDesignerException(Format(SCannotMoveAncestor, C->Name()));
    for (IPtr<IItem> P = Target; P; P = P->GetParent())
      if (SameItem(P, Item))
        throw EComponentDesignerException(Format(SCannotMoveIntoItself, C ? C->Name() : String()));
    Items.push_back(std::move(Item));
  }
  // Only a container takes components (a panel, the form; never a button).
  if (!Target || !Target->IsContainer())
    throw EComponentDesignerException(
        Format(SCannotPlaceIn, NamesOfSelection(FSelection), Parent ? Parent->Name() : String()));
  FHost.HostValidateParent(Parent);
  const TRect Anchor = Items.front()->GetBoundsRect();
  // Into the parent they have and to where they are: nothing moves, the module stays as it is.
  const bool InPlace = std::all_of(Items.begin(), Items.end(),
                                   [&](const IPtr<IItem>& I) { return SameItem(I->GetParent(), Target); });
  if (InPlace && (!At || Anchor.TopLeft() == *At)) return false;
  for (const IPtr<IItem>& Item : Items) {
    const IPtr<IInternalItem> Moving = Internal(Item);
    if (!Moving) continue;
    Moving->SetParent(Target);
    // An item the surface cannot move there stays where it was: that refuses the move.
    if (!SameItem(Item->GetParent(), Target))
      throw EComponentDesignerException(Format(
          "%s cannot be placed in %s", ExtractComponent(Item) ? ExtractComponent(Item)->Name() : String(),
          Parent ? Parent->Name() : String()));
    // The newest of its new parent's components: listed after the others in the stream, so
    // that the components already there keep their places.
    if (TComponent* C = ExtractComponent(Item); C && C->Owner())
      C->SetComponentIndex(C->Owner()->ComponentCount() - 1);
    if (At) {
      TRect B = Item->GetBoundsRect();
      B.Offset(At->X - Anchor.Left, At->Y - Anchor.Top);
      Item->SetBoundsRect(B);
    }
  }
  FState.Self->Modified();
  return true;
}

}  // namespace formwright
