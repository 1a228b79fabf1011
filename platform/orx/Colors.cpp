#include "platform/orx/Colors.h"

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

namespace {
constexpr TIdentMapEntry Colors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMint, "clMint"},
    {clSky, "clSky"},
    {clIvory, "clIvory"},
    {clStone, "clStone"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clActiveEdge, "clActiveEdge"},
    {clActiveTitle, "clActiveTitle"},
    {clActiveTitleEnd, "clActiveTitleEnd"},
    {clActiveTitleText, "clActiveTitleText"},
    {clDarkShadow, "clDarkShadow"},
    {clDesktop, "clDesktop"},
    {clDisabledText, "clDisabledText"},
    {clFace, "clFace"},
    {clFaceText, "clFaceText"},
    {clInactiveEdge, "clInactiveEdge"},
    {clInactiveTitle, "clInactiveTitle"},
    {clInactiveTitleEnd, "clInactiveTitleEnd"},
    {clInactiveTitleText, "clInactiveTitleText"},
    {clLight, "clLight"},
    {clLink, "clLink"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuSelection, "clMenuSelection"},
    {clMenuText, "clMenuText"},
    {clMidLight, "clMidLight"},
    {clScrollTrack, "clScrollTrack"},
    {clSelection, "clSelection"},
    {clSelectionText, "clSelectionText"},
    {clShadow, "clShadow"},
    {clTooltip, "clTooltip"},
    {clTooltipText, "clTooltipText"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clWorkspace, "clWorkspace"},
};

// The default system palette (RGB as $BBGGRR), indexed by system colour index.
constexpr int32_t SystemPalette[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};
}  // namespace

const TIdentTable& ColorIdents() noexcept {
  static constexpr TIdentTable Table(Colors, INT32_MIN, UINT32_MAX, SInvalidColor, TIdentFallback::ifHex8);
  return Table;
}

int32_t ColorToRGB(TColor Color) noexcept {
  const uint32_t V = uint32_t(Color);
  if ((V & 0xFF000000u) == 0xFF000000u) {
    const unsigned Index = V & 0xFFu;
    return Index < std::size(SystemPalette) ? SystemPalette[Index] : 0;
  }
  return int32_t(V & 0x00FFFFFFu);
}

}  // namespace formwright::orx
