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

TIdentMap CursorIdents() noexcept { return Cursors; }
bool CursorToIdent(int32_t Cursor, String& Ident) { return IntToIdent(Cursor, Ident, Cursors); }
bool IdentToCursor(std::string_view Ident, int32_t& Cursor) noexcept {
  return IdentToInt(Ident, Cursor, Cursors);
}
void GetCursorValues(const TGetStrProc& Proc) { GetIdentValues(Proc, Cursors); }

String CursorToString(TCursor Cursor) {
  String S;
  return CursorToIdent(Cursor, S) ? S : IntToStr(Cursor);
}

TCursor StringToCursor(std::string_view S) {
  int32_t V = 0;
  if (IdentToCursor(Trim(S), V)) return TCursor(V);
  int64_t N = 0;
  if (!TryStrToInt64(S, N) || N < INT16_MIN || N > INT16_MAX)
    throw EConvertError(Format(SInvalidCursor, String(S)));
  return TCursor(static_cast<int16_t>(N));
}

}  // namespace formwright::orx
