// A designer double for registry tests: it keeps a selection and counts modifications; every
// other question gets the null designer's neutral answer.
#pragma once

#include <vector>

#include "contracts/NullDesigner.h"

namespace formwright::editors_testing {

class TTestDesigner : public TNullDesigner {
 public:
  // The objects GetSelections reports, in order.
  std::vector<TPersistent*> FSelection;
  int FModifiedCount = 0;

  void GetSelections(const IPtr<IDesignerSelections>& List) override {
    for (TPersistent* P : FSelection) List->Add(P);
  }
  void Modified() override { ++FModifiedCount; }
};

}  // namespace formwright::editors_testing
