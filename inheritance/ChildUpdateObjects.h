// The children of one component node side by side: the nodes of the ancestor's children and
// the nodes of the descendant's children, each list in the framework's child order.
#pragma once

#include <vector>

namespace formwright {

class TUpdateObject;

// Built for one component node from the children its object and its ancestor object list
// (GetChildren, with the node's lookup roots). An entry is the child node standing for that
// child, or null (a component the descendant introduced, or an ancestor child the descendant
// does not have yet).
class TChildUpdateObjects {
 public:
  explicit TChildUpdateObjects(const TUpdateObject& Node);

  const std::vector<TUpdateObject*>& Ancestors() const noexcept { return FAncestors; }
  const std::vector<TUpdateObject*>& Descendants() const noexcept { return FDescendants; }

 private:
  std::vector<TUpdateObject*> FAncestors;
  std::vector<TUpdateObject*> FDescendants;
};

}  // namespace formwright
