#include "inheritance/ChildUpdateObjects.h"

#include <algorithm>
#include <utility>

#include "inheritance/UpdateObject.h"

namespace formwright {

namespace {

// The nodes of a component node's children by the object they stand for, sorted for a binary
// search: built once per list, without an allocation per entry (a form's root node has a child
// per component, and every Filter builds these lists again).
using TNodeIndex = std::vector<std::pair<const TPersistent*, TUpdateObject*>>;

TUpdateObject* FindIn(const TNodeIndex& Index, const TPersistent* Object) noexcept {
  const auto It = std::lower_bound(Index.begin(), Index.end(), Object,
                                   [](const auto& Entry, const TPersistent* O) { return Entry.first < O; });
  return It != Index.end() && It->first == Object ? It->second : nullptr;
}

void Collect(TComponent* Parent, TComponent* Root, const TNodeIndex& Nodes,
             std::vector<TUpdateObject*>& Into) {
  Parent->GetChildren([&](TComponent* C) { Into.push_back(FindIn(Nodes, C)); }, Root);
}

}  // namespace

TChildUpdateObjects::TChildUpdateObjects(const TUpdateObject& Node) {
  auto* Object = As<TComponent>(Node.Object());
  auto* Ancestor = As<TComponent>(Node.AncestorObject());
  if (!Object || !Ancestor) return;
  TNodeIndex ByObject, ByAncestor;
  ByObject.reserve(Node.Children().size());
  ByAncestor.reserve(Node.Children().size());
  for (const auto& Child : Node.Children()) {
    if (Child->PropInfo()) continue;
    ByObject.emplace_back(Child->Object(), Child.get());
    ByAncestor.emplace_back(Child->AncestorObject(), Child.get());
  }
  const auto ByKey = [](const auto& A, const auto& B) { return A.first < B.first; };
  std::stable_sort(ByObject.begin(), ByObject.end(), ByKey);
  std::stable_sort(ByAncestor.begin(), ByAncestor.end(), ByKey);
  FAncestors.reserve(ByAncestor.size());
  FDescendants.reserve(ByObject.size());
  Collect(Ancestor, Node.AncestorRoot(), ByAncestor, FAncestors);
  Collect(Object, Node.ObjectRoot(), ByObject, FDescendants);
}

}  // namespace formwright
