// What a design surface passes on to the module behind it.
#include <gmock/gmock.h>

#include "formdesigner/Selections.h"
#include "formwright/testing/Forms.h"
#include "host/root/Surface.h"
#include "platform/orx/Orx.h"

using namespace formwright;
using namespace formwright::orx;
using formwright::testing::Make;
using ::testing::_;
using ::testing::InSequence;
using ::testing::Return;

namespace {

class MockSurfaceHost : public TInterfacedObject, public ISurfaceHost {
 public:
  MOCK_METHOD(TComponent*, CreateCurrentComponent, (TComponent*, const TRect&), (override));
  MOCK_METHOD(void, DeleteSelection, (), (override));
  MOCK_METHOD(int, GetSelectableComponentCount, (), (override));
  MOCK_METHOD(TComponent*, GetSelectableComponents, (int), (override));
  MOCK_METHOD(bool, HasSelectableChildren, (TComponent*), (override));
  MOCK_METHOD(void, Modified, (), (override));
  MOCK_METHOD(void, ValidateModification, (), (override));
  MOCK_METHOD(void, Dialog, (TDesignDialog), (override));
  MOCK_METHOD(void, Command, (TDesignCommand), (override));
  MOCK_METHOD(void, CanInsertComponent, (TComponent*), (override));
  MOCK_METHOD(void, InstanceInserted, (TPersistent*), (override));
  MOCK_METHOD(void, InstanceRemoved, (TPersistent*), (override));
  MOCK_METHOD(String, UniqueName, (const String&), (override));
};

class DesignSurfaceTest : public ::testing::Test {
 protected:
  DesignSurfaceTest() : Form(new TForm(nullptr)) {
    Form->SetName("Form1");
    Panel = Make<TPanel>(Form.get(), "Panel1", Form.get(), Bounds(10, 20, 200, 100));
    Button = Make<TButton>(Form.get(), "Button1", Panel, Bounds(5, 60, 75, 25));
    Host = MakeIntf<::testing::StrictMock<MockSurfaceHost>>();
    Surface = MakeIntf<TOrxDesignSurface>(Form.get(), Host);
  }
  ~DesignSurfaceTest() override { Surface->Close(); }

  TOwned<TForm> Form;
  TPanel* Panel;
  TButton* Button;
  IPtr<::testing::StrictMock<MockSurfaceHost>> Host;
  IPtr<TOrxDesignSurface> Surface;
};

TEST_F(DesignSurfaceTest, DialogsAndCommandsReachTheHostInTheirKinds) {
  {
    InSequence Order;
    for (TDesignDialog D : {ddAlign, ddSize, ddScale, ddTabOrder, ddCreationOrder, ddSaveTemplate})
      EXPECT_CALL(*Host, Dialog(D));
    for (TDesignCommand C : {dmAlignToGrid, dmFlipAllChildren, dmFlipSelectedChildren, dmTextPFM,
                             dmViewAsText, dmRevert, dmShowNonVisualComponents})
      EXPECT_CALL(*Host, Command(C));
  }
  IDesignSurfaceCommands& S = *Surface;
  S.AppAlignDialog();
  S.AppSizeDialog();
  S.AppScaleDialog();
  S.AppTabOrderDialog();
  S.AppCreationOrderDialog();
  S.AppSaveTemplateDialog();
  S.AlignToGrid();
  S.AppFlipChildrenAll();
  S.AppFlipChildrenSelected();
  S.AppTextPFM();
  S.AppViewAsText();
  S.RevertComponent();
  S.AppShowNonVisualComponents();
}

TEST_F(DesignSurfaceTest, ModuleOperationsAreForwardedAndItemsComeFromTheHostsComponents) {
  EXPECT_CALL(*Host, CreateCurrentComponent(Panel, Bounds(1, 2, 3, 4))).WillOnce(Return(Button));
  EXPECT_CALL(*Host, GetSelectableComponentCount()).WillOnce(Return(2));
  EXPECT_CALL(*Host, GetSelectableComponents(1)).WillOnce(Return(Panel));
  EXPECT_CALL(*Host, UniqueName(String("Button"))).WillOnce(Return("Button2"));
  EXPECT_CALL(*Host, CanInsertComponent(Button)).WillOnce([](TComponent*) {
    throw EComponentDesignerException("not here");
  });
  EXPECT_CALL(*Host, InstanceInserted(Button));
  EXPECT_CALL(*Host, InstanceRemoved(Panel));
  EXPECT_CALL(*Host, ValidateModification());
  EXPECT_CALL(*Host, Modified());
  EXPECT_CALL(*Host, DeleteSelection());
  EXPECT_EQ(ExtractComponent(Surface->CreateItem(Surface->FindItem(Panel), Bounds(1, 2, 3, 4))), Button);
  EXPECT_EQ(Surface->GetItemsCount(), 2);
  EXPECT_TRUE(SameItem(Surface->GetItems(1), Surface->FindItem(Panel)));
  EXPECT_EQ(Surface->UniqueName("Button"), "Button2");
  EXPECT_THROW(Surface->CanInsertComponent(Button), EComponentDesignerException);
  Surface->InstanceInserted(Button);
  Surface->InstanceRemoved(Panel);
  Surface->ValidateModification();
  Surface->Modified();
  Surface->DeleteSelection();
  // Stored: the root and container items are the root's; the base is no view.
  EXPECT_EQ(ExtractComponent(Surface->GetContainerItem()), Form.get());
  EXPECT_EQ(Surface->GetDesignRoot(), Form.get());
  EXPECT_FALSE(Surface->IsView());
}

TEST_F(DesignSurfaceTest, CloseReleasesTheGrabHandlesAndTheModule) {
  Surface->GetGrabHandles()->SetItem(Surface->FindItem(Button));
  Surface->SetInitializing(true);
  EXPECT_TRUE(Surface->Initializing());
  Surface->Close();
  EXPECT_EQ(Surface->GetGrabHandles()->GetItem(), nullptr);
  EXPECT_EQ(Surface->GetRoot(), nullptr);
  // Without a host nothing reaches the module.
  EXPECT_EQ(Surface->UniqueName("Button"), "");
}

}  // namespace
