#include "inheritance/ChildUpdateObjects.h"

#include <unordered_map>

#include "inheritance/UpdateObject.h"

namespace formwright {

TChildUpdateObjects::TChildUpdateObjects(const TUpdateObject& Node) {
  auto* Object = As<TComponent>(Node.Object());
  auto* Ancestor = As<TComponent>(Node.AncestorObject());
  if (!Object || !Ancestor) return;
  // Children are looked up through maps: a form's root node has a child per component.
  std::unordered_map<const TPersistent*, TUpdateObject*> ByObject, ByAncestor;
  for (const auto& Child : Node.Children()) {
    if (Child->PropInfo()) continue;
    ByObject.emplace(Child->Object(), Child.get());
    ByAncestor.emplace(Child->AncestorObject(), Child.get());
  }
  auto Collect = [](TComponent* Parent, TComponent* Root, const auto& Nodes,
                    std::vector<TUpdateObject*>& Into) {
    Parent->GetChildren(
        [&](TComponent* C) {
          const auto Found = Nodes.find(C);
          Into.push_back(Found == Nodes.end() ? nullptr : Found->second);
        },
        Root);
  };
  Collect(Ancestor, Node.AncestorRoot(), ByAncestor, FAncestors);
  Collect(Object, Node.ObjectRoot(), ByObject, FDescendants);
}

}  // namespace formwright
