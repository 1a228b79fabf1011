// What every service of a module root reads about the root it serves: the live root component,
// the module and designer manager it belongs to, its ancestor and update manager, its designer
// window and the flags of what the root is doing. The root owns one TRootState and its
// services; it alone sets the links (on creation, dormancy and closing), while a service sets
// only the flags its contract names.
#pragma once

#include <utility>
#include <vector>

#include "formdesigner/Selections.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

class TOTAFormEditor;

struct TRootState {
  // The root itself as the rest of the system sees it. Never kept alive from here: the root owns
  // its services, so it outlives them.
  TObject* Object = nullptr;
  IInternalRoot* Self = nullptr;
  IDesigner* Designer = nullptr;

  IPtr<IComponentDesigner> ComponentDesigner;
  // The designer manager's environment, taken when the manager is: a manager keeps the one it
  // was made with, and every rename of a module being read tells it.
  IPtr<IDesignEnvironment> DesignEnvironment;
  IPtr<IDesignerModule> Module;
  IPtr<IUpdateManager> UpdateManager;
  IPtr<IInternalRoot> AncestorRoot;
  IPtr<ICustomModule> CustomModule;
  // The module's views by name (a master view lists them; empty otherwise).
  std::vector<std::pair<String, IPtr<IInternalRoot>>> Views;
  // The master's view being designed: -1 for the master itself, else a position in Views.
  int ActiveView = -1;
  // A view root's view name; empty for a master or an ordinary module.
  String ViewName;
  String FileSystem;
  String FileName;
  // The live root component (owned by the root); null while dormant or closed.
  TComponent* Root = nullptr;
  // The designer window and the design surface it shows; none without a host window.
  IPtr<IDesignerFormWindow> FormWindow;
  IPtr<IDesignSurface> Surface;
  // The module's tools-interface form editor (owned by the root), told of modification,
  // saving and renames.
  TOTAFormEditor* FormEditor = nullptr;

  // Set while the update manager updates this module (Updating) or a designer command frees a
  // group of components (SuppressUpdate): inherited names may change then and descendants are
  // not told.
  bool Updating = false;
  bool SuppressUpdate = false;
  // False only while an ancestor or an embedded frame is replayed into this module, or the
  // update manager creates a component here.
  bool AncestorLoaded = true;
  bool Closing = false;

  IPtr<IDesigner> GetDesigner() const { return IPtr<IDesigner>(Designer); }
  // The master of a view root: its ancestor root when that root's module is this root's own;
  // none for a master or an ordinary module.
  IPtr<IInternalRoot> MasterView() const {
    return AncestorRoot && Module && AncestorRoot->GetModule() == Module ? AncestorRoot : nullptr;
  }
  // The design environment of the designer manager; null when there is none.
  const IPtr<IDesignEnvironment>& Environment() const noexcept { return DesignEnvironment; }
  // Whether the module's source is read-only.
  bool IsSourceReadOnly() const { return Module && Module->IsSourceReadOnly(); }
  // Raises "Source is read-only" unless the module's source is writable or can be made so.
  void ValidateModification() const {
    static constexpr const char* SSourceReadOnly = "Source is read-only";
    if (IsSourceReadOnly()) throw EComponentDesignerException(SSourceReadOnly);
    if (Module && !Module->MakeSourceWritable()) throw EComponentDesignerException(SSourceReadOnly);
  }
};

}  // namespace formwright
