// The line provider of a "foreach" loop.
#pragma once

#include <vector>

#include "templates/TemplateIntf.h"

namespace formwright {

// Repeats the lines of a loop body once per item of a collection. The first pass reads the
// lines from the provider below and records them; later passes replay the recording. While it
// lives it is the collection's iteration counter, and the loop's item name (if any) holds the
// collection so that "Item.Prop" reaches the current item; Cleanup undoes both.
class TScopeLineProvider : public ILineProvider, public IIterationCounter {
 public:
  // `Tag` is the loop's tag text, for messages. With a non-empty `ItemName`, `Bag` gets the
  // item name set to the collection now and back to `OldItemValue` at cleanup.
  TScopeLineProvider(ILineProviderPtr Outer, ICollectionPropertyPtr Collection, String Tag,
                     IPropertyValuesPtr Bag, String ItemName, TTemplateValue OldItemValue);
  ~TScopeLineProvider() override;

  // During the first pass, while the provider below has lines; afterwards false when nothing
  // was recorded (the loop closed on its own line), else true before the last iteration and,
  // on the last one, while recorded lines remain.
  bool HasMore() override;
  String NextLine() override;
  // The line number of the line last read, in the template.
  int LineNumber() const override;
  // Ends an iteration: moves to the next one and answers whether it has lines.
  bool ReStart() override;
  // Releases the collection's counter and restores the item name; safe to call twice.
  void Cleanup() override;
  // False for the whole life of a loop over an empty collection, or of a loop that starts
  // where output is already suppressed by an enclosing empty loop.
  bool IsOutputOn() const override { return FOutputOn; }
  // -1 for an empty collection, else the iteration number.
  int GetCurrentIteration() const override { return FCount == 0 ? -1 : FIteration; }

  const String& Tag() const noexcept { return FTag; }
  // True while the lines still come from the provider below.
  bool InFirstPass() const noexcept { return FOuter != nullptr; }

 private:
  ILineProviderPtr FOuter;
  ICollectionPropertyPtr FCollection;
  String FTag;
  IPropertyValuesPtr FBag;
  String FItemName;
  TTemplateValue FOldItemValue;
  bool FCleanedUp = false;
  bool FOutputOn;
  int FCount;
  int FIteration = 0;
  int FFirstLineNumber;  // the line number below before the first recorded line
  std::vector<String> FLines;
  size_t FLineIndex = 0;
};

}  // namespace formwright
