// The headless screen as plain data: its monitors (bounds, work area, which one is primary),
// the virtual desktop they make together, the resolution and font names it offers, the forms
// and data modules that exist and the focused control. The current application owns it
// (Application.h); a host or a test sets the monitors it wants to see.
#pragma once

#include <vector>

#include "platform/orx/Controls.h"
#include "platform/runtime/Lists.h"

namespace formwright::orx {

class TCustomForm;
class TDataModule;

// The message for monitors that a screen cannot have.
inline constexpr const char* SBadMonitors =
    "A screen needs at least one monitor, exactly one of them primary, each work area inside its bounds";

// One monitor: where it sits on the virtual desktop, the part of it that windows may cover
// (without task bars and docked tool bars) and whether it is the primary one, which has the
// desktop's origin at its top-left corner.
struct TMonitor {
  TRect BoundsRect;
  TRect WorkareaRect;
  bool Primary = false;
  int32_t Left() const noexcept { return BoundsRect.Left; }
  int32_t Top() const noexcept { return BoundsRect.Top; }
  int32_t Width() const noexcept { return BoundsRect.Width(); }
  int32_t Height() const noexcept { return BoundsRect.Height(); }
  bool operator==(const TMonitor&) const = default;
};

// Which monitor to answer when a point or a rectangle is on none.
FW_ENUM(TMonitorDefaultTo, mdNull, mdNearest, mdPrimary)

// The screen of an application: plain data that a host or a test sets and forms read when
// they place themselves. Monitors change only through SetMonitors or SetSize, which keep at
// least one monitor and exactly one primary one.
class TScreen : public TComponent {
  FW_CLASS(TScreen, TComponent)
 public:
  // A screen of one primary monitor of 1920 × 1080 whose work area is all of it.
  explicit TScreen(TComponent* AOwner);

  // The primary monitor's size.
  int32_t Width() const noexcept { return PrimaryMonitor().Width(); }
  int32_t Height() const noexcept { return PrimaryMonitor().Height(); }
  // Makes the screen one primary monitor of that size (negative sizes count as 0), its work
  // area all of it.
  void SetSize(int32_t AWidth, int32_t AHeight);
  int32_t PixelsPerInch() const noexcept { return 96; }

  int MonitorCount() const noexcept { return static_cast<int>(FMonitors.size()); }
  const TMonitor& Monitors(int Index) const { return FMonitors.at(static_cast<size_t>(Index)); }
  const TMonitor& PrimaryMonitor() const noexcept;
  // Replaces the monitors. Raises EInvalidArgument (SBadMonitors) for none, for not exactly
  // one primary or for a work area outside its monitor; the monitors stay then.
  void SetMonitors(const std::vector<TMonitor>& Value);
  // The smallest rectangle around every monitor, and around every work area.
  TRect DesktopRect() const noexcept;
  TRect DesktopWorkareaRect() const noexcept;
  // The primary monitor's work area.
  TRect WorkareaRect() const noexcept { return PrimaryMonitor().WorkareaRect; }
  // The index of the monitor containing Point; of the one sharing the largest area with Rect
  // (the first of equals). Off every monitor: -1, the nearest one or the primary one, as
  // Default says.
  int MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo Default = mdNearest) const noexcept;
  int MonitorFromRect(const TRect& Rect, TMonitorDefaultTo Default = mdNearest) const noexcept;

  // Sorted font names.
  TStrings* Fonts() const noexcept { return FFonts.get(); }
  // Input method names (none on the headless screen).
  TStrings* Imes() const noexcept { return FImes.get(); }
  // The forms and data modules made while this screen's application was current, in order.
  int FormCount() const noexcept { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
  int DataModuleCount() const noexcept { return static_cast<int>(FDataModules.size()); }
  TDataModule* DataModules(int Index) const { return FDataModules.at(static_cast<size_t>(Index)); }
  // The form shown last (null when none is shown) and its focused control.
  TCustomForm* ActiveForm() const noexcept { return FActiveForm; }
  TWinControl* ActiveControl() const noexcept;
  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor Value) noexcept { FCursor = Value; }

 private:
  friend class TCustomForm;
  friend class TDataModule;
  // Takes a form or data module being freed off the screens of every application alive.
  static void Forget(const TComponent* Component) noexcept;
  int Nearest(const TPoint& Point) const noexcept;
  std::vector<TMonitor> FMonitors;
  TOwned<TStringList> FFonts;
  TOwned<TStringList> FImes;
  std::vector<TCustomForm*> FForms;
  std::vector<TDataModule*> FDataModules;
  TCustomForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;
};

// The current application's screen (Application.h); null while no application is made.
TScreen* Screen() noexcept;

}  // namespace formwright::orx
