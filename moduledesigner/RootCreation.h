// Creating components in a module: from a palette item (centred in the current container, at a
// point of the surface, or in a rectangle of a parent), from a class through the designer
// interface, inline instances of open frame modules, and components the update manager
// creates. Chooses the container a new component goes into, snaps to the designer's grid,
// refuses what the module may not hold before anything is made, names, places and selects.
#pragma once

#include <functional>

#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootLinks.h"
#include "moduledesigner/RootNames.h"
#include "moduledesigner/RootSelection.h"
#include "moduledesigner/RootState.h"
#include "moduledesigner/RootStreams.h"

namespace formwright {

// Refuses a component whose class does not allow inheritance in a module with descendants.
inline constexpr const char* SNotInheritable =
    "Component class '%s' does not support inheritance and cannot be added to a module that has descendents";

class TRootCreation {
 public:
  // Raises when the module may not inherit from (or embed) the module of root component
  // Ancestor: the root's own inheritance check.
  using TValidateInheritence = std::function<void(TComponent* Ancestor)>;

  TRootCreation(TRootState& State, TRootHostOperations& Host, TRootSelection& Selection, TRootNames& Names,
                TRootStreams& Streams, TRootLinks& Links, TValidateInheritence ValidateInheritence)
      : FState(State),
        FHost(Host),
        FSelection(Selection),
        FNames(Names),
        FStreams(Streams),
        FLinks(Links),
        FValidateInheritence(std::move(ValidateInheritence)) {}
  TRootCreation(const TRootCreation&) = delete;
  TRootCreation& operator=(const TRootCreation&) = delete;

  // ----- Palette-style creation -----
  // A palette double-click: centred in the current container, sized by the component.
  TComponent* CreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem);
  // A click at X, Y of the surface: in the container under the point, snapped to the grid.
  TComponent* CreateComponentPos(const IPtr<IInternalPaletteItem>& PaletteItem, int X, int Y);
  // The host palette's current item drawn as Rect inside Parent; the palette is told after.
  TComponent* CreateCurrentComponent(TComponent* Parent, const TRect& Rect);
  // The common path: the container ParentItem (the current one when Rect is empty), then
  // every refusal, then the component made, named, placed (sized when Size) and selected.
  // Null when the item is disabled or made nothing.
  TComponent* DoCreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem, IPtr<IItem> ParentItem,
                                TRect Rect, bool Size);

  // ----- Creation by class -----
  // A component of ComponentClass at Left, Top of Parent (in Parent's coordinates, snapped),
  // Width by Height; a designed frame class gives an inline instance of its module.
  TComponent* CreateComponentInParent(TComponentClass ComponentClass, TComponent* Parent, int Left, int Top,
                                      int Width, int Height);
  // A child of Parent that keeps its own bounds.
  TComponent* CreateChild(TComponentClass ComponentClass, TComponent* Parent);
  // An inline instance of the open frame module whose designed class is ComponentClass, owned
  // by Owner; null when ComponentClass is not such a class. Refused (nothing made) when the
  // frame's module is not nestable, holds Owner's class, or cannot be inherited from.
  TComponent* FrameCreateComponent(TClass ComponentClass, TComponent* Owner);
  // What the update manager creates in this module (a view receives its master's components
  // this way): no naming, placing or selecting.
  TComponent* UpdateManagerCreateComponent(TClass ComponentClass, TComponent* Owner);

  // ----- Containers and rules -----
  // The container a new component next to or inside Item goes into.
  IPtr<IItem> FindItemParent(const IPtr<IItem>& Item);
  IPtr<IItem> FindCurrentParentItem();
  // The component new components go into: the one set, else the current container's.
  TComponent* GetCurrentParent();
  void SetCurrentParent(TComponent* AComponent) noexcept { FCurrentParent = AComponent; }
  // A point snapped to the designer's grid (unchanged when snapping is off).
  TPoint PointToGrid(TPoint Point);
  void SetGrid(TPoint Size, bool Snap) noexcept {
    FGridSize = Size;
    FSnapToGrid = Snap;
  }
  // Raises when ComponentClass can only be the root of a module (a form, a data module, a
  // plain frame): such a class is never placed on a module.
  void ValidatePlaceable(TClass ComponentClass);
  // The master view when this root is one of its module's other views; none otherwise.
  IPtr<IInternalRoot> GetMasterView();
  // Raises "This component can only be created on the Master View" on a view, except while
  // the view receives its master's components.
  void CanInsertComponent(TComponent* Component);
  // A persistent leaves the module.
  void InstanceRemoved(TPersistent* Persistent) noexcept {
    if (Persistent == FCurrentParent) FCurrentParent = nullptr;
  }

 private:
  IPtr<IInternalPaletteItem> PaletteItemOf(TComponentClass ComponentClass);

  TRootState& FState;
  TRootHostOperations& FHost;
  TRootSelection& FSelection;
  TRootNames& FNames;
  TRootStreams& FStreams;
  TRootLinks& FLinks;
  TValidateInheritence FValidateInheritence;
  TComponent* FCurrentParent = nullptr;
  // Set while the update manager creates components: a view may then receive them.
  bool FAllowViewInsert = false;
  // Whether a new frame instance gets an update manager of its own (not while the update
  // manager itself creates one: the manager that creates it keeps it in step).
  bool FFrameGetsUpdateManager = true;
  TPoint FGridSize{8, 8};
  bool FSnapToGrid = true;
};

// Value snapped to the nearest line of a grid of step Grid whose lines pass through Offset; a
// value halfway between lines goes to the higher one.
int SnapToGrid(int Value, int Offset, int Grid);

}  // namespace formwright
