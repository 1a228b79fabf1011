#include "host/root/Surface.h"

#include <gmock/gmock.h>

#include "formdesigner/Selections.h"
#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "moduledesigner/DesignPackage.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/ControlPaint.h"
#include "platform/orx/Orx.h"

using namespace formwright;
using namespace formwright::orx;
using formwright::testing::Make;
using ::testing::ElementsAre;

namespace {

// A form with a panel holding an edit, a check box, a button and a label, a second button on
// the form, an action list and a main menu with one item.
class SurfaceTest : public ::testing::Test {
 protected:
  SurfaceTest() : Form(new TForm(nullptr)) {
    Form->SetName("Form1");
    Form->SetBounds(100, 50, 400, 300);
    Panel = Make<TPanel>(Form.get(), "Panel1", Form.get(), Bounds(10, 20, 200, 100));
    Edit = Make<TEdit>(Form.get(), "Edit1", Panel, Bounds(5, 5, 80, 21));
    Button = Make<TButton>(Form.get(), "Button1", Panel, Bounds(5, 60, 75, 25));
    Check = Make<TCheckBox>(Form.get(), "CheckBox1", Panel, Bounds(5, 30, 90, 17));
    Label = Make<TLabel>(Form.get(), "Label1", Panel, Bounds(100, 5, 40, 13));
    Button2 = Make<TButton>(Form.get(), "Button2", Form.get(), Bounds(250, 20, 75, 25));
    Actions = Make<TActionList>(Form.get(), "ActionList1");
    Actions->SetDesignInfo(DesignInfoFromPosition({300, 200}));
    Menu = Make<TMainMenu>(Form.get(), "MainMenu1");
    Menu->SetDesignInfo(DesignInfoFromPosition({340, 200}));
    Item = Make<TMenuItem>(Form.get(), "File1");
    Menu->Items()->Add(Item);
    Check->SetTabOrder(TTabOrder(1));  // Edit1, CheckBox1, Button1 in tab order
    RegisterNoIcon({TMenuItem::StaticClass()});
    Surface = MakeIntf<TOrxDesignSurface>(Form.get());
  }
  ~SurfaceTest() override {
    Surface.Reset();
    UnregisterNoIcon(TMenuItem::StaticClass());
  }

  IPtr<IItem> ItemOf(TPersistent* P) { return Surface->FindItem(P); }
  // The next `Count` components tabbing on from `From`.
  std::vector<TComponent*> Walk(TPersistent* From, bool Forward, int Count) {
    std::vector<TComponent*> Result;
    for (; Count > 0; --Count) {
      Result.push_back(ExtractComponent(Surface->NextTabItem(From ? ItemOf(From) : nullptr, Forward)));
      From = Result.back();
    }
    return Result;
  }

  TDesignPackageScope Package;
  TOwned<TForm> Form;
  TPanel* Panel;
  TEdit* Edit;
  TButton* Button;
  TCheckBox* Check;
  TLabel* Label;
  TButton* Button2;
  TActionList* Actions;
  TMainMenu* Menu;
  TMenuItem* Item;
  IPtr<TOrxDesignSurface> Surface;
};

}  // namespace

TEST_F(SurfaceTest, ControlItemsTakeTheirGeometryFromTheControl) {
  IPtr<IItem> ButtonItem = ItemOf(Button);
  EXPECT_EQ(ButtonItem->GetBoundsRect(), Bounds(5, 60, 75, 25));
  EXPECT_EQ(ButtonItem->GetClientRect(), Bounds(0, 0, 75, 25));
  EXPECT_TRUE(SameItem(ButtonItem->GetParent(), ItemOf(Panel)));
  EXPECT_TRUE(SameItem(ItemOf(Panel)->GetParent(), Surface->GetRoot()));
  EXPECT_EQ(Surface->GetRoot()->GetParent(), nullptr);
  EXPECT_TRUE(ItemOf(Panel)->IsContainer());
  EXPECT_TRUE(Surface->GetRoot()->IsContainer());
  EXPECT_FALSE(ButtonItem->IsContainer());
  EXPECT_TRUE(ButtonItem->Selectable());
  EXPECT_TRUE(Surface->GetRoot()->Contains(ButtonItem));
  EXPECT_FALSE(ItemOf(Button2)->Contains(ButtonItem));
  // Local and global points go through the control's screen position.
  const TPoint Global = ButtonItem->LocalToGlobal({1, 2});
  EXPECT_EQ(Global, Button->ClientToScreen({1, 2}));
  EXPECT_EQ(ButtonItem->GlobalToLocal(Global), (TPoint{1, 2}));
  EXPECT_EQ(Surface->SurfaceToGlobal({0, 0}), Form->ClientToScreen({0, 0}));
  ButtonItem->SetBoundsRect(Bounds(8, 16, 100, 30));
  EXPECT_EQ(Button->BoundsRect(), Bounds(8, 16, 100, 30));
}

TEST_F(SurfaceTest, AnItemIsInTheSelectionWhenItOrAParentIsSelected) {
  IPtr<ISelections> Selections = MakeIntf<TSimpleSelections>();
  EXPECT_FALSE(Surface->ItemInSelections(Selections, ItemOf(Button)));
  Selections->Add(ItemOf(Panel));
  EXPECT_TRUE(Surface->ItemInSelections(Selections, ItemOf(Button)));  // inside the panel
  EXPECT_TRUE(Surface->ItemInSelections(Selections, ItemOf(Panel)));
  EXPECT_FALSE(Surface->ItemInSelections(Selections, ItemOf(Button2)));
  EXPECT_FALSE(Surface->ItemInSelections(Selections, Surface->GetRoot()));
  EXPECT_FALSE(Surface->ItemInSelections(nullptr, ItemOf(Button)));
  EXPECT_FALSE(Surface->ItemInSelections(Selections, nullptr));
}

TEST_F(SurfaceTest, ChildrenAreControlsInZOrderThenTheRootsIcons) {
  IPtr<IInternalItem> Root = Supports<IInternalItem>(Surface->GetRoot());
  ASSERT_TRUE(Root);
  std::vector<TComponent*> Children;  // no icon for the menu item
  for (int I = 0; I < Root->GetChildCount(); ++I) Children.push_back(ExtractComponent(Root->GetChildren(I)));
  EXPECT_THAT(Children, ElementsAre(Panel, Button2, Actions, Menu));
  EXPECT_THROW(Root->GetChildren(4), EListError);
  IPtr<IInternalItem> PanelItem = Supports<IInternalItem>(ItemOf(Panel));
  ASSERT_EQ(PanelItem->GetChildCount(), 4);
  EXPECT_EQ(ExtractComponent(PanelItem->GetChildren(0)), Label);  // graphic controls lie below
}

TEST_F(SurfaceTest, AControlMovesIntoAnotherWindowedControlOnly) {
  IPtr<IInternalItem> ButtonItem = Supports<IInternalItem>(ItemOf(Button2));
  ButtonItem->SetParent(ItemOf(Panel));
  EXPECT_EQ(Button2->Parent(), Panel);
  EXPECT_TRUE(SameItem(ButtonItem->GetParent(), ItemOf(Panel)));
  EXPECT_THAT([&] { ButtonItem->SetParent(ItemOf(Label)); },
              formwright::testing::Raises<EInvalidOperation>(
                  "Control 'Button2' can only be placed into a windowed control"));
  EXPECT_EQ(Button2->Parent(), Panel);
  // A container cannot go into its own child.
  EXPECT_THROW(Supports<IInternalItem>(ItemOf(Panel))->SetParent(ItemOf(Edit)), EInvalidOperation);
  EXPECT_EQ(Panel->Parent(), Form.get());
}

TEST_F(SurfaceTest, ZOrderMovesAControlAmongItsSiblingsAndAnIconAmongTheOwnersComponents) {
  auto* Other = Make<TButton>(Form.get(), "Button3", Panel, Bounds(100, 60, 75, 25));
  IPtr<IInternalItem> OtherItem = Supports<IInternalItem>(ItemOf(Other));
  OtherItem->ZOrder(false);
  EXPECT_EQ(Panel->Controls(1), Other);  // the first windowed control, above the label
  OtherItem->ZOrder(true);
  EXPECT_EQ(Panel->Controls(Panel->ControlCount() - 1), Other);
  // An icon's z-order is its place among the owner's components.
  Supports<IInternalItem>(ItemOf(Actions))->ZOrder(true);
  EXPECT_EQ(Form->Components(Form->ComponentCount() - 1), Actions);
  Supports<IInternalItem>(ItemOf(Actions))->ZOrder(false);
  EXPECT_EQ(Form->Components(0), Actions);
}

TEST_F(SurfaceTest, AnIconKeepsItsPositionInDesignInfo) {
  IPtr<IItem> Icon = ItemOf(Actions);
  EXPECT_EQ(Icon->GetBoundsRect(), Bounds(300, 200, 28, 28));
  EXPECT_TRUE(SameItem(Icon->GetParent(), Surface->GetRoot()));
  EXPECT_TRUE(Icon->Selectable());
  EXPECT_FALSE(Icon->IsContainer());
  Icon->SetBoundsRect(Bounds(12, 34, 80, 80));  // the size stays fixed
  EXPECT_EQ(Actions->DesignInfo(), (34 << 16) | 12);
  EXPECT_EQ(Icon->GetBoundsRect(), Bounds(12, 34, 28, 28));
  // Negative positions survive the 16-bit halves.
  Icon->SetBoundsRect(Bounds(-5, -7, 28, 28));
  EXPECT_EQ(Icon->GetBoundsRect(), Bounds(-5, -7, 28, 28));
  EXPECT_EQ(DesignInfoPosition(Actions->DesignInfo()), (TPoint{-5, -7}));
  EXPECT_EQ(Icon->GlobalToLocal(Icon->LocalToGlobal({3, 4})), (TPoint{3, 4}));
}

TEST_F(SurfaceTest, ItemsAreCachedUntilTheComponentOrItsContainerIsFreed) {
  IPtr<IItem> First = ItemOf(Button);
  EXPECT_EQ(First.Identity(), ItemOf(Button).Identity());
  ItemOf(Edit);
  ItemOf(Panel);
  const int Cached = Surface->CachedItemCount();
  Surface->GetGrabHandles()->SetItem(First);
  Button->Free();
  EXPECT_EQ(Surface->CachedItemCount(), Cached - 1);
  EXPECT_EQ(Surface->GetGrabHandles()->GetItem(), nullptr);  // the handles leave the freed item
  // A new component at the same place gets a new item.
  Button = Make<TButton>(Form.get(), "Button1", Panel, Bounds(5, 60, 75, 25));
  EXPECT_NE(ItemOf(Button).Identity(), First.Identity());
  Panel->Free();  // frees its controls too
  EXPECT_EQ(Surface->CachedItemCount(), Cached - 3);
}

TEST_F(SurfaceTest, OnlyThisModulesComponentsHaveItemsAndOnlyIconsAndControlsAreSelectable) {
  TForm Other(nullptr);
  EXPECT_EQ(ItemOf(&Other), nullptr);
  EXPECT_EQ(ItemOf(nullptr), nullptr);
  // A plain persistent gets an item that is not kept.
  const int Cached = Surface->CachedItemCount();
  IPtr<IItem> FontItem = ItemOf(Button->Font());
  ASSERT_TRUE(FontItem);
  EXPECT_EQ(ExtractPersistent(FontItem), Button->Font());
  EXPECT_FALSE(FontItem->Selectable());
  EXPECT_EQ(Surface->CachedItemCount(), Cached);
  // A component without an icon gets an item that cannot be selected or deleted.
  IPtr<IItem> MenuItem = ItemOf(Item);
  ASSERT_TRUE(MenuItem);
  EXPECT_FALSE(MenuItem->Selectable());
  EXPECT_THROW(MenuItem->ValidateDeletable(), ECannotDeleteNonComponentException);
}

TEST_F(SurfaceTest, TabOrderGoesByTabOrderThenOtherControlsThenIconsAndWraps) {
  EXPECT_THAT(Walk(Edit, true, 4), ElementsAre(Check, Button, Label, Edit));  // no tab order last
  EXPECT_THAT(Walk(Check, false, 2), ElementsAre(Edit, Label));
  EXPECT_THAT(Walk(Button2, true, 3), ElementsAre(Actions, Menu, Panel));  // the root's icons
  EXPECT_THAT(Walk(Panel, false, 1), ElementsAre(Menu));
  // Without a current item (the root counts as none) tabbing starts at the root.
  EXPECT_THAT(Walk(nullptr, true, 1), ElementsAre(Panel));
  EXPECT_THAT(Walk(nullptr, false, 1), ElementsAre(Menu));
  EXPECT_THAT(Walk(Form.get(), true, 1), ElementsAre(Panel));
  // A module with nothing on it has nothing to tab to.
  TForm Empty(nullptr);
  EXPECT_EQ(MakeIntf<TOrxDesignSurface>(&Empty)->NextTabItem(nullptr, false), nullptr);
}

TEST_F(SurfaceTest, TheItemUnderAPoint) {
  // Button1 lies at (5, 60) in the panel, which lies at (10, 20) on the form.
  EXPECT_EQ(ExtractComponent(Surface->ItemAtPos({20, 85})), Button);
  EXPECT_EQ(ExtractComponent(Surface->ItemAtPos({12, 22})), Panel);
  EXPECT_EQ(ExtractComponent(Surface->ItemAtPos({310, 210})), Actions);
  EXPECT_EQ(ExtractComponent(Surface->ItemAtPos({390, 5})), Form.get());
}

TEST_F(SurfaceTest, TheItemsAreTheRootsComponentsAndThoseOfFrameInstances) {
  auto* Frame = Make<TFrame>(Form.get(), "Frame1");
  Frame->SetParent(Form.get());
  auto* InFrame = Make<TButton>(Frame, "FrameButton");
  InFrame->SetParent(Frame);
  const int Owned = Form->ComponentCount();
  EXPECT_EQ(Surface->GetItemsCount(), Owned);
  EXPECT_FALSE(ItemOf(InFrame)->Selectable());
  Frame->SetInline(true);  // an embedded frame instance shows its components
  ASSERT_EQ(Surface->GetItemsCount(), Owned + 1);
  EXPECT_EQ(ExtractComponent(Surface->GetItems(Owned)), InFrame);
  EXPECT_TRUE(ItemOf(Frame)->HasSelectableChildren());
  EXPECT_TRUE(ItemOf(InFrame)->Selectable());
  EXPECT_THROW(Surface->GetItems(Owned + 1), EListError);
  // Dropping the frame's items forgets exactly those.
  const int Cached = Surface->CachedItemCount();
  IPtr<IItem> Kept = ItemOf(InFrame);
  Surface->DropItems(Frame);
  EXPECT_EQ(Surface->CachedItemCount(), Cached - 1);
  EXPECT_NE(ItemOf(InFrame).Identity(), Kept.Identity());
  EXPECT_EQ(ItemOf(Frame)->GetBoundsRect(), Frame->BoundsRect());
}

TEST_F(SurfaceTest, ADataModulesRootItemHoldsTheIcons) {
  TDataModule Module(nullptr);
  Module.SetName("DataModule1");
  Module.SetDesignSize({300, 200});
  auto* List = Make<TActionList>(&Module, "ActionList1");
  IPtr<TOrxDesignSurface> ModuleSurface = MakeIntf<TOrxDesignSurface>(&Module);
  IPtr<IInternalItem> Root = Supports<IInternalItem>(ModuleSurface->GetRoot());
  ASSERT_TRUE(Root);
  EXPECT_EQ(Root->GetBoundsRect(), Bounds(0, 0, 300, 200));
  EXPECT_TRUE(Root->IsContainer());
  ASSERT_EQ(Root->GetChildCount(), 1);
  EXPECT_EQ(ExtractComponent(Root->GetChildren(0)), List);
  EXPECT_EQ(ExtractComponent(ModuleSurface->ItemAtPos({5, 5})), List);
  EXPECT_EQ(ExtractComponent(ModuleSurface->ItemAtPos({100, 100})), &Module);
  Root->SetBoundsRect(Bounds(0, 0, 320, 240));
  EXPECT_EQ(Module.DesignSize(), (TPoint{320, 240}));
}

// A component of the form that counts the removals it is told of.
class TRemovalCounter : public TComponent {
 public:
  using TComponent::TComponent;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    Removals += Operation == opRemove ? 1 : 0;
  }
  int Removals = 0;
};

TEST_F(SurfaceTest, ClosingTheSurfaceOrFreeingTheRootLeavesItemsWithoutSurface) {
  IPtr<IItem> Kept = ItemOf(Button);
  auto* Counter = new TRemovalCounter(Form.get());
  Surface->Close();
  EXPECT_EQ(Counter->Removals, 0);  // the surface's own parts go without a word to the module
  EXPECT_EQ(Kept->GetParent(), nullptr);
  EXPECT_EQ(Surface->GetRoot(), nullptr);
  EXPECT_EQ(Surface->CachedItemCount(), 0);
  EXPECT_EQ(Kept->GetBoundsRect(), Button->BoundsRect());
  // Freeing the root empties the surface as well.
  IPtr<TOrxDesignSurface> Open = MakeIntf<TOrxDesignSurface>(Form.get());
  Open->FindItem(Button);
  Form.reset();
  EXPECT_EQ(Open->CachedItemCount(), 0);
  EXPECT_EQ(Open->GetRoot(), nullptr);
  EXPECT_EQ(Open->NextTabItem(nullptr, true), nullptr);
}

namespace {
// An item that draws itself while it is dragged.
class TDraggedItem : public TInterfacedObject, public IItem2D {
 public:
  explicit TDraggedItem(IPtr<IItem> Item) : FItem(std::move(Item)) {}
  IPtr<IItem> GetDraggedItem() override { return FItem; }

 private:
  IPtr<IItem> FItem;
};

// A module root stand-in that creates buttons and can refuse modifications.
class TTestHost : public TInterfacedObject, public ISurfaceHost {
 public:
  TComponent* CreateCurrentComponent(TComponent* Parent, const TRect& Rect) override {
    auto* B = new TButton(Parent->Owner() ? Parent->Owner() : Parent);
    B->SetParent(dynamic_cast<TWinControl*>(Parent));
    B->SetBoundsRect(Rect);
    return B;
  }
  void DeleteSelection() override { ++Deletes; }
  int GetSelectableComponentCount() override { return 1; }
  TComponent* GetSelectableComponents(int Index) override { return Selectable; }
  bool HasSelectableChildren(TComponent* Component) override { return false; }
  void Modified() override { ++Modifications; }
  void ValidateModification() override {
    if (ReadOnly) throw EComponentDesignerException("read only");
  }
  void Dialog(TDesignDialog) override {}
  void Command(TDesignCommand) override {}
  void CanInsertComponent(TComponent*) override {}
  void InstanceInserted(TPersistent*) override {}
  void InstanceRemoved(TPersistent*) override {}
  String UniqueName(const String& BaseName) override { return BaseName + "1"; }
  TComponent* Selectable = nullptr;
  int Deletes = 0;
  int Modifications = 0;
  bool ReadOnly = false;
};
}  // namespace

TEST_F(SurfaceTest, AHostAnswersForTheModule) {
  // Without a host nothing is created and modifications are counted.
  EXPECT_EQ(Surface->CreateItem(Surface->GetRoot(), Bounds(0, 0, 10, 10)), nullptr);
  Surface->Modified();
  EXPECT_EQ(Surface->ModifiedCount(), 1);
  auto Host = MakeIntf<TTestHost>();
  Host->Selectable = Button2;
  Surface->SetHost(Host);
  IPtr<IItem> Created = Surface->CreateItem(ItemOf(Panel), Bounds(1, 2, 30, 40));
  ASSERT_TRUE(Created);
  EXPECT_EQ(ExtractComponent(Created->GetParent()), Panel);
  EXPECT_EQ(Created->GetBoundsRect(), Bounds(1, 2, 30, 40));
  EXPECT_EQ(Surface->GetItemsCount(), 1);
  EXPECT_EQ(ExtractComponent(Surface->GetItems(0)), Button2);
  Surface->DeleteSelection();
  Surface->Modified();
  EXPECT_EQ(Host->Deletes, 1);
  EXPECT_EQ(Host->Modifications, 1);
  EXPECT_EQ(Surface->ModifiedCount(), 1);
  Host->ReadOnly = true;
  EXPECT_THROW(Surface->ValidateModification(), EComponentDesignerException);
  // Closing lets go of the host (usually the module root, which holds the surface).
  const int HostReferences = Host->RefCount();
  Surface->Close();
  EXPECT_EQ(Host->RefCount(), HostReferences - 1);
  EXPECT_NO_THROW(Surface->ValidateModification());
}

TEST_F(SurfaceTest, DragBoxesAndGuidelinesAreKept) {
  // Drag boxes draw by exclusive-or: the surface shows each box while it is on the list. Their
  // arrays start with room for one box and double.
  IPtr<TXorDragBoxes> Boxes(
      dynamic_cast<TXorDragBoxes*>(Surface->CreateDragBoxes(Surface->GetRoot(), {}).Get()));
  EXPECT_EQ(Boxes->BoundingRect(), Rect(2147483647, 2147483647, -2147483647, -2147483647));
  std::vector<int> Capacities;
  for (int I = 0; I < 5; ++I) {
    EXPECT_EQ(Boxes->Add(Bounds(I * 10, I, 5, 5), I ? dbsItem : dbsSelection, daMove), I);
    Capacities.push_back(Boxes->Capacity());
  }
  EXPECT_THAT(Capacities, ElementsAre(1, 2, 4, 4, 8));
  Boxes->MoveBy(1, 1, daMove);
  Boxes->Change(4, Bounds(0, 0, 1, 1), daMove);
  EXPECT_THROW(Boxes->Change(5, Bounds(1, 1, 2, 2), daMove), EListError);
  EXPECT_EQ(Boxes->BoundingRect(), Rect(0, 0, 36, 9));
  using TBox = TOrxDragBoxPainter::TBox;
  const auto& Shown = Surface->DragBoxPainter()->Shown();
  EXPECT_EQ(Shown[0], (TBox{Bounds(1, 1, 5, 5), dbsSelection}));
  EXPECT_EQ(Shown.back(), (TBox{Bounds(0, 0, 1, 1), dbsItem}));
  // Items that draw themselves are shown as boxes of their bounds.
  EXPECT_EQ(Boxes->Add(MakeIntf<TDraggedItem>(ItemOf(Button2)), daMove), 5);
  EXPECT_EQ(Shown.back(), (TBox{Button2->BoundsRect(), dbsItem}));
  Boxes->Done();
  EXPECT_TRUE(Shown.empty());  // every box drawn twice: the picture is as before

  auto Painter = Surface->GetGuidelinePainter();
  auto* Lines = dynamic_cast<TOrxGuidelinePainter*>(Painter.Get());
  Painter->BeginUpdate();
  Painter->AddLine(gtAlignLeft, {0, 0}, {0, 100});
  EXPECT_TRUE(Lines->Lines().empty());  // shown when the update ends
  Painter->EndUpdate();
  EXPECT_EQ(Lines->Lines().size(), 1u);
  Painter->Clear();
  EXPECT_TRUE(Lines->Lines().empty());
}

TEST_F(SurfaceTest, DragBoxesAreDrawnByExclusiveOrOnThePictureOfTheForm) {
  Surface->PaintPicture();
  TBitmap& Picture = Surface->Picture();
  ASSERT_EQ(Picture.Width(), 400);
  const std::vector<uint32_t> Before = Picture.Pixels();
  // A box in the panel's client coordinates lands where the panel's client area is drawn.
  auto Boxes = Surface->CreateDragBoxes(ItemOf(Panel), {});
  const TPoint Client = Panel->ClientToScreen({0, 0}), FormClient = Form->ClientToScreen({0, 0});
  const TPoint Offset = ClientOffset(Form.get());
  const TPoint Corner{Offset.X + Client.X - FormClient.X + 5, Offset.Y + Client.Y - FormClient.Y + 60};
  const TColor Under = Picture.Pixel(Corner.X, Corner.Y);
  const TColor Inside = Picture.Pixel(Corner.X + 10, Corner.Y + 10);
  Boxes->Add(Bounds(5, 60, 75, 25), dbsItem, daMove);
  EXPECT_NE(Picture.Pixel(Corner.X, Corner.Y), Under);             // on the frame
  EXPECT_EQ(Picture.Pixel(Corner.X + 10, Corner.Y + 10), Inside);  // within it
  Boxes->Add(Bounds(100, 5, 40, 13), dbsSelection, daMove);
  Boxes->MoveBy(3, 4, daMove);
  EXPECT_NE(Picture.Pixels(), Before);
  Boxes->Done();
  EXPECT_EQ(Picture.Pixels(), Before);
}
