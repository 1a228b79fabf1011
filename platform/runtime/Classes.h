// The component model of the runtime: persistent objects, components with an owner, a unique
// name and owned components, free notifications, component state, the class registry with
// class groups, and the designer hook a designed root carries.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/runtime/InlineList.h"
#include "platform/runtime/NameTable.h"
#include "platform/runtime/TypInfo.h"

namespace formwright {

class TFiler;
class TReader;
class TWriter;
class TComponent;
class TPersistent;

using TPersistentClass = TClass;
using TComponentClass = TClass;

// ---------------------------------------------------------------------------------------------
// Persistent objects

// An object that can be assigned from another and streamed through its published properties.
class TPersistent : public TObject {
  FW_CLASS(TPersistent, TObject)
 public:
  // Copies `Source` into this object. The base asks `Source` to assign itself to this one and
  // raises EConvertError ("Cannot assign a %s to a %s") when neither knows how.
  virtual void Assign(TPersistent* Source);
  // The dotted path naming this object for display: the owner's path, a dot, the own part.
  virtual String GetNamePath() const;
  // The object that owns this one for naming purposes (null for none).
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Declares unpublished data a stream carries for this object (see TFiler).
  virtual void DefineProperties(TFiler* Filer) {}

 protected:
  // Copies this object into `Dest`; the base raises EConvertError.
  virtual void AssignTo(TPersistent* Dest);
};

// ---------------------------------------------------------------------------------------------
// Designer hook

// What a designed root tells its designer. The designer of a module attaches itself to the
// module's root component (TComponent::SetDesigner).
struct IDesignerNotify : virtual IInterface {
  FW_INTERFACE(IDesignerNotify, IInterface, "{B971E807-E3A6-11D1-AAB1-00C04FB16FBC}")
  // The design changed.
  virtual void Modified() = 0;
  // A component of the designed module was inserted or is being removed.
  virtual void Notification(TPersistent* AnObject, TOperation Operation) = 0;
};

// The designer's side of renames: a designer may refuse a rename by raising.
struct IDesignerHook : IDesignerNotify {
  FW_INTERFACE(IDesignerHook, IDesignerNotify, "{1E431AE4-8D13-4C3E-A1DB-2C3F3A4F6B01}")
  // Raises to refuse renaming `AComponent` (null for the root itself) from CurName to NewName.
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) = 0;
  virtual TComponent* GetRoot() = 0;
};

// Maps an interface implemented by a component back to the component.
struct IInterfaceComponentReference : virtual IInterface {
  FW_INTERFACE(IInterfaceComponentReference, IInterface, "{E28B1858-EC86-4559-8FCD-6B4F824151ED}")
  virtual TComponent* GetComponent() = 0;
};

// ---------------------------------------------------------------------------------------------
// Components

enum TComponentStates : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStates>;

enum TComponentStyles : uint8_t { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyles>;

FW_STRING_TYPE(TComponentName)

// Called once per child component by GetChildren.
using TGetChildProc = std::function<void(TComponent*)>;

// A component's name, as an owner's name index reads it.
struct TComponentNameOf {
  std::string_view operator()(const TComponent* C) const noexcept;
};

// A component: it has an owner that frees it, a name unique among its owner's components
// (ignoring case), the components it owns, and free notifications to components that refer
// to it. Components are not freed by interface reference counting.
class TComponent : public TPersistent, public virtual IInterface, public IInterfaceComponentReference {
  FW_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  static void DeclarePublished(TClassBuilder<TComponent>& C);

  TComponent* Owner() const noexcept { return FOwner; }
  TPersistent* GetOwner() const override { return FOwner; }
  const String& Name() const noexcept { return FName; }
  // Renames the component after validation (identifier, uniqueness, designer); raises
  // EComponentError and keeps the old name when refused.
  void SetName(const String& NewName);
  int32_t Tag() const noexcept { return FTag; }
  void SetTag(int32_t Value) noexcept { FTag = Value; }

  int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  const std::vector<TComponent*>& ComponentList() const noexcept { return FComponents; }
  int ComponentIndex() const noexcept;
  void SetComponentIndex(int Value);
  // The owned component of that name (ignoring case); null when absent or for an empty name.
  TComponent* FindComponent(std::string_view AName) const noexcept;

  // Makes this component the owner of `AComponent` (validating its name).
  void InsertComponent(TComponent* AComponent);
  // Gives up ownership of `AComponent` without freeing it.
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, last first.
  void DestroyComponents();
  // Marks the component as being destroyed. The components it owns are not visited: their
  // ComponentState tells csDestroying from then on, as it asks the owners above it.
  void Destroying();

  // Links this component and `AComponent` so that each is told (Notification with opRemove)
  // when the other is freed, whoever owns them. A component that keeps a reference to another
  // must ask: while an owner is destroyed, its components hear of each other's removal only
  // through these links.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // The components this one has free-notification links with.
  const TInlineList<TComponent*>& FreeNotifies() const noexcept { return FFreeNotifies; }

  // Told that `AComponent` was inserted into or is being removed from this component's
  // ownership tree, or is being freed. The base forgets references of removed components and
  // passes removals on to owned components (not while this one is being destroyed). Overrides
  // call the inherited one.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Delivers a notification to `Target`, through its class's replacement when it has one.
  // FromOwner tells the replacement that Target's owner is passing the notification on. A
  // component is told of one removal once, however many ways reach it (its owner's broadcast,
  // a free-notification link, an embedded module handing it on).
  static void Notify(TComponent* Target, TComponent* AComponent, TOperation Operation,
                     bool FromOwner = false);

  // Raises when `AComponent` (owned by this one, or null for this one) may not change its name
  // from CurName to NewName: a duplicate among the owned components, or a designer's refusal.
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  // Raises when this component may not own `AComponent`.
  virtual void ValidateContainer(TComponent* AComponent) {}
  virtual void ValidateInsert(TComponent* AComponent) {}

  // Streaming: the components to write as this component's children, in order.
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root) {}
  // The owner to give to components read as children (null: the reader's root).
  virtual TComponent* GetChildOwner() { return nullptr; }
  // The component whose children read components become (this one by default).
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetChildOrder(TComponent* Child, int Order) {}
  virtual void SetParentComponent(TComponent* Value) {}
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  // Called after the component was read from a stream; clears csLoading.
  virtual void Loaded();
  // An update from the ancestor module is about to change the component: sets csUpdating until
  // Updated. Overrides that defer work (realigning, repainting) call the inherited one.
  virtual void Updating() { IncludeState(csUpdating); }
  // The update that Updating announced is over: clears csUpdating. Overrides call the inherited
  // one first, then catch up on what they deferred.
  virtual void Updated() { ExcludeState(csUpdating); }
  // Reads the component's properties and children from `Reader` (after its name). The base
  // first gives the component the reader's parent (SetParentComponent), then reads the data.
  // Overrides that prepare for reading call the inherited one.
  virtual void ReadState(TReader* Reader);
  // Writes the component (prefix, class, name, properties, children) to `Writer`.
  virtual void WriteState(TWriter* Writer);
  // Streams the designer position of a non-visual component (DesignInfo) as "Left" and "Top"
  // when it differs from the ancestor's. Overrides call the inherited one.
  void DefineProperties(TFiler* Filer) override;

  // The component's state; it includes csDestroying from the moment this component or any
  // owner above it began to be destroyed.
  TComponentState ComponentState() const noexcept {
    TComponentState S = FComponentState;
    if (!S.Contains(csDestroying) && FOwner && FOwner->IsDestroying()) S.Include(csDestroying);
    return S;
  }
  TComponentStyle ComponentStyle() const noexcept { return FComponentStyle; }
  void IncludeState(TComponentStates S) noexcept { FComponentState.Include(S); }
  void ExcludeState(TComponentStates S) noexcept { FComponentState.Exclude(S); }
  void IncludeStyle(TComponentStyles S) noexcept { FComponentStyle.Include(S); }
  void ExcludeStyle(TComponentStyles S) noexcept { FComponentStyle.Exclude(S); }
  void SetSubComponent(bool Value) noexcept;
  // Marks the component (and by default its owned components) as designed.
  virtual void SetDesigning(bool Value, bool SetChildren = true);
  // Marks the component and its owned components as inherited from an ancestor module.
  void SetAncestor(bool Value);
  void SetInline(bool Value);
  void SetDesignInstance(bool Value);

  // Left and top of a non-visual component on its designer (low and high 16 bits).
  int32_t DesignInfo() const noexcept { return FDesignInfo; }
  void SetDesignInfo(int32_t Value) noexcept { FDesignInfo = Value; }

  // The designer attached to this component as a designed root.
  const IPtr<IDesignerHook>& Designer() const noexcept { return FDesigner; }
  void SetDesigner(IPtr<IDesignerHook> Value) noexcept { FDesigner = std::move(Value); }
  // The designer of this component's topmost owner (null when not designed).
  IPtr<IDesignerHook> FindRootDesigner() const;

  String GetNamePath() const override { return FName; }

  // IInterface: components live by ownership, not by reference counts.
  int32_t _AddRef() noexcept override { return -1; }
  int32_t _Release() noexcept override { return -1; }
  bool QueryInterface(const TGUID& IID, void** Obj) noexcept override {
    return QueryInterfaceByCast(this, IID, Obj);
  }
  TComponent* GetComponent() override { return this; }

 protected:
  void BeforeDestruction() override;
  // Sets the name without validation (used after validation and by stream readers).
  virtual void ChangeName(const String& NewName);
  // Told when this component starts or stops being referred to by its owner's fields.
  virtual void SetReference(bool Enable) {}

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void IndexName(TComponent* AComponent, const String& OldName);
  void RemoveNotification(TComponent* AComponent);
  void RemoveFreeNotifications();
  void TearDown() noexcept;
  // Whether this component or an owner above it is being destroyed.
  bool IsDestroying() const noexcept {
    for (const TComponent* C = this; C; C = C->FOwner)
      if (C->FComponentState.Contains(csDestroying)) return true;
    return false;
  }

  TComponent* FOwner = nullptr;
  // This component's place in its owner's list (-1 without owner), so that ComponentIndex is
  // constant-time.
  int FIndex = -1;
  // Beside the owner: a component's state is read with its owner's (ComponentState).
  TComponentState FComponentState;
  String FName;
  int32_t FTag = 0;
  std::vector<TComponent*> FComponents;
  // Owned components by name, so that name lookups stay constant-time.
  TNameTable<TComponent, TComponentNameOf> FNameIndex;
  TInlineList<TComponent*> FFreeNotifies;
  TComponentStyle FComponentStyle{csInheritable};
  int32_t FDesignInfo = 0;
  IPtr<IDesignerHook> FDesigner;
  // The components told of this component's removal while it is being freed and free
  // notifications may reach them besides the owner's broadcast (a record TearDown keeps on its
  // stack); null otherwise.
  class TToldOfRemoval;
  TToldOfRemoval* FToldOfRemoval = nullptr;
  bool FTornDown = false;
};

// Whether C (null allowed) is a sub-component: a component owned by a property of another,
// streamed and designed as part of it.
inline bool IsSubComponent(const TComponent* C) noexcept {
  return C && C->ComponentStyle().Contains(csSubComponent);
}

// ---------------------------------------------------------------------------------------------
// Default values

// Answers the ancestor counterpart of the object whose properties are tested, and the roots
// that references are resolved against.
using TGetLookupInfoEvent = std::function<void(TPersistent*& Ancestor, TComponent*& Root,
                                               TComponent*& LookupRoot, TComponent*& RootAncestor)>;

// Whether the property holds the value a stream writer would leave out: the ancestor's value
// when the lookup names a valid ancestor, else the declared default (ordinals), zero (numbers),
// empty (strings, variants), nil (methods, interfaces and component references). A non-nil
// persistent sub-object is never default by itself: its own properties decide.
bool IsDefaultPropertyValue(TObject* Instance, PPropInfo PropInfo,
                            const TGetLookupInfoEvent& OnGetLookupInfo);

// ---------------------------------------------------------------------------------------------
// Class registry and class groups
//
// Registered classes are found by name for stream reading. Classes are partitioned into
// groups: the default group (rooted at TPersistent) and one group per framework, started with
// StartClassGroup and widened with GroupDescendentsWith. A lookup searches the active group,
// then the default group; classes of an inactive framework group are not found.

// Registers a class; registering the same class twice is harmless, another class of the same
// name in the same group raises EFilerError.
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> Classes);
// Removes the class from the registry.
void UnRegisterClass(TClass AClass);
// The registered class of that name (ignoring case); raises EClassNotFound when absent.
TClass FindClass(std::string_view ClassName);
// The registered class of that name; null when absent.
TClass GetClass(std::string_view ClassName);
void StartClassGroup(TClass AClass);
void GroupDescendentsWith(TClass AClass, TClass AClassGroup);
// The root class of the group `AClass` belongs to.
TClass ClassGroupOf(TClass AClass);
TClass ClassGroupOf(const TObject* Instance);
// Makes the group of `AClass` active; returns the root class of the previously active group.
TClass ActivateClassGroup(TClass AClass);
TClass ActiveClassGroup();

// Keeps a class group active for a scope and restores the previous one.
class TClassGroupScope {
 public:
  explicit TClassGroupScope(TClass AClass) : FPrevious(ActivateClassGroup(AClass)) {}
  ~TClassGroupScope() { ActivateClassGroup(FPrevious); }
  TClassGroupScope(const TClassGroupScope&) = delete;
  TClassGroupScope& operator=(const TClassGroupScope&) = delete;

 private:
  TClass FPrevious;
};

// Finds registered classes of the group of a given class (and, on request, of the active
// group), plus the default group.
class TClassFinder {
 public:
  explicit TClassFinder(TClass AClass = nullptr, bool AIncludeActiveGroups = false);
  TClass GetClass(std::string_view ClassName) const;
  void GetClasses(const std::function<void(TClass)>& Proc) const;

 private:
  std::vector<const void*> FGroups;
};

}  // namespace formwright
