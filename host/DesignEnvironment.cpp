#include "host/DesignEnvironment.h"

#include "host/FileSystems.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/LoadDialogs.h"

namespace formwright {

namespace {
// The modules of the project: the active designer's roots, or every designer's when none is
// active (a headless run activates none).
std::vector<String> ProjectModules() {
  std::vector<String> Names;
  auto Add = [&Names](const String& N) { Names.push_back(N); };
  IPtr<TDesigners> All = Designers();
  if (!All) return Names;
  if (IPtr<IComponentDesigner> Active = All->GetActiveDesigner()) {
    Active->GetRootNames(Add);
    return Names;
  }
  All->ForEachDesigner([&](const IPtr<IComponentDesigner>& D) {
    D->GetRootNames(Add);
    return true;
  });
  return Names;
}
}  // namespace

THostQuestions DefaultHostQuestions() {
  THostQuestions Q;
  // The read error dialog: "&Ignore" ignores this error, "Ignore &All" the rest of the read,
  // "Cancel" stops it.
  Q.ReaderError = [](const String& Message, const String& FormName) {
    const int Result = FormReadError(Message, FormName);
    return Result == orx::mrIgnore ? 0 : Result == mrIgnoreAll ? 2 : 1;
  };
  // The ancestor recovery dialog: its answer is the question's (Cancel gives 3).
  Q.AncestorNotFound = [](String& Name, const String& FormName, const String& AncestorName,
                          const String& Candidates, bool CanCreate) {
    return FormInheritenceRecovery(Name, FormName, AncestorName, Name, CanCreate, Candidates);
  };
  Q.Fixup = [](const String&, const String&) { return 1; };
  // The link redirection dialog: OK removes or redirects the links, Cancel leaves them (the
  // answer redirects them to the module they already name, which changes nothing).
  Q.RedirectLinks = [](TComponent* Root, const String& Missing) {
    String Target;
    return RedirectLinks(Root, Missing, ProjectModules(), &Target) == orx::mrOk ? Target : Missing;
  };
  Q.FileChanged = [](const String&) { return false; };
  return Q;
}

int64_t TDesignEnvironment::GetCurrentTimeStamp() { return NextTimeStamp(); }

bool TDesignEnvironment::OpenRootModule(const String& RootName) { return RootOpener && RootOpener(RootName); }

void TDesignEnvironment::ComponentRenamed(const String& CurName, const String& NewName) {
  if (!CurName.empty()) FRenames.emplace_back(CurName, NewName);
}

Variant TDesignEnvironment::GetIDEOption(const String& Name) {
  if (SameText(Name, "NewFormsAsText")) return Variant(Options.PFMFormat != 0);
  if (SameText(Name, "GridSizeX")) return Variant(Options.GridSizeX);
  if (SameText(Name, "GridSizeY")) return Variant(Options.GridSizeY);
  return Variant();
}

}  // namespace formwright
