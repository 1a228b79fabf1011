#include "platform/orx/Cursors.h"

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

namespace {
constexpr TIdentMapEntry Cursors[] = {
    {crDefault, "crDefault"},
    {crArrow, "crArrow"},
    {crCrosshair, "crCrosshair"},
    {crText, "crText"},
    {crResizeNESW, "crResizeNESW"},
    {crResizeNS, "crResizeNS"},
    {crResizeNWSE, "crResizeNWSE"},
    {crResizeWE, "crResizeWE"},
    {crUpArrow, "crUpArrow"},
    {crWait, "crWait"},
    {crDrag, "crDrag"},
    {crCannotDrop, "crCannotDrop"},
    {crColumnResize, "crColumnResize"},
    {crRowResize, "crRowResize"},
    {crDragMany, "crDragMany"},
    {crQueryWait, "crQueryWait"},
    {crForbidden, "crForbidden"},
    {crProgress, "crProgress"},
    {crHelp, "crHelp"},
    {crHand, "crHand"},
    {crMove, "crMove"},
    {crNone, "crNone"},
};
}  // namespace

const TIdentTable& CursorIdents() noexcept {
  static constexpr TIdentTable Table(Cursors, INT16_MIN, INT16_MAX, SInvalidCursor);
  return Table;
}

}  // namespace formwright::orx
