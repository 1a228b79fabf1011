// The host IDE's side of the designer: what only the host knows (source, files, options,
// time, other modules) and the questions only a person can answer. The module designer calls
// these interfaces; the reference headless host (host/) implements all of them, and
// an IDE or a tool may supply its own.
#pragma once

#include <functional>

#include "contracts/DesignIntf.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/Streams.h"

namespace formwright {

// Raised when the designer refuses an operation (a rename, a delete, a save); the message is for
// the user.
FW_EXCEPTION(EComponentDesignerException, Exception);

// Options of the visual designer, read from the environment.
struct TDesignerOptions {
  bool DisplayGrid = true;
  bool SnapToGrid = true;
  bool UseDesignerGuidelines = true;
  int32_t GridSizeX = 8;
  int32_t GridSizeY = 8;
  bool ShowComponentCaptions = false;
  bool ShowDesignerHints = true;
  // Form-file format of new modules: 0 binary, 1 text.
  uint8_t PFMFormat = 1;
  bool ShowNonVisualComponents = true;
  bool ShowExtendedControlHints = false;
};

// Notify codes a module receives from its designer.
inline constexpr int ncFormModified = 3;
inline constexpr int ncFormSaving = 8;

struct THostQuestions;
class TCustomIniFile;

// The design environment of the host: class lookup, time, opening modules, notices.
struct IDesignEnvironment : virtual IInterface {
  FW_INTERFACE(IDesignEnvironment, IInterface, "{7A2F4C00-1001-4E0A-8B11-3D5E00000001}")
  // The class of that name the environment can design with (registered or otherwise known);
  // null when unknown.
  virtual TClass FindDesignClass(const String& ClassName) = 0;
  // A time stamp that grows with every call: modifications and file times compare with it.
  virtual int64_t GetCurrentTimeStamp() = 0;
  // Opens the module whose root component is named RootName, when the environment knows one.
  // Returns whether a module was opened.
  virtual bool OpenRootModule(const String& RootName) = 0;
  // A component (or a root) of some open module was renamed.
  virtual void ComponentRenamed(const String& CurName, const String& NewName) = 0;
  // A designer became the active one.
  virtual void DesignerActivated(const IPtr<IInterface>& Designer) = 0;
  // The designer is about to delete Item from its module at the user's request (the object is
  // still whole).
  virtual void ItemDeleting(const IPtr<IInterface>& Designer, TPersistent* Item) = 0;
  // Item is leaving Designer's module, deleted or freed by its owner; it must not be kept.
  virtual void ItemDeleted(const IPtr<IInterface>& Designer, TPersistent* Item) = 0;
  virtual TDesignerOptions GetDesignerOptions() = 0;
  // Environment questions a designer passes on unchanged.
  virtual String GetBaseRegKey() = 0;
  virtual String GetPathAndBaseExeName() = 0;
  virtual String GetPrivateDirectory() = 0;
  virtual String GetAppDataDirectory() = 0;
  virtual Variant GetIDEOption(const String& Name) = 0;
  // The IDE's options as an ini file owned by the environment; null when it keeps none.
  virtual TCustomIniFile* GetIDEOptions() = 0;
  // The answers every question a designer of this environment would put to a person. There
  // is one registry per environment: every root of every designer manager over it reads these.
  virtual const THostQuestions& GetQuestions() = 0;
};

// What the host tells a module's source about one component or the root: its class, path and
// events, handed out by the designer when the module is told of a rename.
struct ICompInfo : virtual IInterface {
  FW_INTERFACE(ICompInfo, IInterface, "{7A2F4C00-1002-4E0A-8B11-3D5E00000002}")
  virtual String GetClassName() = 0;
  // The class name qualified with its unit ("Unit1.TForm1").
  virtual String GetQualifiedClassName() = 0;
  virtual TPersistent* GetComponentHandle() = 0;
  virtual String GetNamePath() = 0;
  virtual int GetEventCount() = 0;
  virtual PPropInfo GetEventInfo(int Index) = 0;
  virtual String GetEventName(int Index) = 0;
  virtual IPtr<IEventInfo> GetIEventInfo(int Index) = 0;
  // The handler name the event holds when its method belongs to the root; else empty.
  virtual String GetEventValue(int Index) = 0;
  virtual void ClearEvent(int Index) = 0;
  virtual int GetSubInfoCount() = 0;
  virtual IPtr<ICompInfo> GetSubInfo(int Index) = 0;
};

// The host's view of a module's source: unit, handler methods, uses list, read-only state.
struct IDesignerModule : virtual IInterface {
  FW_INTERFACE(IDesignerModule, IInterface, "{7A2F4C00-1003-4E0A-8B11-3D5E00000003}")
  // The class name the source declares as the ancestor of ClassName (for example "TForm").
  virtual String GetAncestorClassName(const String& ClassName) = 0;
  virtual String GetUnitName() = 0;
  virtual bool IsSourceReadOnly() = 0;
  // Makes the source writable; false when it cannot be (the designer then refuses the edit).
  virtual bool MakeSourceWritable() = 0;
  // Brings the source up to date with the design before it is saved.
  virtual void UpdateSource() = 0;
  virtual void Modified() = 0;
  // One of the nc… codes.
  virtual void Notify(int Code) = 0;
  // Creates the handler Name with the signature of EventInfo.
  virtual void CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) = 0;
  // Every existing handler whose signature fits EventInfo, in source order.
  virtual void GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) = 0;
  virtual bool MethodExists(const String& Name) = 0;
  virtual void ShowMethod(const String& Name) = 0;
  virtual void RenameMethod(const String& CurName, const String& NewName) = 0;
  // A component was renamed: its field and the references to it follow. Raising refuses.
  virtual void ComponentRenamed(const IPtr<ICompInfo>& Info, const String& CurName,
                                const String& NewName) = 0;
  // The root was renamed: the class and its variable follow.
  virtual void RootRenamed(const IPtr<ICompInfo>& Info, const String& NewName) = 0;
  // The modules (root names) the source uses, in order.
  virtual void GetImportedRoots(const TGetStrProc& Proc) = 0;
  virtual void AddImportedRoot(const String& RootName) = 0;
  // Handler source pasted with components: Renames holds OldName=NewName pairs of handlers
  // renamed by the paste; HandlerNames receives the names of the handlers the source now has.
  virtual void PasteHandlers(const String& Source, TStrings* Renames, TStrings* HandlerNames) = 0;
  // The module's handler source of the given handlers, for copying them with components.
  virtual String CopyHandlers(const std::vector<String>& Names) = 0;
  // The designed form came back from dormancy.
  virtual void Resurrected() = 0;
};

// Told when reading a module changed it (a reader error was ignored, an ancestor component was
// recovered): the module counts as modified.
struct IDesignerLoadingFormModified : virtual IInterface {
  FW_INTERFACE(IDesignerLoadingFormModified, IInterface, "{7A2F4C00-1004-4E0A-8B11-3D5E00000004}")
  virtual void LoadingFormModified() = 0;
};

// The names a module's source already gives to other things, which a new component or handler
// name must not take. Optional: a module that does not offer it knows of no such names.
struct IDesignerModuleNames : virtual IInterface {
  FW_INTERFACE(IDesignerModuleNames, IInterface, "{7A2F4C00-1006-4E0A-8B11-3D5E00000006}")
  // Whether the source declares Name (any letter case) as a method of the module's class
  // (handlers included, in any section), as a type, or as a field or property of the class
  // that is not a component's field.
  virtual bool DeclaresName(const String& Name) = 0;
};

// File operations on the file systems modules live in. The empty name is the ordinary disk.
struct IModuleFileSystem : virtual IInterface {
  FW_INTERFACE(IModuleFileSystem, IInterface, "{7A2F4C00-1005-4E0A-8B11-3D5E00000005}")
  // Opens the file for reading; raises EFOpenError when it cannot.
  virtual TOwned<TStream> OpenFile(const String& FileSystem, const String& FileName) = 0;
  // The file's modification time as a time stamp, or -1 when it does not exist.
  virtual int64_t FileAge(const String& FileSystem, const String& FileName) = 0;
  virtual bool FileExists(const String& FileSystem, const String& FileName) = 0;
  virtual void RenameFile(const String& FileSystem, const String& OldName, const String& NewName) = 0;
  // Replaces the file's contents with Stream from its start. A read-only file raises
  // EComponentDesignerException "'%s' is a read-only file"; a failed write leaves the file as
  // it was. Returns the file's new time stamp.
  virtual int64_t WriteFile(const String& FileSystem, const String& FileName, TStream* Stream) = 0;
  // Saves a module's form file: TimeAtLoad is the file's time stamp when the module read or
  // last wrote it (0 when unknown), ModifyTime the stamp of the module's last modification.
  // The designer has already asked whether a file changed since TimeAtLoad may be replaced;
  // this last guard refuses, with the file left as it is, when the file changed after that
  // question was answered. A host may override it to keep ModifyTime with the file.
  virtual int64_t WriteModuleFile(const String& FileSystem, const String& FileName, TStream* Stream,
                                  int64_t TimeAtLoad, int64_t ModifyTime);
};

// "'%s' has changed on disk since it was opened; it was not overwritten"
extern const char* const SFileChangedOnDisk;

// ---------------------------------------------------------------------------------------------
// Questions
//
// Every question the designer would put to a person goes through one of these hooks. The
// reference host answers each with a documented default; a test, a tool or an IDE replaces
// the answer it wants to give.

// A reader error while a module is read: 1 stops the read, 2 ignores this and every later
// error of the read, anything else ignores this one.
using TReaderErrorQuestion = std::function<int(const String& Message, const String& FormName)>;
// An inherited component the ancestor no longer has, met while FormName is read. Name may be
// changed to a candidate. 0 skips the component, 1 uses the existing component now named
// Name, 2 creates it anew (offered only when CanCreate), 3 gives up (leaves the reader's
// decision).
using TAncestorNotFoundQuestion =
    std::function<int(String& Name, const String& FormName, const String& AncestorName,
                      const String& CandidatesCommaText, bool CanCreate)>;
// Links to a module that is not open block a save: 0 removes or redirects them (then the
// redirect question runs), 1 or 2 refuse the save, 3 or more checks again.
using TFixupQuestion = std::function<int(const String& RootName, const String& MissingModule)>;
// Where links of Root to the missing module go: the name of an open module to redirect them
// to, or the empty string to remove them.
using TRedirectLinksQuestion = std::function<String(TComponent* Root, const String& MissingModule)>;
// A module's file changed on disk since the module read or last wrote it, and the module is
// being saved: true replaces the file with the module, false refuses the save and leaves the
// file as it is.
using TFileChangedQuestion = std::function<bool(const String& FileName)>;

struct THostQuestions {
  TReaderErrorQuestion ReaderError;
  TAncestorNotFoundQuestion AncestorNotFound;
  TFixupQuestion Fixup;
  TRedirectLinksQuestion RedirectLinks;
  TFileChangedQuestion FileChanged;
};

// ---------------------------------------------------------------------------------------------
// Tools services, reached through VostrelIDEServices()

// The IDE's native services: its main action list.
struct INTAServices : virtual IInterface {
  FW_INTERFACE(INTAServices, IInterface, "{7A2F4C00-2001-4E0A-8B11-3D5E00000101}")
  // The action of that component name in the main action list; null when there is none.
  virtual TComponent* FindAction(const String& Name) = 0;
};

// The palette's contexts ("NativeDesignerActive", "CodeEditorActive" …), changed in updates.
struct IOTAPaletteServices : virtual IInterface {
  FW_INTERFACE(IOTAPaletteServices, IInterface, "{7A2F4C00-2002-4E0A-8B11-3D5E00000102}")
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  virtual void AddContext(const String& Context) = 0;
  virtual void RemoveContext(const String& Context) = 0;
  virtual bool ContextActive(const String& Context) = 0;
};

// The structure view the object tree fills.
struct IOTAStructureView : virtual IInterface {
  FW_INTERFACE(IOTAStructureView, IInterface, "{7A2F4C00-2003-4E0A-8B11-3D5E00000103}")
  // The structure of the current context changed (now, or at the next idle time).
  virtual void StructureChanged(bool Deferred) = 0;
  // The selection of the current context changed.
  virtual void SelectionChanged() = 0;
};

// General IDE services: environment options by name.
struct IOTAServices : virtual IInterface {
  FW_INTERFACE(IOTAServices, IInterface, "{7A2F4C00-2004-4E0A-8B11-3D5E00000104}")
  virtual Variant GetEnvironmentOption(const String& Name) = 0;
};

// Notified of a module's events by the module services.
struct IOTAModuleNotifier : virtual IInterface {
  FW_INTERFACE(IOTAModuleNotifier, IInterface, "{7A2F4C00-2005-4E0A-8B11-3D5E00000105}")
  virtual void ModuleRenamed(const String& NewName) = 0;
  virtual void ModuleClosed() = 0;
};

// The IDE's open modules, by file name, with notifiers.
struct IOTAModuleServices : virtual IInterface {
  FW_INTERFACE(IOTAModuleServices, IInterface, "{7A2F4C00-2006-4E0A-8B11-3D5E00000106}")
  virtual bool IsModuleOpen(const String& FileName) = 0;
  // Returns a notifier index for RemoveNotifier.
  virtual int AddNotifier(const String& FileName, const IPtr<IOTAModuleNotifier>& Notifier) = 0;
  virtual void RemoveNotifier(int Index) = 0;
};

// The host's services object of the current package, queried for the interfaces above (null
// while none is set or there is no package); the host sets it when it starts.
IPtr<IInterface> VostrelIDEServices();
void SetVostrelIDEServices(const IPtr<IInterface>& Services);

}  // namespace formwright
