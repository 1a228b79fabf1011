#include "platform/orx/ControlPaint.h"

#include <cctype>

#include "platform/orx/Forms.h"
#include "platform/orx/Menus.h"

namespace formwright::orx {

namespace {

bool Shows(const TControl* Control) {
  return Control->Visible() || Control->ComponentState().Contains(csDesigning);
}

void Line(TCanvas& Canvas, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
  Canvas.MoveTo(X1, Y1);
  Canvas.LineTo(X2, Y2);
}

}  // namespace

TPoint ClientOffset(const TControl* Control) {
  if (const auto* Form = dynamic_cast<const TCustomForm*>(Control)) {
    const TRect M = Form->NonClientMargins();
    return {M.Left, M.Top};
  }
  return {};
}

String StripAccelChars(std::string_view S) {
  String R;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '&') {
      if (I + 1 < S.size() && S[I + 1] == '&') R += S[++I];
      continue;
    }
    R += S[I];
  }
  return R;
}

void DrawEdge(TCanvas& Canvas, const TRect& R, bool Raised) {
  if (R.IsEmpty()) return;
  Canvas.Pen()->SetColor(Raised ? clLight : clShadow);
  Line(Canvas, R.Left, R.Bottom - 1, R.Left, R.Top);
  Line(Canvas, R.Left, R.Top, R.Right - 1, R.Top);
  Canvas.Pen()->SetColor(Raised ? clShadow : clLight);
  Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
  Line(Canvas, R.Right - 1, R.Bottom - 1, R.Left - 1, R.Bottom - 1);
}

void DrawEdge2(TCanvas& Canvas, const TRect& R, bool Raised) {
  DrawEdge(Canvas, R, Raised);
  const TRect Inner{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  if (Raised) {
    DrawEdge(Canvas, Inner, true);
    return;
  }
  // A sunken box: a dark inner shadow and a mid-light inner lit edge.
  if (Inner.IsEmpty()) return;
  Canvas.Pen()->SetColor(clDarkShadow);
  Line(Canvas, Inner.Left, Inner.Bottom - 1, Inner.Left, Inner.Top);
  Line(Canvas, Inner.Left, Inner.Top, Inner.Right - 1, Inner.Top);
  Canvas.Pen()->SetColor(clMidLight);
  Line(Canvas, Inner.Right - 1, Inner.Top, Inner.Right - 1, Inner.Bottom - 1);
  Line(Canvas, Inner.Right - 1, Inner.Bottom - 1, Inner.Left - 1, Inner.Bottom - 1);
}

void PaintControl(TCanvas& Canvas, TControl* Control, const TClientPainter& Client) {
  TCanvasStateScope State(Canvas);
  Canvas.IntersectClipRect(Rect(0, 0, Control->Width(), Control->Height()));
  Canvas.SetFont(Control->Font());
  Control->PaintTo(Canvas);
  auto* Parent = dynamic_cast<TWinControl*>(Control);
  if (!Parent) return;
  const TPoint Offset = ClientOffset(Control);
  Canvas.SetOrigin({Canvas.Origin().X + Offset.X, Canvas.Origin().Y + Offset.Y});
  Canvas.IntersectClipRect(Control->ClientRect());
  if (Client) {
    TCanvasStateScope Own(Canvas);
    Client(Canvas, Parent);
  }
  const TRect ClientClip = Canvas.ClipRect();
  const TPoint ClientOrigin = Canvas.Origin();
  // Controls(i) lists the labels and shapes first, then the windowed controls: back to front.
  for (int I = 0; I < Parent->ControlCount(); ++I) {
    TControl* Child = Parent->Controls(I);
    Canvas.SetOrigin({ClientOrigin.X + Child->Left(), ClientOrigin.Y + Child->Top()});
    Canvas.SetClipRect({ClientClip.Left - Child->Left(), ClientClip.Top - Child->Top(),
                        ClientClip.Right - Child->Left(), ClientClip.Bottom - Child->Top()});
    if (Shows(Child)) PaintControl(Canvas, Child, Client);
  }
}

void PaintComponentIcon(TCanvas& Canvas, const TComponent* Component, int32_t X, int32_t Y, bool ShowName) {
  TCanvasStateScope State(Canvas);
  const TRect Box = Bounds(X, Y, ComponentIconSize, ComponentIconSize);
  Canvas.Brush()->SetColor(clFace);
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.FillRect(Box);
  Canvas.Pen()->SetColor(clDarkShadow);
  Canvas.FrameRect(Box);
  DrawEdge(Canvas, {Box.Left + 1, Box.Top + 1, Box.Right - 1, Box.Bottom - 1}, true);
  // The capitals of the class name after its prefix letter, at most three.
  String Glyph;
  const String Class = Component->ClassName();
  for (size_t I = 1; I < Class.size() && Glyph.size() < 3; ++I)
    if (std::isupper(static_cast<unsigned char>(Class[I]))) Glyph += Class[I];
  if (Glyph.empty() && Class.size() > 1) Glyph = Class.substr(1, 1);
  Canvas.Font()->SetColor(clFaceText);
  Canvas.Font()->SetStyle(TFontStyles{fsBold});
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.TextRect(Box, Glyph, thCenter, tvCenter);
  Canvas.Font()->SetStyle(TFontStyles{});
  if (!ShowName) return;
  const int32_t W = Canvas.TextWidth(Component->Name());
  Canvas.TextOut(X + (ComponentIconSize - W) / 2, Box.Bottom + 2, Component->Name());
}

// ----- Forms ----------------------------------------------------------------------------------

void TCustomForm::PaintTo(TCanvas& Canvas) {
  const TRect M = NonClientMargins();
  const TRect All = Rect(0, 0, Width(), Height());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(clFace);
  Canvas.FillRect(All);
  if (M.Left > 0) {
    Canvas.Pen()->SetColor(clWindowFrame);
    Canvas.FrameRect(All);
    DrawEdge(Canvas, {1, 1, All.Right - 1, All.Bottom - 1}, true);
  }
  const int32_t MenuBar = FMenu && FMenu->Items()->Count() > 0 ? 20 : 0;
  const int32_t CaptionH = M.Top - M.Left - MenuBar;
  if (CaptionH > 0) {
    const TRect Bar{M.Left, M.Left, All.Right - M.Right, M.Left + CaptionH - 1};
    Canvas.Brush()->SetColor(clActiveTitle);
    Canvas.FillRect(Bar);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetColor(clActiveTitleText);
    Canvas.Font()->SetStyle(TFontStyles{fsBold});
    Canvas.TextRect({Bar.Left + 6, Bar.Top, Bar.Right, Bar.Bottom}, Caption(), thLeft, tvCenter);
    Canvas.Font()->SetStyle(TFontStyles{});
    // The border icons, right to left: close, maximize, minimize.
    const int32_t S = CaptionH - 6;
    int32_t X = Bar.Right - 3 - S;
    const char* Glyphs[] = {"x", "\u25a1", "_"};
    const bool Shown[] = {FBorderIcons.Contains(biSystemMenu), FBorderIcons.Contains(biMaximize),
                          FBorderIcons.Contains(biMinimize)};
    for (int I = 0; I < 3; ++I) {
      if (!Shown[I] || (I > 0 && !FBorderIcons.Contains(biSystemMenu))) continue;
      const TRect Button = Bounds(X, Bar.Top + 3, S, S);
      Canvas.Brush()->SetStyle(bsSolid);
      Canvas.Brush()->SetColor(clFace);
      Canvas.FillRect(Button);
      DrawEdge(Canvas, Button, true);
      Canvas.Brush()->SetStyle(bsClear);
      Canvas.Font()->SetColor(clFaceText);
      Canvas.TextRect(Button, Glyphs[I], thCenter, tvCenter);
      X -= S + 2;
    }
  }
  if (MenuBar > 0) {
    // The menu bar: the visible top-level items' captions, left to right.
    const TRect Bar{M.Left, M.Top - MenuBar, All.Right - M.Right, M.Top};
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clMenuBar);
    Canvas.FillRect(Bar);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetColor(clMenuText);
    int32_t X = Bar.Left + 7;
    const TMenuItem* Items = FMenu->Items();
    for (int I = 0; I < Items->Count(); ++I) {
      const TMenuItem* Item = Items->Items(I);
      if (!Item->Visible()) continue;
      const String Text = StripAccelChars(Item->Caption());
      Canvas.TextRect(Bar, X, Bar.Top + (MenuBar - Canvas.TextHeight(Text)) / 2, Text);
      X += Canvas.TextWidth(Text) + 14;
    }
  }
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Color());
  const TRect Client = ClientRect();
  Canvas.FillRect({M.Left, M.Top, M.Left + Client.Width(), M.Top + Client.Height()});
}

}  // namespace formwright::orx
