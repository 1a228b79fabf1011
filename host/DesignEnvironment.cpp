#include "host/DesignEnvironment.h"

#include "host/FileSystems.h"

namespace formwright {

const char* const SFileChangedOnDisk = "'%s' has changed on disk since it was opened; it was not overwritten";

int64_t IModuleFileSystem::WriteModuleFile(const String& FileSystem, const String& FileName, TStream* Stream,
                                           int64_t TimeAtLoad, int64_t /*ModifyTime*/) {
  if (TimeAtLoad != 0) {
    const int64_t Age = FileAge(FileSystem, FileName);
    if (Age != -1 && Age != TimeAtLoad)
      throw EComponentDesignerException(Format(SFileChangedOnDisk, FileName));
  }
  return WriteFile(FileSystem, FileName, Stream);
}

THostQuestions DefaultHostQuestions() {
  THostQuestions Q;
  Q.ReaderError = [](const String&, const String&) { return 1; };
  Q.AncestorNotFound = [](String&, const String&, const String&) { return 3; };
  Q.Fixup = [](const String&, const String&) { return 1; };
  Q.RedirectLinks = [](TComponent*, const String&) { return String(); };
  Q.FileChanged = [](const String&) { return false; };
  return Q;
}

int64_t TDesignEnvironment::GetCurrentTimeStamp() { return NextTimeStamp(); }

bool TDesignEnvironment::OpenRootModule(const String& RootName) { return RootOpener && RootOpener(RootName); }

void TDesignEnvironment::ComponentRenamed(const String& CurName, const String& NewName) {
  FRenames.emplace_back(CurName, NewName);
}

Variant TDesignEnvironment::GetIDEOption(const String& Name) {
  if (SameText(Name, "NewFormsAsText")) return Variant(Options.PFMFormat != 0);
  if (SameText(Name, "GridSizeX")) return Variant(Options.GridSizeX);
  if (SameText(Name, "GridSizeY")) return Variant(Options.GridSizeY);
  return Variant();
}

}  // namespace formwright
