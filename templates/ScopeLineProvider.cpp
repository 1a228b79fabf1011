#include "templates/ScopeLineProvider.h"

namespace formwright {

namespace {

IIterationCounterConsumer* ConsumerOf(const ICollectionPropertyPtr& Collection) {
  return dynamic_cast<IIterationCounterConsumer*>(Collection.get());
}

}  // namespace

TScopeLineProvider::TScopeLineProvider(ILineProviderPtr Outer, ICollectionPropertyPtr Collection, String Tag,
                                       IPropertyValuesPtr Bag, String ItemName, TTemplateValue OldItemValue)
    : FOuter(std::move(Outer)),
      FCollection(std::move(Collection)),
      FTag(std::move(Tag)),
      FBag(std::move(Bag)),
      FItemName(std::move(ItemName)),
      FOldItemValue(std::move(OldItemValue)) {
  IIterationCounterConsumer* Consumer = ConsumerOf(FCollection);
  FCount = Consumer ? Consumer->GetMaxIteration() : FCollection->GetItemCount();
  if (Consumer) Consumer->SetCounter(this);
  FOutputOn = FCount > 0 && FOuter->IsOutputOn();
  FFirstLineNumber = FOuter->LineNumber();
}

TScopeLineProvider::~TScopeLineProvider() { Cleanup(); }

bool TScopeLineProvider::HasMore() {
  if (FOuter) return FOuter->HasMore();
  if (FLines.empty()) return false;  // "endforeach" on the loop's own line: nothing to repeat
  if (FIteration < FCount - 1) return true;
  return FIteration == FCount - 1 && FLineIndex < FLines.size();
}

String TScopeLineProvider::NextLine() {
  if (FOuter) {
    FLines.push_back(FOuter->NextLine());
    return FLines.back();
  }
  return FLines.at(FLineIndex++);
}

int TScopeLineProvider::LineNumber() const {
  return FOuter ? FOuter->LineNumber() : FFirstLineNumber + static_cast<int>(FLineIndex);
}

bool TScopeLineProvider::ReStart() {
  if (FCount == 0) return false;
  ++FIteration;
  FOuter.reset();
  FLineIndex = 0;
  return HasMore();
}

void TScopeLineProvider::Cleanup() {
  if (FCleanedUp) return;
  FCleanedUp = true;
  if (IIterationCounterConsumer* Consumer = ConsumerOf(FCollection)) Consumer->SetCounter(nullptr);
  if (!FItemName.empty()) FBag->SetProperty(FItemName, FOldItemValue);
  FOuter.reset();
}

}  // namespace formwright
