// The pairing of a descendant module's components with its ancestor's during one update: which
// inherited components lost their ancestor component (to delete), which ancestor components
// have no counterpart yet (to create), and, for the rest, which is which.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/runtime/Classes.h"

namespace formwright {

class TPairings;
class TUpdateObject;

// One matched pair of components: a descendant component and its ancestor component, either of
// which may be missing. Setting a side lists that component's children into Children.
class TPairing {
 public:
  // Owner: the list this pairing is in (null for the root pairing).
  explicit TPairing(TPairings* Owner);
  ~TPairing();
  TPairing(const TPairing&) = delete;
  TPairing& operator=(const TPairing&) = delete;

  // Sets the descendant side and pairs its children that carry the ancestor mark (components
  // introduced in the descendant never take part). Root is the lookup root of the descendant
  // side: the module's root, or the inline frame the component belongs to.
  void SetDescendant(TComponent* Component, TComponent* Root);
  // Sets the ancestor side and pairs all its children.
  void SetAncestor(TComponent* Component, TComponent* Root);
  // Forgets the children (their components are gone).
  void ClearChildren() noexcept;

  TComponent* Descendant = nullptr;
  TComponent* Ancestor = nullptr;
  TComponent* DescendantRoot = nullptr;
  TComponent* AncestorRoot = nullptr;
  // The component's children paired; null until a side with children was set.
  std::unique_ptr<TPairings> Children;
  TPairings* Owner = nullptr;
  // The descendant component was created by this update.
  bool New = false;

 private:
  TPairings& ChildList();
};

// The pairings of one component's children, in the order the children were listed (descendant
// side first).
class TPairings {
 public:
  explicit TPairings(TPairing* Owner) : FOwner(Owner) {}

  // Pairs Child, a child of the owner pairing's component on the side being added: with the
  // first pairing that lacks that side and whose other component has the same name (letter
  // case ignored), or, for an unnamed child, the same component index; else a new pairing.
  // Matching happens only once the owner pairing has its other side.
  void Add(TComponent* Child, TComponent* Root);

  const std::vector<std::unique_ptr<TPairing>>& Items() const noexcept { return FItems; }
  TPairing* Owner() const noexcept { return FOwner; }
  // Which side is being added.
  bool AddingAncestor = false;
  // A pairing below was created by this update (its node must be built).
  bool Changed = false;

 private:
  TPairing* Match(TComponent* Child);

  std::vector<std::unique_ptr<TPairing>> FItems;
  TPairing* FOwner = nullptr;
  std::unordered_map<String, std::deque<TPairing*>> FIndex;
  bool FIndexBuilt = false;
  bool FIndexSide = false;
};

// What the pairing steps ask of the manager running them.
struct TPairingHooks {
  // Called before an inherited component whose ancestor component is gone is freed.
  std::function<void(TComponent* Component)> Deleting;
  // Creates a component of that class owned by Owner (null: the class's own constructor).
  std::function<TComponent*(TClass ComponentClass, TComponent* Owner)> CreateComponent;
  // Writes one ancestor component (null: the writer's own WriteComponent).
  std::function<void(TWriter* Writer, TComponent* Component)> WriteComponent;
};

// Brings the descendant's components in line with the ancestor's: pairs the two trees, frees
// the inherited components whose ancestor component is gone, creates the ancestor components
// the descendant lacks (copied through a component stream, marked inherited with all their
// children), then builds the update nodes of the created components under Root's nodes.
// A failure while creating leaves the components created so far in place.
void SyncComponents(TComponent* Component, TComponent* Ancestor, TUpdateObject& Root,
                    const TPairingHooks& Hooks);

}  // namespace formwright
