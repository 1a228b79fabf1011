// The picture the Orx design surface shows of its module: the form as the designer shows it
// (grid dots on every container, the icons of non-visual components, grab handles around the
// selection) or a data module's white area with its icons; and drag images laid over it by
// exclusive-or while a drag runs.
#pragma once

#include <vector>

#include "contracts/HostIntf.h"
#include "host/root/SurfaceItems.h"
#include "platform/orx/Pictures.h"

namespace formwright {

// What the picture shows besides the module.
struct TSurfacePicture {
  // Picture pixels per form pixel (1 or more).
  int32_t Scale = 1;
  // The grid (DisplayGrid, GridSizeX/Y) and the icons (ShowNonVisualComponents, with their
  // names when ShowComponentCaptions).
  TDesignerOptions Options;
  // Grab handles: eight black ones around a single selected component, grey corners around
  // each of several.
  std::vector<TComponent*> Selection;
};

// Draws Root (a control, or a data module at its design size) on Picture, sized Scale times
// the root. Raises Exception "NAME has no area to render (W x H)" for a root without area,
// leaving Picture as it was.
void PaintModulePicture(orx::TBitmap& Picture, TComponent* Root, const TSurfacePicture& How);

// Lays Image by exclusive-or over Picture with its top-left corner at At (form pixels, before
// scaling): where the image is white the picture stays, elsewhere it changes; laying it again
// brings the picture back.
void XorDragImage(orx::TBitmap& Picture, IOrxDragImage& Image, TPoint At, int32_t Scale);

}  // namespace formwright
