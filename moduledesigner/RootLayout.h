// The layout commands of a module over its selection: bringing items to the front or sending
// them to the back, and moving components into another parent.
#pragma once

#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootSelection.h"
#include "moduledesigner/RootState.h"

namespace formwright {

// Refusals of MoveSelection.
inline constexpr const char* SCannotMoveRoot = "The module's root component cannot be moved";
inline constexpr const char* SCannotMoveAncestor =
    "Cannot move component %s, component was introduced in an ancestor form";
inline constexpr const char* SCannotMoveIntoItself =
    "Cannot move %s into itself or into a component it holds";
inline constexpr const char* SCannotPlaceIn = "%s cannot be placed in %s";

class TRootLayout {
 public:
  TRootLayout(TRootState& State, TRootHostOperations& Host, TRootSelection& Selection)
      : FState(State), FHost(Host), FSelection(Selection) {}
  TRootLayout(const TRootLayout&) = delete;
  TRootLayout& operator=(const TRootLayout&) = delete;

  // Brings every selected item to the front (or sends it to the back) among its siblings, in
  // selection order, so that items brought forward together keep their order. The module is
  // modified before the items move and again after (the root item has no siblings: selected, it
  // stays where it is).
  void ZOrder(bool Front);
  // Moves the selection into Parent, keeping every component itself: its name, its handlers
  // and each reference to it stay (nothing is freed or read again). The selection is first
  // reduced to the anchor's siblings; then, before anything moves, the move is refused
  // (EComponentDesignerException) when the root is selected, when an item was introduced in
  // an ancestor, when Parent is a selected item or lies inside one, when Parent is not a
  // container (SCannotPlaceIn), or when the host does not let Parent take new components. An item whose
  // parent the surface cannot change (a non-visual component, a control into a non-windowed one) refuses with
  // the surface's message or SCannotPlaceIn, the items before it moved already (the caller discards the
  // module's changes). Positions stay in the new parent's coordinates; with At, the anchor's
  // top-left corner goes to At and the others keep their offsets from it. Each moved component
  // becomes the last of its owner's components, so the stream lists it after the components
  // already in the new parent. Modified once at the end. Items that are in Parent already, the
  // anchor at At or no At given, stay as they are: false, and the module is not modified.
  bool MoveSelection(TComponent* Parent, const TPoint* At);

 private:
  TRootState& FState;
  TRootHostOperations& FHost;
  TRootSelection& FSelection;
};

}  // namespace formwright
