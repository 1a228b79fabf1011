// One run of the program: the reference host with the modules opened so far, keyed by file.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "host/root/ReferenceRoot.h"
#include "tools/Overrides.h"

namespace formwright::tool {

// What a module file says about the modules it needs, read from its files without opening it:
// the root class named at the head of the form file ("object Form1: TForm1" → "TForm1"), the
// ancestor class the unit beside it declares ("TForm2 = class(TForm1)" → "TForm1"; empty
// without a unit or declaration) and the classes of the frames it embeds ("inline Frame11:
// TFrame1"). A form file that cannot be read names no class and no frames (opening it reports
// why).
struct TModuleFacts {
  String Class, Ancestor;
  std::vector<String> Frames;
};
// Reads the form file once, and the unit beside it when there is one.
TModuleFacts ModuleFactsOf(const String& FileName);

// The nearest ancestor of Root that was opened without its unit: the unit's file name and the
// ancestor's root name; both empty when every ancestor has its unit.
std::pair<String, String> AncestorWithoutUnit(TReferenceRoot& Root);

// How the module files of folders depend on one another: which inherit from or embed which.
// Each folder is read once.
class TModuleLinks {
 public:
  // The module files in FileName's folder that inherit from its module or embed it as a frame,
  // directly or through others, each with how it depends on it ("inherits from it").
  std::vector<std::pair<String, String>> Dependents(const String& FileName);

 private:
  struct TLinks {
    String File;
    TModuleFacts Facts;
  };
  const std::vector<TLinks>& In(const String& Folder);
  std::map<String, std::vector<TLinks>> FFolders;
};

// A session opens each module file once, together with the modules it needs (its ancestor
// module and the modules of the frames it embeds), and saves the modules the verbs changed
// only when every verb of the session succeeded: a refused edit leaves every file as it was.
//
// Questions a person would answer get fixed answers: a reader error stops the read (nothing
// of a damaged file is silently dropped), links to modules that are not open refuse the save,
// and a component the ancestor no longer has is left to the reader.
class TSession {
 public:
  // The name that stands for the root of every module ("@root.Caption=Hello").
  static constexpr const char* RootAlias = "@root";
  TSession();
  ~TSession();
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  // The open module of FileName, opening it (and what it needs) on first use. Raises when the
  // file is missing or cannot be read.
  TReferenceRoot& Module(const String& FileName);
  // The file a module was opened from, as the user named it.
  String FileOf(TReferenceRoot& Root) const;
  // The component Name (dotted through embedded frames; the root by its own name or by
  // RootAlias) of Root's module; raises when the module has none.
  TComponent* Component(TReferenceRoot& Root, const String& Name) const;
  // A comma-separated list of component names, resolved as above, without duplicates.
  std::vector<TComponent*> Components(TReferenceRoot& Root, const String& Names) const;
  // Saves Root at the end of the session even when nothing else changed it: in place in the
  // text or binary form, or, with OutFile, as a copy in that file (with its unit beside it,
  // renamed after the copy), leaving Root's own file alone. Raises when the copy's unit exists
  // and Force is not given, or when it is Root's own unit.
  void SaveAs(TReferenceRoot& Root, bool Text, const String& OutFile = String(), bool Force = false);
  // Saves every changed module, all or nothing: each is written to memory first (so that a
  // refusal stops before any file is touched), then every form and unit to a temporary file
  // beside it, and only when all are written are they put in place. Returns each file saved
  // with the form it was saved in ("text form"; ", and a new unit X.pas" after it when one was made).
  // With Handover, nothing is committed: the written temporary files are handed over in it
  // (each as file, temporary) for another process to put in place together with its own.
  std::vector<std::pair<String, String>> SaveChanged(
      std::vector<std::pair<String, String>>* Handover = nullptr);
  // The module files in FileName's folder that inherit from its module or embed it as a frame,
  // directly or through others, each with how it depends on it ("inherits from it").
  // Another module file in FileName's folder whose root class is ClassName; empty when none. A
  // folder holds one module file of each class: the modules built on one find it by its class.
  String OtherModuleOfClass(const String& FileName, const String& ClassName);
  std::vector<std::pair<String, String>> Dependents(const String& FileName) {
    return FLinks.Dependents(FileName);
  }
  // Prepares the session for verbs that edit: from now on every module opened brings the modules
  // of its folder that inherit from it or embed it (they follow its edits through their update
  // managers and are saved with it), and each text module keeps what its author's file and the
  // writer's text of it were when it was read (the modules opened so far, which reading verbs
  // left unchanged, included), so that saving it changes only the edits' lines. Reading verbs
  // skip this cost.
  void PrepareEdits();
  // Gives every module that follows others (through its ancestor or the frames it embeds), and
  // that an edit since the last call reached only by following, back the values it sets itself
  // on what it inherits (typed by earlier edits or read from its file). Run after each line of
  // a script and before saving; a module edited directly meanwhile keeps what that edit did.
  // A value whose component the edit made anew of a class without that property is lost: that
  // raises, naming each ("Settings.fwf: CancelButton.Default"), unless Drop, which returns them.
  std::vector<String> KeepFollowersOwnValues(bool Drop = false);
  // Write runs when the session saves, after the changed modules and together with them: a
  // refused or failed command leaves what it would write unwritten, like the modules' files.
  void SaveWithModules(std::function<void()> Write) { FPendingWrites.push_back(std::move(Write)); }
  // Why the views of Root's module are not open (its view list names no view, or a view does
  // not open); empty when they are. Such a module opens for verbs that only read it, and every
  // edit is refused: its views follow its edits.
  String ViewsNotOpen(TReferenceRoot& Root) const;
  // The values modules that follow others set themselves on inherited components named Name
  // (or, inside an embedded frame, "Frame.Name"), each with its module's file: what an edit
  // that makes those components anew must keep.
  std::vector<std::pair<String, TOverride>> OwnValuesOn(const String& Name) const;
  // Drops Root (a view its module removed) from the session: it is neither saved nor looked at
  // again.
  void Forget(TReferenceRoot& Root);
  // Modules opened so far, in opening order.
  std::vector<IPtr<TReferenceRoot>> Modules() const;
  TReferenceHost& Host() noexcept { return FHost; }
  // Whether this session runs a verb on some of its files for a run split across workers (-j):
  // what holds only of all of them (a class none of them uses) cannot be told here.
  bool PartOfJobs() const noexcept { return FPartOfJobs; }
  void SetPartOfJobs() noexcept { FPartOfJobs = true; }

 private:
  void OpenNeeded(const String& FileName);
  // What to add to the message of a module that failed to open: where an inherited component
  // the reader could not find was expected (the ancestor module and its file); empty otherwise.
  String AncestorNotFoundNote(const String& FileName, const String& Message);
  // Opens the modules that inherit from or embed the module of FileName (once per module); one
  // that does not open is left alone, as it was.
  void OpenDependents(const String& FileName);
  // Whether a module that follows others changed since it was read (an ancestor's or a frame's
  // edit reached it).
  bool Followed(TReferenceRoot& Root);
  void ExportModule(TReferenceRoot& Root, const String& File, const String& Data);
  // The module files in Folder whose root class is ClassName, in name order; empty when none.
  std::vector<String> FindModuleOfClass(const String& Folder, const String& ClassName);

  IPtr<TDiskFileSystem> FFiles;  // before FHost, which writes through it
  TReferenceHost FHost;
  std::vector<std::pair<String, IPtr<TReferenceRoot>>> FModules;  // (file as named, root)
  std::map<String, size_t> FIndex;                                // canonical path -> FModules
  std::set<String> FOpening;
  struct TExport {
    TReferenceRoot* Root;
    String File;
    bool Text;
  };
  std::map<TReferenceRoot*, bool> FForced;  // module -> saved as text
  std::vector<TExport> FExports;
  std::map<String, std::map<String, std::vector<String>>> FClassFiles;  // folder -> class (lower) -> files
  TModuleLinks FLinks;
  std::set<String> FDependentsOpened;  // canonical paths whose dependents are open
  // A module that follows an ancestor or frames: its stream (in its own form) as it was read.
  std::map<TReferenceRoot*, String> FFollowerData;
  // What such a module was when last checked: its modify time, its stream and the values it
  // sets itself on what it inherits.
  struct TOwnValues {
    int64_t ModifyTime = 0;
    String Data;
    std::vector<TOverride> Overrides;
  };
  std::map<TReferenceRoot*, TOwnValues> FOwnValues;
  int64_t FLatestModifyTime = 0;  // the latest modify time of a module when last checked
  // A text module's file as its author wrote it and the writer's text of the module as read:
  // saving it writes into the author's file only what the edits changed.
  struct TAuthorText {
    String File;
    String Loaded;
  };
  std::map<TReferenceRoot*, TAuthorText> FAuthorText;
  bool FEditing = false;
  bool FPartOfJobs = false;
  std::map<TReferenceRoot*, String> FViewsNotOpen;  // module -> why its views are not open
  std::vector<std::function<void()>> FPendingWrites;
  void KeepAuthorText(const String& FileName, TReferenceRoot& Root);
};

// The module files (.fwf) in Folder, sorted, as paths in Folder (bare names for ".").
std::vector<String> ModuleFilesIn(const String& Folder);
// The root class named at the head of a module file ("object Form1: TForm1" → "TForm1"), for
// text and binary files alike; empty when the file cannot be read.
String ModuleClassOf(const String& FileName);
// The module file as text (binary files converted); raises when it cannot be read.
String ModuleText(const String& FileName);
// A component stream in the text form (a binary one converted).
String StreamText(const String& Data);

}  // namespace formwright::tool
