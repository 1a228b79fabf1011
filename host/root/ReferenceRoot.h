// The reference host's module root for the Orx framework, and a host object that opens, creates
// and saves modules headlessly: what a tool or a test uses instead of an IDE.
#pragma once

#include "editors/CustomModules.h"
#include "host/DesignEnvironment.h"
#include "host/FileSystems.h"
#include "host/ModuleSource.h"
#include "moduledesigner/ComponentDesigner.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/DesignPackage.h"

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
  String FUnitTextOnDisk;

 protected:
  // The framework's class group (rooted at TControl).
  TClass HostClassGroup() override;
  // The designer window is a headless window (TOrxFormWindow) over the Orx design surface of
  // the root component.
  void HostCreateDesignerWindow() override;
  // The palette's current class, when one was chosen (SetPaletteClass).
  IPtr<IInternalPaletteItem> HostCurrentPaletteItem() override;

 public:
  // Chooses the component class the palette holds (null: the selection tool).
  void SetPaletteClass(TComponentClass Class) noexcept { FPaletteClass = Class; }

 protected:
  TComponentClass FPaletteClass = nullptr;
  // A new form that inherits from no other module gets its name as caption.
  void HostInitNewRoot(TComponent* Root, const String& Name) override;
  // New components never go into an embedded frame instance or a control inside one: what an
  // instance holds belongs to its frame's module ("New components cannot be added to frame
  // instances.").
  void HostValidateParent(TComponent* Parent) override;
  // Pasted components keep their offsets from the copied area's top-left corner, which moves
  // to the target rectangle's top-left corner (nothing moves for an empty target).
  void HostPlaceComponent(TComponent* Component, const TRect& From, const TRect& To) override;
};

// The custom module of frames: a frame module can be placed inside other modules.
class TFrameModule : public TCustomModule {
  FW_CLASS(TFrameModule, TCustomModule)
 public:
  using TCustomModule::TCustomModule;
  static void DeclarePublished(TClassBuilder<TFrameModule>& C);
  bool Nestable() override { return true; }
};

// Registers the Orx root base classes (TForm, TFrame, TDataModule) with the design package.
// Idempotent while the package runs.
void RegisterOrxModules();

// A headless host: the design package, an environment, a file system and the Orx designer
// manager, with the modules it opened. Every question has the environment's default answer
// until a caller replaces it in Questions().
class TReferenceHost {
 public:
  // Files live on disk unless another file system is given.
  explicit TReferenceHost(IPtr<IModuleFileSystem> FileSystem = nullptr);
  ~TReferenceHost();
  TReferenceHost(const TReferenceHost&) = delete;
  TReferenceHost& operator=(const TReferenceHost&) = delete;

  // Opens the module in FileName (binary or text). Raises when it cannot be read; nothing is
  // left open then.
  IPtr<TReferenceRoot> Open(const String& FileName);
  // A new module whose root is named RootName, of base class AncestorClass (TForm, TFrame,
  // TDataModule) or inherited from the open module Ancestor.
  IPtr<TReferenceRoot> New(const String& RootName, const String& FileName,
                           const String& AncestorClass = "TForm",
                           const IPtr<TReferenceRoot>& Ancestor = nullptr);
  // The open module whose root component is named Name; null when none.
  IPtr<TReferenceRoot> Find(const String& Name) const;
  // Closes one module (its root goes away) or all of them.
  void Close(const IPtr<TReferenceRoot>& Root);
  void CloseAll();

  TDesignEnvironment& Environment() const noexcept { return *FEnvironment; }
  const IPtr<TComponentDesigner>& Designer() const noexcept { return FDesigner; }
  // The environment's question registry, which every root of this host asks.
  THostQuestions& Questions() noexcept { return FEnvironment->Questions; }
  // The module source of an open root (the reference host's model of its unit).
  static TModuleSource* SourceOf(const IPtr<TReferenceRoot>& Root);

 private:
  TDesignPackageScope FPackage;
  IPtr<TDesignEnvironment> FEnvironment;
  IPtr<IModuleFileSystem> FFileSystem;
  IPtr<TComponentDesigner> FDesigner;
  std::vector<IPtr<TReferenceRoot>> FRoots;
};

}  // namespace formwright
