#include "formdesigner/Items.h"

#include "platform/runtime/RtlConsts.h"

namespace formwright {

FW_REGISTER_CLASS(TPersistentItem, "FormDesigner.Items")
FW_REGISTER_CLASS(TInternalItem, "FormDesigner.Items")
FW_REGISTER_CLASS(TComponentItem, "FormDesigner.Items")
FW_REGISTER_CLASS(TNonControlItem, "FormDesigner.Items")

// ---------------------------------------------------------------------------------------------
// TPersistentItem

TPersistentItem::TPersistentItem(TPersistent* APersistent, IPtr<IItemContext> Context)
    : FPersistent(APersistent), FContext(std::move(Context)) {
  if (!APersistent) throw EInvalidArgument("An item needs an object to wrap");
}

bool TPersistentItem::Contains(const IPtr<IItem>& Item) {
  const IPtr<IItem> Self(this);
  for (IPtr<IItem> I = Item; I; I = I->GetParent())
    if (SameItem(Self, I)) return true;
  return false;
}

void TPersistentItem::Delete() {
  ValidateDeletable();
  if (auto* C = dynamic_cast<TComponent*>(FPersistent)) C->Free();
}

bool TPersistentItem::Equals(const IPtr<IItem>& Item) {
  const IPtr<IPersistentItem> Other = Supports<IPersistentItem>(Item);
  return Other && Other->GetItem() == FPersistent;
}

void TPersistentItem::ValidateDeletable() {
  throw ECannotDeleteNonComponentException(sCannotDeleteNonComponent);
}

void TPersistentItem::Edit() {
  if (const IPtr<IComponentEditor> Editor = CreateEditor()) Editor->Edit();
}

// ---------------------------------------------------------------------------------------------
// TInternalItem

IPtr<IItem> TInternalItem::GetChildren(int Index) { throw EListError(Format(SListIndexError, Index)); }

// ---------------------------------------------------------------------------------------------
// TComponentItem

TComponentItem::TComponentItem(TPersistent* APersistent, IPtr<IItemContext> Context)
    : TInternalItem(APersistent, std::move(Context)), FComponent(dynamic_cast<TComponent*>(APersistent)) {}

bool TComponentItem::Selectable() {
  if (!FComponent) return false;
  TComponent* Owner = FComponent->Owner();
  TComponent* Root = Context() ? Context()->GetDesignRoot() : nullptr;
  if (FComponent == Root || !Owner || Owner == Root) return true;
  return Context() && Context()->HasSelectableChildren(Owner);
}

void TComponentItem::ValidateComponentDeletable() {
  if (FComponent && FComponent->ComponentState().Contains(csAncestor))
    throw EComponentDesignerException(Format(sCannotDeleteAncestor, FComponent->Name()));
}

void TComponentItem::ValidateDeletable() { ValidateComponentDeletable(); }

void TComponentItem::Delete() {
  if (FComponent && Context() && FComponent == Context()->GetDesignRoot())
    throw EComponentDesignerException(Format(sCannotDeleteRoot, FComponent->Name()));
  TInternalItem::Delete();
}

IPtr<IComponentEditor> TComponentItem::CreateEditor() {
  if (!FComponent || !Context()) return nullptr;
  return Context()->GetComponentEditor(FComponent);
}

// ---------------------------------------------------------------------------------------------
// TNonControlItem

void TNonControlItem::ValidateDeletable() {
  ValidateComponentDeletable();
  throw ECannotDeleteNonComponentException(sCannotDeleteNonComponent);
}

// ---------------------------------------------------------------------------------------------
// Helpers

bool SameItem(const IPtr<IItem>& A, const IPtr<IItem>& B) {
  if (A.Identity() == B.Identity()) return true;  // two nils are the same (no) item
  if (!A || !B) return false;
  return A->Equals(B);
}

TPersistent* ExtractPersistent(const IPtr<IItem>& Item) {
  const IPtr<IPersistentItem> P = Supports<IPersistentItem>(Item);
  return P ? P->GetItem() : nullptr;
}

TComponent* ExtractComponent(const IPtr<IItem>& Item) {
  return dynamic_cast<TComponent*>(ExtractPersistent(Item));
}

}  // namespace formwright
