// The reference host's support of module views: the designer manager that opens view roots as
// reference roots, and the module's view list kept beside the module's form file.
#pragma once

#include "host/root/ReferenceRoot.h"

namespace formwright {

// The Orx designer manager of the reference host: view roots are opened by the host's module
// factory, like every other root of the host.
class TReferenceDesigner : public TComponentDesigner {
 public:
  TReferenceDesigner(IPtr<IDesignEnvironment> Environment, IPtr<IModuleFileSystem> FileSystem,
                     TReferenceModuleFactory& Factory);

 protected:
  IPtr<IInternalRoot> HostOpenViewRoot(const TRootCreateInfo& Info) override;

 private:
  TReferenceModuleFactory& FFactory;
};

// Raised when a module's view list file is not one (a line that names no view) or a view it
// lists cannot be opened; the message names the list file, and the line where it can.
FW_EXCEPTION(EViewList, Exception);

// The file that keeps a module's view list beside its form file ("Main.fwv" for "Main.fwf"):
// one name=value line per view, in the module's order; a view's name is an identifier (it
// names the view's root and form file).
String ViewListFileName(const String& FormFileName);
// Reads the view list of Root's module from its file (nothing without one) and opens each
// view's root. Raises EViewList when a line names no view or a view cannot be opened; the
// master stays open then.
void OpenModuleViews(TReferenceRoot& Root);
// The module file and view name whose form file FileName is ("Main.Tablet.fwf": Main.fwf and
// Tablet, when Main.fwf lists Tablet); empty strings when FileName is no listed view's file.
std::pair<String, String> ViewOfFile(IModuleFileSystem& Files, const String& FileName);
// The root of the view whose form file is FileName ("Main.Tablet.fwf": the view Tablet that
// Main.fwf lists), opening its module in Host when that is not open yet; null when FileName is
// not the form file of a listed view.
IPtr<TReferenceRoot> OpenViewFile(TReferenceHost& Host, const String& FileName);
// Writes the view list of Root's module (a master) to its file when it differs from the file's
// content; a module that never had views writes nothing.
void SaveViewList(TReferenceRoot& Root);
// The entries (view name, form-factor value) of the view list file of the module in
// FormFileName, read without opening the views; lines that name no view are left out.
std::vector<std::pair<String, String>> ListedViews(IModuleFileSystem& Files, const String& FormFileName);
// Takes the view Name (any letter case) off the view list file of the module in FormFileName
// without opening any view, so that a module whose view does not open can be edited again; the
// rest of the file stays as it was written. Raises when the list names no such view.
void UnlistView(IModuleFileSystem& Files, const String& FormFileName, const String& Name);

}  // namespace formwright
