#include "host/DesignEnvironment.h"

#include "host/FileSystems.h"

namespace formwright {

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
