// The reference host's module root for the Orx framework, and a host object that opens, creates
// and saves modules headlessly: what a tool or a test uses instead of an IDE.
#pragma once

#include <functional>
#include <memory>

#include "editors/CustomModules.h"
#include "host/DesignEnvironment.h"
#include "host/FileSystems.h"
#include "host/ModuleSource.h"
#include "moduledesigner/ComponentDesigner.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/DesignPackage.h"
#include "platform/orx/Forms.h"

namespace formwright {

// A module root of the Orx framework: reads in the framework's class group, keeps new forms
// and pasted components where a person would expect them, and frees its root component
// itself. Questions go to the question registry of its design environment.
class TReferenceRoot : public TComponentRoot {
  FW_CLASS(TReferenceRoot, TComponentRoot)
 public:
  TReferenceRoot() = default;
  // Saves the form file, then the module's unit beside it when the unit changed since it was
  // read or last written. A form file or unit that changed on disk meanwhile is replaced only
  // when the host's question says so; otherwise nothing is written.
  void Save() override;
  // Whether the unit file on disk differs from the text read or last written.
  bool UnitChangedOnDisk();
  // The unit file beside the form file ("Main.pas" for "Main.fwf").
  String UnitFileName() const;
  // The unit text as read or last written (empty when there was none).
  const String& UnitTextOnDisk() const noexcept { return FUnitTextOnDisk; }
  // Records the unit text the module was opened with (the host that read it says so).
  void SetUnitTextOnDisk(String Text) { FUnitTextOnDisk = std::move(Text); }
  // The reference host's model of the module's unit; null for a module whose source is
  // another kind of object.
  TModuleSource* Source() const;
  // Chooses the component class the palette holds (null: the selection tool).
  void SetPaletteClass(TComponentClass Class) noexcept { FPaletteClass = Class; }
  TComponentClass PaletteClass() const noexcept { return FPaletteClass; }
  // The window the package made for a root that is not a window itself (a data module's,
  // say); null for a form, and while the designer is closed.
  orx::TCustomForm* HostWindow() const noexcept { return FHostWindow.get(); }

 protected:
  // The framework's class group (rooted at TControl).
  TClass HostClassGroup() override;
  // The designer window is a headless window (TOrxFormWindow) over the Orx design surface of
  // the root component; a custom module that makes windows of its own (ICustomDesignForm)
  // makes the module's host window too.
  void HostCreateDesignerWindow() override;
  // Frees the host window, before the root component goes.
  void HostDestroyDesignerWindow() override;
  // The palette's current class, when one was chosen (SetPaletteClass).
  IPtr<IInternalPaletteItem> HostCurrentPaletteItem() override;
  // A new form that inherits from no other module gets its name as caption.
  void HostInitNewRoot(TComponent* Root, const String& Name) override;
  // New components never go into an embedded frame instance or a control inside one: what an
  // instance holds belongs to its frame's module ("New components cannot be added to frame
  // instances.").
  void HostValidateParent(TComponent* Parent) override;
  // Pasted components keep their offsets from the copied area's top-left corner, which moves
  // to the target rectangle's top-left corner (nothing moves for an empty target).
  void HostPlaceComponent(TComponent* Component, const TRect& From, const TRect& To) override;
  // The form designer of the designer window's surface.
  IPtr<ISurfaceDesigner> HostFormDesigner() override;
  // Asks the environment's layout questions (ShowLayoutDialog); cancelled without one.
  void HostDialog(TDesignDialog Kind) override;
  // Reverting the selection (dmRevert) asks the environment's RevertQuestion before components
  // go; viewing as text has nothing to show headlessly.
  void HostCommand(TDesignCommand Command) override;
  // Every module gets an update manager (a TUpdateManager with this root as its callback), so
  // that modules inheriting from it follow it; embedded frame instances get one each.
  IPtr<IUpdateManager> CreateUpdateManager(TComponent* Component, TComponent* Ancestor,
                                           const IPtr<IUpdateManager>& AncestorManager) override;

 private:
  TComponentClass FPaletteClass = nullptr;
  String FUnitTextOnDisk;
  TOwned<orx::TCustomForm> FHostWindow;
};

// The custom module of frames: a frame module can be placed inside other modules.
class TFrameModule : public TCustomModule {
  FW_CLASS(TFrameModule, TCustomModule)
 public:
  using TCustomModule::TCustomModule;
  static void DeclarePublished(TClassBuilder<TFrameModule>& C);
  bool Nestable() override { return true; }
};

// Registers the Orx root base classes (TForm, TFrame, TDataModule) with the design package,
// and the data module's selection editor. Idempotent while the package runs.
void RegisterOrxModules();

// Makes the objects a reference host opens modules into: the model of a module's unit and the
// module's root. Derive from it to give the host's modules a source or a root class of your
// own (a root class must derive from TReferenceRoot); the base makes a TModuleSource and a
// TReferenceRoot.
class TReferenceModuleFactory {
 public:
  virtual ~TReferenceModuleFactory() = default;
  // The unit model of a module: unit name, the module's class and its ancestor class (both
  // empty while the unit is still to be read).
  virtual IPtr<TModuleSource> CreateSource(const String& UnitName, const String& ClassName,
                                           const String& AncestorClassName);
  // Opens the module root that `Info` describes and adds it to its designer manager, as
  // OpenComponentRoot does; raises when the module cannot be opened, leaving nothing open.
  virtual IPtr<TReferenceRoot> OpenRoot(const TRootCreateInfo& Info);
};

// A headless host: the design package, an environment, a file system and the Orx designer
// manager, with the modules it opened. Every question has the environment's default answer
// until a caller replaces it in Questions().
class TReferenceHost {
 public:
  // Told of a module root the host opened, created or is about to close.
  using TRootEvent = std::function<void(const IPtr<TReferenceRoot>& Root)>;

  // Files live on disk unless another file system is given; modules are made by the base
  // factory unless another one is given.
  explicit TReferenceHost(IPtr<IModuleFileSystem> FileSystem = nullptr,
                          std::unique_ptr<TReferenceModuleFactory> Factory = nullptr);
  ~TReferenceHost();
  TReferenceHost(const TReferenceHost&) = delete;
  TReferenceHost& operator=(const TReferenceHost&) = delete;

  // Opens the module in FileName (binary or text), with the views its view list names unless
  // WithViews is false. Raises when it cannot be read (EViewList when its views cannot be
  // opened); nothing is left open then.
  IPtr<TReferenceRoot> Open(const String& FileName, bool WithViews = true);
  // A new module whose root is named RootName, of base class AncestorClass (TForm, TFrame,
  // TDataModule) or inherited from the open module Ancestor.
  IPtr<TReferenceRoot> New(const String& RootName, const String& FileName,
                           const String& AncestorClass = "TForm",
                           const IPtr<TReferenceRoot>& Ancestor = nullptr);
  // The open module whose root component is named Name; null when none.
  IPtr<TReferenceRoot> Find(const String& Name) const;
  // Every module the host opened or created and has not closed, oldest first.
  const std::vector<IPtr<TReferenceRoot>>& Roots() const noexcept { return FRoots; }
  // Closes one module (its root goes away) or all of them.
  void Close(const IPtr<TReferenceRoot>& Root);
  void CloseAll();

  TDesignEnvironment& Environment() const noexcept { return *FEnvironment; }
  const IPtr<TComponentDesigner>& Designer() const noexcept { return FDesigner; }
  // The environment's question registry, which every root of this host asks.
  THostQuestions& Questions() noexcept { return FEnvironment->Questions; }
  // The module source of an open root (the reference host's model of its unit).
  static TModuleSource* SourceOf(const IPtr<TReferenceRoot>& Root);

  // Called after a module was opened or created and joined Roots(); an exception raised here
  // propagates and the module stays open.
  TRootEvent OnRootOpened;
  // Called before a module the host opened is closed (by Close or CloseAll).
  TRootEvent OnRootClosing;

 private:
  IPtr<TReferenceRoot> Track(IPtr<TReferenceRoot> Root);

  TDesignPackageScope FPackage{TDesignPackageScope::puCurrentIfStarted};
  std::unique_ptr<TReferenceModuleFactory> FFactory;
  IPtr<TDesignEnvironment> FEnvironment;
  IPtr<IModuleFileSystem> FFileSystem;
  IPtr<TComponentDesigner> FDesigner;
  std::vector<IPtr<TReferenceRoot>> FRoots;
  int FModuleFinder = -1;
};

}  // namespace formwright
