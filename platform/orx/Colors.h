// Colours of the Orx framework and their identifiers. A colour is $00BBGGRR for an RGB value;
// a system colour (the colours of the desktop's theme: window, face, selection ...) carries $FF
// in the high byte and its index in the low byte. Streams and the property inspector give a
// colour by its identifier ("clFace") where it has one; otherwise streams hold the number and
// the inspector shows "$" and eight hexadecimal digits.
#pragma once

#include "platform/orx/Idents.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::orx {

FW_ORX_IDENT_TYPE(TColor, int32_t, INT32_MIN, INT32_MAX, ColorIdents)

inline constexpr TColor clSystemColor = TColor(int32_t(0xFF000000));
constexpr TColor SystemColor(int Index) noexcept { return TColor(int32_t(0xFF000000u | unsigned(Index))); }

// System colours, by index.
inline constexpr TColor clScrollTrack = SystemColor(0);         // the track of a scroll bar
inline constexpr TColor clDesktop = SystemColor(1);             // the desktop behind all windows
inline constexpr TColor clActiveTitle = SystemColor(2);         // the title bar of the active window
inline constexpr TColor clInactiveTitle = SystemColor(3);       // the title bar of other windows
inline constexpr TColor clMenu = SystemColor(4);                // menu background
inline constexpr TColor clWindow = SystemColor(5);              // the background of edits and lists
inline constexpr TColor clWindowFrame = SystemColor(6);         // thin window frames
inline constexpr TColor clMenuText = SystemColor(7);            // text in menus
inline constexpr TColor clWindowText = SystemColor(8);          // text on clWindow
inline constexpr TColor clActiveTitleText = SystemColor(9);     // text on clActiveTitle
inline constexpr TColor clActiveEdge = SystemColor(10);         // the sizing edge of the active window
inline constexpr TColor clInactiveEdge = SystemColor(11);       // the sizing edge of other windows
inline constexpr TColor clWorkspace = SystemColor(12);          // behind the child windows of a main window
inline constexpr TColor clSelection = SystemColor(13);          // selected items
inline constexpr TColor clSelectionText = SystemColor(14);      // text on clSelection
inline constexpr TColor clFace = SystemColor(15);               // the face of forms, panels and buttons
inline constexpr TColor clShadow = SystemColor(16);             // the shaded side of a raised face
inline constexpr TColor clDisabledText = SystemColor(17);       // text of disabled controls
inline constexpr TColor clFaceText = SystemColor(18);           // text on clFace
inline constexpr TColor clInactiveTitleText = SystemColor(19);  // text on clInactiveTitle
inline constexpr TColor clLight = SystemColor(20);              // the lit side of a raised face
inline constexpr TColor clDarkShadow = SystemColor(21);         // the outer shaded edge
inline constexpr TColor clMidLight = SystemColor(22);           // the inner lit edge
inline constexpr TColor clTooltipText = SystemColor(23);        // text of tooltips
inline constexpr TColor clTooltip = SystemColor(24);            // tooltip background
inline constexpr TColor clLink = SystemColor(26);               // links and hot-tracked items
inline constexpr TColor clActiveTitleEnd = SystemColor(27);     // the far end of a shaded active title
inline constexpr TColor clInactiveTitleEnd = SystemColor(28);   // the far end of a shaded inactive title
inline constexpr TColor clMenuSelection = SystemColor(29);      // the selected item of a flat menu
inline constexpr TColor clMenuBar = SystemColor(30);            // the menu bar of a flat menu

// Fixed colours.
inline constexpr TColor clBlack = TColor(0x000000);
inline constexpr TColor clMaroon = TColor(0x000080);
inline constexpr TColor clGreen = TColor(0x008000);
inline constexpr TColor clOlive = TColor(0x008080);
inline constexpr TColor clNavy = TColor(0x800000);
inline constexpr TColor clPurple = TColor(0x800080);
inline constexpr TColor clTeal = TColor(0x808000);
inline constexpr TColor clGray = TColor(0x808080);
inline constexpr TColor clSilver = TColor(0xC0C0C0);
inline constexpr TColor clRed = TColor(0x0000FF);
inline constexpr TColor clLime = TColor(0x00FF00);
inline constexpr TColor clYellow = TColor(0x00FFFF);
inline constexpr TColor clBlue = TColor(0xFF0000);
inline constexpr TColor clFuchsia = TColor(0xFF00FF);
inline constexpr TColor clAqua = TColor(0xFFFF00);
inline constexpr TColor clWhite = TColor(0xFFFFFF);
inline constexpr TColor clMint = TColor(0xC0DCC0);
inline constexpr TColor clSky = TColor(0xF0CAA6);
inline constexpr TColor clIvory = TColor(0xF0FBFF);
inline constexpr TColor clStone = TColor(0xA4A0A0);
// No colour (a clear brush), and the colour a control takes from its parent or theme.
inline constexpr TColor clNone = TColor(0x1FFFFFFF);
inline constexpr TColor clDefault = TColor(0x20000000);

// The colour identifiers in the order the inspector lists them: the fixed colours, then the
// system colours by name. A colour without one is written "$" and eight hexadecimal digits;
// typed numbers go up to $FFFFFFFF; other text raises EConvertError (SInvalidColor).
const TIdentTable& ColorIdents() noexcept;
inline String ColorToString(TColor Color) { return ColorIdents().ToString(Color); }
inline TColor StringToColor(std::string_view S) { return TColor(ColorIdents().FromString(S)); }
// The RGB value of a colour, resolving system colours through the default system palette.
int32_t ColorToRGB(TColor Color) noexcept;

}  // namespace formwright::orx
