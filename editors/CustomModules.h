// Custom modules adapt the designer to a kind of root (form, data module, frame): its
// attributes, its verbs and the component classes it accepts. Also the class-name helpers the
// designer uses to compare classes across packages, and the drop target that stands in front
// of a design window's own one.
#pragma once

#include <memory>

#include "contracts/DesignIntf.h"

namespace formwright {

// Base of custom modules. The defaults: no attributes and no verbs, not nestable, nothing to
// do when the module is saved, and a component class is accepted when the class registry,
// searched from the class group of the root (or of the root's owner), resolves its name to
// that very class.
//
// A derived module declares itself with FW_CLASS, gives it
// `static void DeclarePublished(TClassBuilder<T>& C) { DeclareEditorFactory(C); }` and is
// registered with RegisterCustomModule for the root base class it serves.
class TCustomModule : public TBaseCustomModule, public virtual ICustomModule {
  FW_CLASS(TCustomModule, TBaseCustomModule)
 public:
  // The module neither owns `ARoot` nor keeps it alive; the module's designer frees the module
  // before the root.
  TCustomModule(TComponent* ARoot, const IPtr<IDesigner>& ADesigner);
  ~TCustomModule() override;
  static void DeclarePublished(TClassBuilder<TCustomModule>& C);

  // The class whose class group decides which component classes the module accepts: the
  // class of the root's owner when the root has one, else the root's own class.
  virtual TPersistentClass GetFinderClass();
  // Runs verb `Index`; the base has none and does nothing.
  void ExecuteVerb(int Index) override;
  // Empty in the base.
  TCustomModuleAttributes GetAttributes() override;
  // The caption of verb `Index`; empty in the base.
  String GetVerb(int Index) override;
  // Number of verbs; 0 in the base.
  int GetVerbCount() override;
  // The module is about to be saved; the base does nothing.
  void Saving() override;
  // Adjusts the menu item made for verb `Index`; the base leaves it alone.
  void PrepareItem(int Index, const IPtr<IMenuItem>& AItem) override;
  // Raises ENonAIRException "Class %s is not applicable to this module" unless
  // ValidateComponentClass accepts the component's class.
  void ValidateComponent(TComponent* Component) override;
  // True when the class registry, searched as the module's finder searches it (the finder
  // class's group, then the default group; not the active group), resolves the class's name
  // to the class itself. A design-time proxy class is judged by its nearest ancestor that is
  // not a proxy.
  bool ValidateComponentClass(TComponentClass ComponentClass) override;
  // False in the base: the module's roots cannot be embedded in other modules.
  bool Nestable() override;

  TComponent* Root() const noexcept { return FRoot; }

 protected:
  TComponent* FRoot;
  IPtr<IDesigner> FDesigner;

 private:
  std::unique_ptr<TClassFinder> FFinder;
  TClass FFinderClass = nullptr;  // the class FFinder was made for
};

// Stands in front of another drop target (a design window's previous one): every call goes
// to it unchanged and its result comes back; without one every call succeeds (0) and does
// nothing.
class TDesignerOleDropTarget : public TInterfacedObject, public IDropTarget {
  FW_CLASS(TDesignerOleDropTarget, TInterfacedObject)
 public:
  explicit TDesignerOleDropTarget(const IPtr<IDropTarget>& AOldDropTarget);
  int32_t DragEnter(const IPtr<IInterface>& DataObj, uint32_t KeyState, TPoint Pt, uint32_t& Effect) override;
  int32_t DragOver(uint32_t KeyState, TPoint Pt, uint32_t& Effect) override;
  int32_t DragLeave() override;
  int32_t Drop(const IPtr<IInterface>& DataObj, uint32_t KeyState, TPoint Pt, uint32_t& Effect) override;

 private:
  IPtr<IDropTarget> FOldDropTarget;
};

// True when `ClassType` or one of its ancestors is named `ClassName` (ignoring case); false
// for null.
bool ClassInheritsFrom(TClass ClassType, const String& ClassName);

// True when `ClassType` inherits from `AncestorClass`. Otherwise false when some ancestor of
// `ClassType` carries `AncestorClass`'s name (a same-named class from another package), and
// true when none does.
bool AncestorNameMatches(TClass ClassType, TClass AncestorClass);

}  // namespace formwright
