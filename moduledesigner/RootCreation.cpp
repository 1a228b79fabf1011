#include "moduledesigner/RootCreation.h"

#include "formdesigner/Proxies.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {
inline constexpr const char* SNotNestable =
    "Cannot paste a form or datamodule into another form or datamodule";
inline constexpr const char* SNestedInItself = "A nested component cannot be inserted into itself";
inline constexpr const char* SNoSurface =
    "Components can only be created in a module shown on a design surface";
inline constexpr const char* SModuleClass =
    "Class %s is the class of a module and cannot be placed inside another module";
inline constexpr const char* SMasterViewOnly = "This component can only be created on the Master View";

bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TRect Offset(TRect R, int DX, int DY) { return TRect{R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

// True when Root or a component it owns, at any depth, is an instance of AClass.
bool OwnsInstanceOf(TComponent* Root, TClass AClass) {
  if (Root->ClassType() == AClass) return true;
  for (int I = 0; I < Root->ComponentCount(); ++I)
    if (OwnsInstanceOf(Root->Components(I), AClass)) return true;
  return false;
}
// The palette item of a designed frame class: an inline instance of the frame's module.
class TFramePaletteItem : public TInterfacedObject, public IInternalPaletteItem {
 public:
  TFramePaletteItem(TRootCreation* Creation, TClass FrameClass)
      : FCreation(Creation), FFrameClass(FrameClass) {}
  TComponent* CreateComponent(TComponent* Owner, TComponent* Parent, const TRect& Rect,
                              const IPtr<IDesignEnvironment>& Environment) override {
    return FCreation->FrameCreateComponent(FFrameClass, Owner);
  }

 private:
  TRootCreation* FCreation;
  TClass FFrameClass;
};
}  // namespace

int SnapToGrid(int Value, int Offset, int Grid) {
  if (Grid <= 0) return Value;
  int X = Value + Grid / 2 - Offset;
  if (X < 0) X -= Grid - 1;
  return (X / Grid) * Grid + Offset;
}

TPoint TRootCreation::PointToGrid(TPoint Point) {
  if (!FSnapToGrid || (FState.Surface && FState.Surface->GridSnapDisabled())) return Point;
  const TPoint Origin = FState.Surface ? FState.Surface->GetGridOrigin() : TPoint{};
  return TPoint{SnapToGrid(Point.X, Origin.X, FGridSize.X), SnapToGrid(Point.Y, Origin.Y, FGridSize.Y)};
}

// ----- The container of a new component -------------------------------------------------------

IPtr<IItem> TRootCreation::FindItemParent(const IPtr<IItem>& Item) {
  if (Item && !Item->IsContainer())
    if (IPtr<IInternalItem> I = Supports<IInternalItem>(Item))
      for (int C = 0; C < I->GetChildCount(); ++C)
        if (IPtr<IItem> Child = I->GetChildren(C); Child && Child->IsContainer()) return Child;
  for (IPtr<IItem> P = Item; P; P = P->GetParent())
    if (P->IsContainer()) return P;
  return FState.Surface ? FState.Surface->GetRoot() : nullptr;
}

IPtr<IItem> TRootCreation::FindCurrentParentItem() {
  if (FSelection.Count() == 1) return FindItemParent(FSelection.Items(0));
  return FState.Surface ? FState.Surface->GetRoot() : FSelection.ItemOf(FState.Root);
}

TComponent* TRootCreation::GetCurrentParent() {
  if (FCurrentParent) return FCurrentParent;
  if (TComponent* C = dynamic_cast<TComponent*>(ExtractPersistent(FindCurrentParentItem()))) return C;
  return FState.Root;
}

// ----- Entry points ---------------------------------------------------------------------------

TComponent* TRootCreation::CreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem) {
  return DoCreateComponent(PaletteItem, nullptr, TRect{}, true);
}

TComponent* TRootCreation::CreateComponentPos(const IPtr<IInternalPaletteItem>& PaletteItem, int X, int Y) {
  if (!FState.Surface) throw EComponentDesignerException(SNoSurface);
  IPtr<IItem> Root = FState.Surface->GetRoot();
  IPtr<IItem> Container = FState.Surface->ItemAtPos(TPoint{X, Y});
  while (Container && !Container->IsContainer()) Container = Container->GetParent();
  if (!Container) Container = Root;
  for (IPtr<IItem> I = Container; I && I->GetParent() && !SameItem(I, Root); I = I->GetParent()) {
    X -= I->GetBoundsRect().Left;
    Y -= I->GetBoundsRect().Top;
  }
  if (FSnapToGrid && FGridSize.X > 0 && FGridSize.Y > 0) {
    X = (X / FGridSize.X) * FGridSize.X;
    Y = (Y / FGridSize.Y) * FGridSize.Y;
  }
  return DoCreateComponent(PaletteItem, Container, TRect{X, Y, X + 1, Y + 1}, true);
}

TComponent* TRootCreation::CreateCurrentComponent(TComponent* Parent, const TRect& Rect) {
  IPtr<IInternalPaletteItem> Item = FHost.HostCurrentPaletteItem();
  TComponent* C = DoCreateComponent(Item, FSelection.ItemOf(Parent), Rect, true);
  FHost.HostPaletteItemPlaced();
  return C;
}

TComponent* TRootCreation::CreateComponentInParent(TComponentClass ComponentClass, TComponent* Parent,
                                                   int Left, int Top, int Width, int Height) {
  IPtr<IItem> Container;
  TRect Rect{};
  if (Parent) {
    IPtr<IItem> ParentItem = FSelection.ItemOf(Parent);
    Container = FindItemParent(ParentItem);
    TPoint P{Left, Top};
    if (Container && ParentItem && !SameItem(Container, ParentItem))
      P = Container->GlobalToLocal(ParentItem->LocalToGlobal(P));
    P = PointToGrid(P);
    Rect = TRect{P.X, P.Y, P.X + Width, P.Y + Height};
  }
  return DoCreateComponent(PaletteItemOf(ComponentClass), Container, Rect, true);
}

IPtr<IInternalPaletteItem> TRootCreation::PaletteItemOf(TComponentClass ComponentClass) {
  if (IsProxyClass(ComponentClass)) return MakeIntf<TFramePaletteItem>(this, ComponentClass);
  return MakeIntf<TClassPaletteItem>(ComponentClass);
}

TComponent* TRootCreation::CreateChild(TComponentClass ComponentClass, TComponent* Parent) {
  return DoCreateComponent(MakeIntf<TClassPaletteItem>(ComponentClass), FSelection.ItemOf(Parent),
                           TRect{0, 0, 1, 1}, false);
}

// ----- Creation -------------------------------------------------------------------------------

TComponent* TRootCreation::DoCreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem,
                                             IPtr<IItem> ParentItem, TRect Rect, bool Size) {
  if (!PaletteItem) return nullptr;
  if (IPtr<IOTABasePaletteItem> Ota = Supports<IOTABasePaletteItem>(PaletteItem); Ota && !Ota->GetEnabled())
    return nullptr;
  if (!FState.Surface) throw EComponentDesignerException(SNoSurface);
  if (IsEmpty(Rect)) ParentItem = FindCurrentParentItem();
  if (!ParentItem) ParentItem = FState.Surface->GetRoot();
  auto* ParentComponent = dynamic_cast<TComponent*>(ExtractPersistent(ParentItem));
  // What can be refused before anything is made is refused then: the module changes not at all.
  if (auto* ClassItem = dynamic_cast<TClassPaletteItem*>(PaletteItem.Get()))
    ValidatePlaceable(ClassItem->ComponentClass());
  FHost.HostValidateParent(ParentComponent);
  TOwned<TComponent> New(PaletteItem->CreateComponent(FState.Root, ParentComponent, Rect,
                                                      FState.ComponentDesigner->GetEnvironment()));
  if (!New) return nullptr;
  ValidatePlaceable(New->ClassType());
  // Until views are designed, a creation on a view is refused here instead of being made in
  // the master view.
  CanInsertComponent(New.get());
  if (FState.CustomModule) FState.CustomModule->ValidateComponent(New.get());
  if (!New->ComponentStyle().Contains(csInheritable) && FState.UpdateManager &&
      FState.UpdateManager->GetHasDescendents())
    throw EComponentDesignerException(Format(SNotInheritable, New->ClassName()));
  if (ParentComponent && ParentComponent != New.get()) New->SetParentComponent(ParentComponent);
  IPtr<IItem> Item = FState.Surface->FindItem(New.get());
  if (!Item) return nullptr;
  IPtr<IItem> Top = FState.Surface->GetRoot();
  if (IPtr<IItem> Actual = Item->GetParent(); Actual && !SameItem(Actual, ParentItem)) {
    if (SameItem(Actual, Top))
      for (IPtr<IItem> A = ParentItem; A && A->GetParent(); A = A->GetParent())
        Rect = Offset(Rect, A->GetBoundsRect().Left, A->GetBoundsRect().Top);
    ParentItem = Actual;
  }
  New->SetName(FNames.UniqueName(New->ClassName()));
  if (IsEmpty(Rect)) {
    const TRect B = Item->GetBoundsRect();
    const TRect PB = ParentItem ? ParentItem->GetBoundsRect() : TRect{};
    const int W = B.Width(), H = B.Height();
    TPoint P = PointToGrid(TPoint{PB.Width() / 2 - W / 2, PB.Height() / 2 - H / 2});
    Rect = TRect{P.X, P.Y, P.X + W, P.Y + H};
    const int StepX = std::max(FGridSize.X / 2 + 1, 10);
    const int StepY = std::max(FGridSize.Y / 2 + 1, 10);
    for (int I = 0; I < FState.Surface->GetItemsCount();) {
      IPtr<IItem> Other = FState.Surface->GetItems(I);
      const TRect OB = Other->GetBoundsRect();
      if (OB.Left == Rect.Left && OB.Top == Rect.Top) {
        P = PointToGrid(TPoint{Rect.Left + StepX, Rect.Top + StepY});
        Rect = TRect{P.X, P.Y, P.X + W, P.Y + H};
        I = 0;
      } else {
        ++I;
      }
    }
  }
  if (Size) {
    if (Rect.Right - Rect.Left <= 9 && Rect.Bottom - Rect.Top <= 9) {
      const TRect B = Item->GetBoundsRect();
      if (B.Width() <= 9 && B.Height() <= 9) {
        Rect.Right = Rect.Left + 100;
        Rect.Bottom += 40;
      } else {
        Rect.Right = Rect.Left + B.Width();
        Rect.Bottom = Rect.Top + B.Height();
      }
    }
    Item->SetBoundsRect(Rect);
  }
  if (IPtr<IInternalItem> I = Supports<IInternalItem>(Item)) {
    I->SetParent(ParentItem);
    I->Show();
  }
  TComponent* Result = New.release();
  FSelection.Select(Result, false);
  FState.Self->Modified();
  return Result;
}

void TRootCreation::ValidatePlaceable(TClass ComponentClass) {
  // A designed frame class is placed as an inline instance of its module (or refused there).
  if (!ComponentClass || IsProxyClass(ComponentClass)) return;
  for (const TCustomModuleReg& R : CustomModuleRegistrations())
    if (R.RootBaseClass && ComponentClass->InheritsFrom(R.RootBaseClass) &&
        (!FState.ComponentDesigner || FState.ComponentDesigner->AcceptsClass(R.RootBaseClass)))
      throw EComponentDesignerException(Format(SModuleClass, ComponentClass->ClassName()));
}

IPtr<IInternalRoot> TRootCreation::GetMasterView() { return FState.MasterView(); }

void TRootCreation::CanInsertComponent(TComponent* Component) {
  if (!FAllowViewInsert && GetMasterView()) throw EComponentDesignerException(SMasterViewOnly);
}

// ----- Inline frame instances -----------------------------------------------------------------

TComponent* TRootCreation::FrameCreateComponent(TClass ComponentClass, TComponent* Owner) {
  if (!IsProxyClass(ComponentClass) || !FState.ComponentDesigner) return nullptr;
  IPtr<IInternalRoot> Frame;
  for (int I = 0; I < FState.ComponentDesigner->GetRootsCount() && !Frame; ++I) {
    IPtr<IRoot> R = FState.ComponentDesigner->GetRoots(I);
    if (R->GetRoot() && R->GetRoot()->ClassType() == ComponentClass) Frame = Supports<IInternalRoot>(R);
  }
  if (!Frame) return nullptr;
  IPtr<ICustomModule> Module = Frame->GetCustomModule();
  if (!Module || !Module->Nestable()) throw EComponentDesignerException(SNotNestable);
  TComponent* FrameRoot = Frame->GetRoot();
  if (Owner && OwnsInstanceOf(FrameRoot, Owner->ClassType()))
    throw EComponentDesignerException(SNestedInItself);
  // An instance inherits the frame module's components as a descendant module would.
  if (FValidateInheritence) FValidateInheritence(FrameRoot);
  TClass Compiled = ComponentClass;
  while (Compiled && IsProxyClass(Compiled)) Compiled = Compiled->ClassParent();
  // The instance is read while it has no owner, so that the name its module stores for itself
  // never meets the names of the module it goes into; the reader that asked for it names it.
  TOwned<TComponent> Instance(static_cast<TComponent*>(Compiled->Create<TComponent*>(nullptr)));
  Instance->SetDesigning(true);
  Instance->SetInline(true);
  Instance->SetDesignInstance(true);
  ChangeToProxyClass(Instance.get(), ComponentClass);
  // Frames made inside this one while it is read leave the list again if this one fails.
  TScopeExit Unlist([this, I = Instance.get()] { FLinks.UnlistFrames(I); });
  {
    // Frames inside the frame module come with it: the instance's own manager covers them.
    TValueScope Replaying(FState.AncestorLoaded, false);
    FStreams.ReplayModule(FrameRoot, Instance.get());
  }
  for (int I = 0; I < Instance->ComponentCount(); ++I) Instance->Components(I)->SetAncestor(true);
  Instance->SetName(String());
  if (Owner) Owner->InsertComponent(Instance.get());
  // The instance's inherited components belong to the frame's module: they are renamed there,
  // never here (a frame read inside this one was listed when it was made).
  FLinks.ListFrame(Instance.get());
  // Later changes of the frame module flow into the instance through a manager of its own,
  // a descendant of the frame module's manager.
  if (FFrameGetsUpdateManager && FState.AncestorLoaded)
    if (IPtr<IUpdateManager> Manager =
            FHost.CreateUpdateManager(Instance.get(), FrameRoot, Frame->GetUpdateManager()))
      FLinks.AddFrameUpdateManager(Instance.get(), std::move(Manager));
  Unlist.Release();
  return Instance.release();
}

TComponent* TRootCreation::UpdateManagerCreateComponent(TClass ComponentClass, TComponent* Owner) {
  TValueScope NotLoaded(FState.AncestorLoaded, false);
  // The update manager is how a view receives its master's components.
  TValueScope AllowInsert(FAllowViewInsert, true);
  TValueScope NoFrameManager(FFrameGetsUpdateManager, false);
  if (TComponent* Frame = FrameCreateComponent(ComponentClass, Owner)) return Frame;
  return static_cast<TComponent*>(ComponentClass->Create<TComponent*>(Owner));
}

}  // namespace formwright
