#include "host/LayoutDialogs.h"

#include <algorithm>

#include "moduledesigner/ComponentRoot.h"
#include "platform/orx/Controls.h"

namespace formwright {

namespace {

// The selected controls after the selection is reduced to the anchor's siblings; empty when
// the root or nothing is selected.
std::vector<orx::TControl*> SelectedControls(TComponentRoot& Root) {
  std::vector<orx::TControl*> R;
  if (Root.IsRootSelected()) return R;
  Root.ForceCommonParent();
  const IPtr<IDesignerSelections> List = Root.GetSelection();
  for (int I = 0; I < List->GetCount(); ++I)
    if (auto* C = dynamic_cast<orx::TControl*>(List->Get(I))) R.push_back(C);
  return R;
}

// The control keeps its place; its size, font and contents scale.
void Scale(orx::TControl* C, int Percent) {
  if (auto* W = dynamic_cast<orx::TWinControl*>(C)) return W->ScaleBy(Percent, 100);
  const int L = C->Left(), T = C->Top();
  C->ChangeScale(Percent, 100);
  C->SetBounds(L, T, C->Width(), C->Height());
}

// Asks Question with Names; on OK, the answer in the order of the components to put in order.
bool AskOrder(const std::function<bool(std::vector<String>&)>& Question,
              const std::vector<TComponent*>& Items, std::vector<TComponent*>& Ordered) {
  std::vector<String> Names;
  for (TComponent* C : Items) Names.push_back(C->Name());
  if (!Question || !Question(Names)) return false;
  String All;
  for (TComponent* C : Items) All += (All.empty() ? "" : ", ") + C->Name();
  if (Names.size() != Items.size()) throw EComponentDesignerException(Format(SOrderNames, All));
  for (const String& N : Names) {
    auto It = std::find_if(Items.begin(), Items.end(), [&](TComponent* C) { return SameText(C->Name(), N); });
    if (It == Items.end() || std::find(Ordered.begin(), Ordered.end(), *It) != Ordered.end())
      throw EComponentDesignerException(Format(SOrderNames, All));
    Ordered.push_back(*It);
  }
  return true;
}

void TabOrderDialog(const TLayoutQuestions& Q, TComponentRoot& Root) {
  const std::vector<orx::TControl*> Selected = SelectedControls(Root);
  auto* Parent =
      dynamic_cast<orx::TWinControl*>(Selected.empty() ? Root.GetRoot() : Selected.front()->Parent());
  if (!Parent) return;
  std::vector<orx::TWinControl*> TabList;
  Parent->GetTabOrderList(TabList);
  std::vector<TComponent*> Items, Ordered;
  for (orx::TWinControl* W : TabList)
    if (W->Parent() == Parent) Items.push_back(W);
  if (Items.empty() || !AskOrder(Q.TabOrder, Items, Ordered)) return;
  Root.ValidateModification();
  for (size_t I = 0; I < Ordered.size(); ++I)
    static_cast<orx::TWinControl*>(Ordered[I])->SetTabOrder(static_cast<orx::TTabOrder>(I));
  Root.Modified();
}

void CreationOrderDialog(const TLayoutQuestions& Q, TComponentRoot& Root) {
  TComponent* Owner = Root.GetRoot();
  std::vector<TComponent*> Items, Ordered;
  for (TComponent* C : Owner->ComponentList())
    if (!dynamic_cast<orx::TControl*>(C)) Items.push_back(C);
  if (Items.empty() || !AskOrder(Q.CreationOrder, Items, Ordered)) return;
  Root.ValidateModification();
  // The places the non-visual components hold among all components are kept; they are filled
  // in the new order.
  std::vector<int> Places;
  for (TComponent* C : Items) Places.push_back(C->ComponentIndex());
  for (size_t I = 0; I < Ordered.size(); ++I) Ordered[I]->SetComponentIndex(Places[I]);
  Root.Modified();
}

}  // namespace

void ShowLayoutDialog(const TLayoutQuestions& Q, TComponentRoot& Root, TDesignDialog Kind) {
  switch (Kind) {
    case ddAlign: {
      TAlignChoice Choice;
      if (!Q.Align || !Q.Align(Choice)) return;
      if (Choice.Horizontal != afNothing) Root.Align(Choice.Horizontal);
      if (Choice.Vertical != afNothing) Root.Align(Choice.Vertical);
      return;
    }
    case ddSize: {
      TSizeChoice Choice;
      if (!Q.Size || !Q.Size(Choice)) return;
      if (Choice.Horizontal != asNothing) Root.Size(Choice.Horizontal, Choice.Width);
      if (Choice.Vertical != asNothing) Root.Size(Choice.Vertical, Choice.Height);
      return;
    }
    case ddScale: {
      int Percent = 100;
      if (!Q.Scale || !Q.Scale(Percent)) return;
      if (Percent < MinScale || Percent > MaxScale)
        throw EComponentDesignerException(Format(SScaleRange, MinScale, MaxScale, Percent));
      std::vector<orx::TControl*> Controls = SelectedControls(Root);
      if (Controls.empty())
        if (auto* C = dynamic_cast<orx::TControl*>(Root.GetRoot())) Controls.push_back(C);
      if (Controls.empty() || Percent == 100) return;
      Root.ValidateModification();
      for (orx::TControl* C : Controls) Scale(C, Percent);
      Root.Modified();
      return;
    }
    case ddTabOrder:
      return TabOrderDialog(Q, Root);
    case ddCreationOrder:
      return CreationOrderDialog(Q, Root);
    case ddSaveTemplate:
      return;
  }
}

}  // namespace formwright
