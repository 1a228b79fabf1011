// The render verb: the picture of a module that its design surface shows, written to a file.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/root/FormWindow.h"
#include "platform/runtime/Streams.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

using namespace orx;

constexpr int32_t MaxScale = 8;

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

// The surface showing R's module; the session opens every module with one.
TOrxDesignSurface& SurfaceOf(TReferenceRoot& R) {
  auto* Surface = dynamic_cast<TOrxDesignSurface*>(R.Surface().Get());
  if (!Surface) throw Exception(Format("%s is not shown on a design surface", R.GetRootName()));
  return *Surface;
}

// The options the module's designer window was given, else the designer's defaults.
TDesignerOptions OptionsOf(TReferenceRoot& R) {
  auto* Window = dynamic_cast<TOrxFormWindow*>(R.FormWindow().Get());
  return Window ? Window->Options() : TDesignerOptions{};
}

// The picture as the bytes of a PNG file, drawn through a temporary file of its own: the
// pictures then reach their files together with the session's other writes, or none does.
String PngData(TBitmap& Picture) {
  String Temp = (std::filesystem::temp_directory_path() / "formwright-XXXXXX").string();
  const int Fd = mkstemp(Temp.data());
  if (Fd < 0) throw Exception("cannot make a temporary file for the picture");
  close(Fd);
  struct TRemove {
    const String& File;
    ~TRemove() { std::remove(File.c_str()); }
  } Remove{Temp};
  Picture.SaveToPng(Temp);
  std::ifstream In(Temp, std::ios::binary);
  std::ostringstream Bytes;
  Bytes << In.rdbuf();
  return Bytes.str();
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
  // Only a picture is ever written: a module's form file or unit named by mistake stays.
  if (!Output.empty() && !(Output.size() > 4 && SameText(Output.substr(Output.size() - 4), ".png")))
    throw EUsage(Format("-o names the .png picture to write, not '%s'", Output));
  // Every picture is drawn before any is written, and all are written when the session saves,
  // together: a module that cannot be drawn or a picture that cannot be written leaves no
  // picture behind.
  std::vector<std::pair<String, TBitmap*>> Pictures;
  for (const String& File : Files) {
    TReferenceRoot& R = Session.Module(File);
    TSurfacePicture How{Scale, OptionsOf(R), {}};
    if (!Handles.empty()) How.Selection = Session.Components(R, Handles);
    TOrxDesignSurface& Surface = SurfaceOf(R);
    Surface.PaintPicture(How);
    Pictures.emplace_back(Output.empty() ? DefaultPicture(File) : Output, &Surface.Picture());
  }
  IPtr<IModuleFileSystem> Disk = Session.Host().Designer()->GetFileSystem();
  for (size_t I = 0; I < Pictures.size(); ++I) {
    const auto& [Name, Picture] = Pictures[I];
    Session.SaveWithModules([Disk, Name = Name, Data = PngData(*Picture)] {
      TStringStream S(Data);
      Disk->WriteFile(String(), Name, &S);
    });
    Out.Say(Format("%s: rendered %d x %d to %s", Files[I], Picture->Width(), Picture->Height(), Name),
            json{{"file", Files[I]},
                 {"picture", Name},
                 {"width", Picture->Width()},
                 {"height", Picture->Height()}});
  }
}

}  // namespace formwright::tool
