// One node of a descendant module's update tree: for one component (or one sub-object reached
// through a class-typed property) of the descendant, the properties that still follow the
// ancestor's value, the defined properties that do (through its TUpdateFiler), whether its
// collection and its place among its siblings still follow, and the nodes of its inherited
// children and sub-objects.
#pragma once

#include <memory>
#include <vector>

#include "inheritance/UpdateContext.h"
#include "platform/runtime/Classes.h"
#include "platform/runtime/TypInfo.h"

namespace formwright {

class TUpdateFiler;

// A node owns its children; the manager owns the root node.
class TUpdateObject {
 public:
  // The root node of a descendant module: Object is the descendant's root component, Ancestor
  // the ancestor module's root component. Built with comparison, so properties the descendant
  // already overrode are left out from the start.
  static std::unique_ptr<TUpdateObject> CreateRoot(TComponent* Object, TComponent* Ancestor);
  // A child node built under this one (owned by it) and returned. PropInfo is this node's
  // property through which a sub-object is reached (null for a component); IsInline marks an
  // embedded frame, which starts new lookup roots; Compare false keeps every property that can
  // follow (a component just copied from the ancestor follows in everything).
  TUpdateObject& AddChild(TPersistent* Object, TPersistent* AncestorObject, PPropInfo PropInfo, bool IsInline,
                          bool Compare);
  ~TUpdateObject();
  TUpdateObject(const TUpdateObject&) = delete;
  TUpdateObject& operator=(const TUpdateObject&) = delete;

  // Drops from the lists what the descendant no longer shares with the ancestor (after a change
  // in the descendant), in this node and every node below.
  void Filter();
  // Copies into the descendant every ancestor value that still follows and differs, then the
  // defined properties, the order of children and the collection, then updates component child
  // nodes last to first.
  void Update(TUpdateContext& Context);

  // The node of Object in this subtree, depth first, this node included; null when none.
  TUpdateObject* FindNode(const TPersistent* Object);
  // Component was deleted in the descendant: frees its node and that node's subtree (nothing
  // when no node of this subtree stands for it).
  void ComponentDelete(const TComponent* Component);
  // Whether PropInfo of Instance can be put back to the ancestor's value: a node of this
  // subtree stands for Instance and has an ancestor object, the property can be read and
  // written, is of a kind an update copies (not variants, interfaces, 64-bit integers...), and
  // the ancestor object stores a value for it (or is back at its default where Instance is not).
  bool CanRevert(const TPersistent* Instance, PPropInfo PropInfo);
  // Puts PropInfo back among the properties of Instance's node that follow the ancestor, in
  // declaration order. True when it was not there (the caller then runs the update that copies
  // the ancestor's value); false when it already followed or cannot be reverted.
  bool Revert(const TPersistent* Instance, PPropInfo PropInfo);

  TUpdateObject* Owner() const noexcept { return FOwner; }
  TPersistent* Object() const noexcept { return FObject; }
  TPersistent* AncestorObject() const noexcept { return FAncestorObject; }
  // The lookup roots that references of Object and of AncestorObject are named from.
  TComponent* ObjectRoot() const noexcept { return FObjectRoot; }
  TComponent* AncestorRoot() const noexcept { return FAncestorRoot; }
  // The owner's property through which this sub-object node is reached; null for a component.
  PPropInfo PropInfo() const noexcept { return FPropInfo; }
  bool IsComponent() const noexcept { return FIsComponent; }
  // The filer of Object's defined properties.
  TUpdateFiler& Filer() const noexcept { return *FFiler; }
  const std::vector<std::unique_ptr<TUpdateObject>>& Children() const noexcept { return FChildren; }
  // Whether the published property Name still follows the ancestor.
  bool Follows(const String& Name) const;
  bool OrderFollows() const noexcept { return FOrderFollows; }
  bool CollectionFollows() const noexcept { return FCollectionFollows; }

 private:
  TUpdateObject(TUpdateObject* Owner, TPersistent* Object, TPersistent* AncestorObject, PPropInfo PropInfo,
                bool IsInline, bool Compare);

  // Object and AncestorObject of a sub-object node read again through PropInfo (the owner may
  // have replaced them); false when either is missing and the node has nothing to do.
  bool Reread();
  // Object's published properties that AncestorObject has too, in declaration order.
  std::vector<PPropInfo> SharedProperties() const;
  bool StillFollows(PPropInfo P) const;
  // Whether P holds a value an update compares and copies: the ancestor stores it, or the
  // descendant stores it where the ancestor does not (the ancestor's is back at its default).
  bool HoldsOwnValue(PPropInfo P) const;
  bool SameValue(PPropInfo P) const;
  void CopyValue(PPropInfo P, TUpdateContext& Context);
  // The sub-object node reached through P; null when none.
  TUpdateObject* ChildFor(PPropInfo P) const noexcept;
  // Whether this node has nodes of child components (and so an order to follow).
  bool HasComponentChildren() const noexcept { return FChildren.size() > FSubObjectCount; }
  TComponent* TranslateReference(TObject* AncestorValue) const;
  // Whether Value is what AncestorValue translates to, without looking the name up when the
  // answer shows otherwise.
  bool SameReference(TObject* Value, TObject* AncestorValue) const;
  TMethod TranslateMethod(TMethod AncestorValue) const;
  void FilterOrder();
  void UpdateOrder();
  void UpdateCollection();
  // Puts P (and, for a sub-object, everything below it) back among what follows.
  bool RevertProperty(PPropInfo P);
  void RevertAll();
  bool DeleteNode(const TComponent* Component);

  TUpdateObject* FOwner = nullptr;
  TPersistent* FObject = nullptr;
  TPersistent* FAncestorObject = nullptr;
  TComponent* FObjectRoot = nullptr;
  TComponent* FAncestorRoot = nullptr;
  std::vector<PPropInfo> FPropList;
  // Sub-object nodes first (FSubObjectCount of them), then the nodes of child components.
  std::vector<std::unique_ptr<TUpdateObject>> FChildren;
  size_t FSubObjectCount = 0;
  std::unique_ptr<TUpdateFiler> FFiler;
  bool FIsComponent = false;
  bool FIsCollection = false;
  bool FCollectionFollows = true;
  bool FOrderFollows = true;
  int FTargetIndex = -1;
  PPropInfo FPropInfo = nullptr;
  bool FCompared = false;
};

}  // namespace formwright
