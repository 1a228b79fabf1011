#include "platform/orx/Screen.h"

#include <algorithm>
#include <climits>

#include "platform/orx/Forms.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TScreen, "Orx.Forms")

namespace {

TRect Union(const TRect& A, const TRect& B) {
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
          std::max(A.Bottom, B.Bottom)};
}

int64_t Overlap(const TRect& A, const TRect& B) {
  const int64_t W = std::min(A.Right, B.Right) - std::max(A.Left, B.Left);
  const int64_t H = std::min(A.Bottom, B.Bottom) - std::max(A.Top, B.Top);
  return W > 0 && H > 0 ? W * H : 0;
}

bool Inside(const TRect& Inner, const TRect& Outer) {
  return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
         Inner.Bottom <= Outer.Bottom && Inner.Left <= Inner.Right && Inner.Top <= Inner.Bottom;
}

}  // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner), FFonts(new TStringList), FImes(new TStringList) {
  SetSize(1920, 1080);
  FFonts->SetSorted(true);
  for (const char* Name : {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Liberation Mono",
                           "Liberation Sans", "Liberation Serif"})
    FFonts->Add(Name);
}

void TScreen::SetSize(int32_t AWidth, int32_t AHeight) {
  const TRect R = Rect(0, 0, std::max(AWidth, 0), std::max(AHeight, 0));
  FMonitors = {TMonitor{R, R, true}};
}

const TMonitor& TScreen::PrimaryMonitor() const noexcept {
  // SetMonitors keeps exactly one primary monitor.
  return *std::find_if(FMonitors.begin(), FMonitors.end(), [](const TMonitor& M) { return M.Primary; });
}

void TScreen::SetMonitors(const std::vector<TMonitor>& Value) {
  const auto Primaries =
      std::count_if(Value.begin(), Value.end(), [](const TMonitor& M) { return M.Primary; });
  const bool AreasInside = std::all_of(
      Value.begin(), Value.end(), [](const TMonitor& M) { return Inside(M.WorkareaRect, M.BoundsRect); });
  if (Value.empty() || Primaries != 1 || !AreasInside) throw EInvalidArgument(SBadMonitors);
  FMonitors = Value;
}

TRect TScreen::DesktopRect() const noexcept {
  TRect R = FMonitors.front().BoundsRect;
  for (const TMonitor& M : FMonitors) R = Union(R, M.BoundsRect);
  return R;
}

TRect TScreen::DesktopWorkareaRect() const noexcept {
  TRect R = FMonitors.front().WorkareaRect;
  for (const TMonitor& M : FMonitors) R = Union(R, M.WorkareaRect);
  return R;
}

int TScreen::Nearest(const TPoint& Point) const noexcept {
  int Best = 0;
  int64_t BestDistance = INT64_MAX;
  for (int I = 0; I < MonitorCount(); ++I) {
    const TRect& R = FMonitors[static_cast<size_t>(I)].BoundsRect;
    // The distance to the rectangle along each axis (0 inside it), squared and added.
    const int64_t DX = Point.X < R.Left ? R.Left - Point.X : Point.X >= R.Right ? Point.X - R.Right + 1 : 0;
    const int64_t DY = Point.Y < R.Top ? R.Top - Point.Y : Point.Y >= R.Bottom ? Point.Y - R.Bottom + 1 : 0;
    if (DX * DX + DY * DY < BestDistance) {
      BestDistance = DX * DX + DY * DY;
      Best = I;
    }
  }
  return Best;
}

int TScreen::MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo Default) const noexcept {
  for (int I = 0; I < MonitorCount(); ++I) {
    const TRect& R = FMonitors[static_cast<size_t>(I)].BoundsRect;
    if (Point.X >= R.Left && Point.X < R.Right && Point.Y >= R.Top && Point.Y < R.Bottom) return I;
  }
  if (Default == mdNull) return -1;
  if (Default == mdNearest) return Nearest(Point);
  return static_cast<int>(&PrimaryMonitor() - FMonitors.data());
}

int TScreen::MonitorFromRect(const TRect& Rect, TMonitorDefaultTo Default) const noexcept {
  int Best = -1;
  int64_t BestArea = 0;
  for (int I = 0; I < MonitorCount(); ++I) {
    const int64_t Area = Overlap(Rect, FMonitors[static_cast<size_t>(I)].BoundsRect);
    if (Area > BestArea) {
      BestArea = Area;
      Best = I;
    }
  }
  if (Best >= 0) return Best;
  return MonitorFromPoint({Rect.Left + Rect.Width() / 2, Rect.Top + Rect.Height() / 2}, Default);
}

TWinControl* TScreen::ActiveControl() const noexcept {
  return FActiveForm ? FActiveForm->ActiveControl() : nullptr;
}

}  // namespace formwright::orx
