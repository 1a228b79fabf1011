// The render verb: a module's form as the designer shows it, drawn to a picture file.
#include "contracts/HostIntf.h"
#include "platform/orx/BitmapCanvas.h"
#include "platform/orx/ControlPaint.h"
#include "platform/orx/Forms.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

using namespace orx;

constexpr int32_t MaxScale = 8;
constexpr int32_t HandleSize = 5;

int32_t ScaleOption(const TArgs& Args) {
  const String Text = Args.Value("--scale", "1");
  int64_t Scale = 0;
  if (!TryStrToInt64(Text, Scale) || Scale < 1 || Scale > MaxScale)
    throw EUsage(Format("--scale takes a whole number from 1 to %d, not '%s'", MaxScale, Text));
  return static_cast<int32_t>(Scale);
}

// The picture file a module is rendered to without -o: the module's name with ".png".
String DefaultPicture(const String& File) {
  const size_t Dot = File.find_last_of('.');
  const size_t Slash = File.find_last_of('/');
  return (Dot == String::npos || (Slash != String::npos && Dot < Slash) ? File : File.substr(0, Dot)) +
         ".png";
}

// Where a non-visual component's icon sits in the root's client area (its design information).
TPoint IconPlace(const TComponent* C) {
  const int32_t Info = C->DesignInfo();
  return {static_cast<int16_t>(Info & 0xFFFF), static_cast<int16_t>((Info >> 16) & 0xFFFF)};
}

// A component's rectangle in the picture: a control's bounds through its parents, an icon's box.
TRect PlaceOf(TComponent* C, TComponent* Root) {
  const TPoint Client = As<TControl>(Root) ? ClientOffset(As<TControl>(Root)) : TPoint{};
  auto* Ctl = As<TControl>(C);
  if (!Ctl) {
    const TPoint P = IconPlace(C);
    return Bounds(Client.X + P.X, Client.Y + P.Y, ComponentIconSize, ComponentIconSize);
  }
  if (C == Root) return Rect(0, 0, Ctl->Width(), Ctl->Height());
  TRect R = Bounds(Ctl->Left(), Ctl->Top(), Ctl->Width(), Ctl->Height());
  for (TWinControl* P = Ctl->Parent(); P && P != Root; P = P->Parent()) {
    const TPoint O = ClientOffset(P);
    R.Offset(P->Left() + O.X, P->Top() + O.Y);
  }
  R.Offset(Client.X, Client.Y);
  return R;
}

// The designer's grab handles around R: eight black squares for one selected component, the
// four corners in grey for each of several.
void PaintHandles(TCanvas& Canvas, const TRect& R, bool Single) {
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Single ? clBlack : clGray);
  const int32_t Xs[] = {R.Left, (R.Left + R.Right) / 2, R.Right - 1};
  const int32_t Ys[] = {R.Top, (R.Top + R.Bottom) / 2, R.Bottom - 1};
  for (int I = 0; I < 3; ++I)
    for (int J = 0; J < 3; ++J) {
      if (I == 1 && J == 1) continue;
      if (!Single && (I == 1 || J == 1)) continue;
      Canvas.FillRect(Bounds(Xs[I] - HandleSize / 2, Ys[J] - HandleSize / 2, HandleSize, HandleSize));
    }
}

// The grid's dots over a container's client area, every grid step from its top-left corner.
void PaintGrid(TCanvas& Canvas, TWinControl* Control, const TDesignerOptions& Options) {
  if (!Control->ControlStyle().Contains(csAcceptsControls)) return;
  const TRect Area = Control->ClientRect();
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(clBlack);
  for (int32_t Y = 0; Y < Area.Bottom; Y += std::max(Options.GridSizeY, 2))
    for (int32_t X = 0; X < Area.Right; X += std::max(Options.GridSizeX, 2))
      Canvas.FillRect(Bounds(X, Y, 1, 1));
}

// Draws Root as the designer shows it on a bitmap Scale times its size.
void RenderRoot(TBitmap& Picture, TComponent* Root, int32_t Scale, const TDesignerOptions& Options,
                const std::vector<TComponent*>& Selection) {
  auto* Form = As<TControl>(Root);
  auto* Module = As<TDataModule>(Root);
  const TSize Size = Form     ? TSize{Form->Width(), Form->Height()}
                     : Module ? TSize{Module->DesignSize().X, Module->DesignSize().Y}
                              : TSize{};
  if (Size.cx <= 0 || Size.cy <= 0)
    throw Exception(Format("%s has no area to render (%d x %d)", Root->Name(), Size.cx, Size.cy));
  Picture.SetSize(Size.cx * Scale, Size.cy * Scale);
  TBitmapCanvas Canvas(Picture, Scale);
  if (Form) {
    PaintControl(Canvas, Form, [&](TCanvas& C, TWinControl* Control) {
      if (Options.DisplayGrid) PaintGrid(C, Control, Options);
    });
  } else {
    Canvas.Brush()->SetColor(clWindow);
    Canvas.FillRect(Rect(0, 0, Size.cx, Size.cy));
  }
  if (Options.ShowNonVisualComponents) {
    const TPoint Client = Form ? ClientOffset(Form) : TPoint{};
    Root->GetChildren(
        [&](TComponent* C) {
          if (As<TControl>(C)) return;
          const TPoint P = IconPlace(C);
          PaintComponentIcon(Canvas, C, Client.X + P.X, Client.Y + P.Y, Options.ShowComponentCaptions);
        },
        Root);
  }
  for (TComponent* C : Selection) PaintHandles(Canvas, PlaceOf(C, Root), Selection.size() == 1);
}

}  // namespace

void RenderVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  const int32_t Scale = ScaleOption(Args);
  const String Output = Args.Value("-o");
  const String Handles = Args.Value("--handles");
  std::vector<String> Files = ExpandFiles(Args.TakeFiles());
  if (!Args.Positional.empty())
    throw EUsage(Format("render takes module files only, not '%s'", Args.Positional.front()));
  if (!Output.empty() && Files.size() > 1)
    throw EUsage("-o names the picture of one module; render them one by one");
  // Every picture is drawn before the first is written, so that a module that cannot be drawn
  // leaves no picture behind.
  std::vector<std::pair<String, TOwned<TBitmap>>> Pictures;
  for (const String& File : Files) {
    TReferenceRoot& R = Session.Module(File);
    const std::vector<TComponent*> Selection =
        Handles.empty() ? std::vector<TComponent*>{} : Session.Components(R, Handles);
    TOwned<TBitmap> Picture(new TBitmap);
    RenderRoot(*Picture, R.GetRoot(), Scale, TDesignerOptions{}, Selection);
    Pictures.emplace_back(Output.empty() ? DefaultPicture(File) : Output, std::move(Picture));
  }
  for (size_t I = 0; I < Pictures.size(); ++I) {
    const auto& [Name, Picture] = Pictures[I];
    Picture->SaveToPng(Name);
    Out.Say(Format("%s: rendered %d x %d to %s", Files[I], Picture->Width(), Picture->Height(), Name),
            json{{"file", Files[I]},
                 {"picture", Name},
                 {"width", Picture->Width()},
                 {"height", Picture->Height()}});
  }
}

}  // namespace formwright::tool
