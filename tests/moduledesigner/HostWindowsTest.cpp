// The windows the package makes for modules that are no windows themselves: a data module's
// window with its scrolling component container, the data module's custom module and class
// group, and the window of a windowed control designed on its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/DataModuleEditors.h"
#include "formwright/testing/RecordingDesigner.h"
#include "moduledesigner/DataModuleForm.h"
#include "moduledesigner/HostWindowModules.h"
#include "moduledesigner/WinControlForm.h"
#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;

namespace formwright {
namespace {

using namespace orx;
using testing::Raises;

// A class that is no persistent, reachable through the type of a published property.
class TTally : public TObject {
  FW_CLASS(TTally, TObject)
};
class TTallyHolder : public TComponent {
  FW_CLASS(TTallyHolder, TComponent)
 public:
  explicit TTallyHolder(TComponent* AOwner) : TComponent(AOwner) {}
  static void DeclarePublished(TClassBuilder<TTallyHolder>& C) { C.Property("Tally", &TTallyHolder::FTally); }
  TTally* FTally = nullptr;
};
FW_REGISTER_CLASS(TTally, "Test.Tallies")
FW_REGISTER_CLASS(TTallyHolder, "Test.Tallies")

class HostWindows : public testing::RootTest {
 protected:
  IPtr<TReferenceRoot> OpenInventory() {
    return Open("Inventory.fwf", Sample("Inventory.fwf"), Sample("Inventory.pas"));
  }
  TDataModuleForm* Window() const { return As<TDataModuleForm>(Module->HostWindow()); }
  TDataModule* Data() const { return As<TDataModule>(Module->GetRoot()); }
};

TEST_F(HostWindows, ADataModuleWindowKeepsItsPlaceAndScrollPositionAcrossReopening) {
  OpenInventory();
  ASSERT_TRUE(Window());
  EXPECT_EQ(Window()->BoundsRect(), Bounds(120, 80, 320, 240));
  EXPECT_EQ(Window()->Caption(), "InventoryData");
  TComponentContainer* Icons = Window()->Container();
  // The ranges make room for the farthest icon; the offset read from the file is scrolled to.
  EXPECT_EQ(Icons->HorzScrollBar()->Range(), 428);
  EXPECT_EQ(Icons->VertScrollBar()->Range(), 328);
  EXPECT_EQ(Icons->HorzScrollBar()->Position(), 30);
  EXPECT_FALSE(Module->IsModified()) << "opening places the window without changing the module";

  Window()->SetBounds(-40, 600, 300, 260);  // a position left of the screen packs as well
  Icons->VertScrollMessage(50);
  EXPECT_TRUE(Icons->ComponentState().Contains(csDesigning)) << "designing is back after the message";
  EXPECT_TRUE(Module->IsModified());
  EXPECT_EQ(Data()->DesignOffset(), (TPoint{30, 50}));
  Module->Save();
  EXPECT_THAT(Files->Contents("Inventory.fwf"),
              AllOf(HasSubstr("Left = -40\n"), HasSubstr("Top = 600\n"), HasSubstr("VerticalOffset = 50\n")));
  Host.CloseAll();
  Module = Host.Open("Inventory.fwf");
  EXPECT_EQ(Window()->BoundsRect(), Bounds(-40, 600, 300, 260));
  EXPECT_EQ(Window()->Container()->VertScrollBar()->Position(), 50);
}

TEST_F(HostWindows, ADataModuleAcceptsNonVisualComponentsOnly) {
  OpenInventory();
  IPtr<ICustomModule> Custom = Module->GetCustomModule();
  EXPECT_TRUE(Custom->GetAttributes().Contains(cmaFloating));
  EXPECT_FALSE(Custom->ValidateComponentClass(TPanel::StaticClass()));
  EXPECT_TRUE(Custom->ValidateComponentClass(TPopupMenu::StaticClass()));
  const String Before = Written(Module);
  EXPECT_THAT([&] { Module->CreateComponent(TButton::StaticClass(), Data(), 8, 8, 75, 25); },
              Raises<ENonAIRException>(SControlsOnDataModule));
  EXPECT_EQ(Written(Module), Before);
  EXPECT_FALSE(Module->IsModified());
  EXPECT_TRUE(Module->CreateComponent(TPopupMenu::StaticClass(), Data(), 8, 8, 0, 0));
}

TEST_F(HostWindows, ARefusedClassGroupLeavesThePropertyAndTheModuleAsTheyWere) {
  RegisterClass(TTallyHolder::StaticClass());
  OpenInventory();
  const String Before = Written(Module);
  const struct {
    const char* Value;
    String Message;
  } Refused[] = {
      {"TNoSuchType", "Unable to find type 'TNoSuchType'"},
      {"Orx.Forms.TNoSuchForm", "Unable to find type 'Orx.Forms.TNoSuchForm'"},
      {"TAlign", "Type 'TAlign' must be a class type"},
      {"TTally", "Type 'TTally' must descend from Classes.TPersistent"},
      {"Classes.TPersistent",
       "The following component(s) are not available in the specified class group.\r\n"
       "This is likely to cause compile or runtime "
       "errors.\r\n\r\nOrx.ActnList.TActionList\r\nOrx.Menus.TMainMenu"},
  };
  for (const auto& R : Refused) {
    EXPECT_THAT([&] { SetProp("InventoryData.ClassGroup", R.Value); }, Raises<EInvalidType>(R.Message))
        << R.Value;
    EXPECT_EQ(Prop("InventoryData.ClassGroup"), "") << R.Value;
  }
  EXPECT_EQ(Written(Module), Before);
  EXPECT_FALSE(Module->IsModified());
  EXPECT_THAT(ValueList("InventoryData.ClassGroup"), Contains("Orx.Controls.TControl"));
  EXPECT_EQ(SetProp("InventoryData.ClassGroup", "TControl"), "Orx.Controls.TControl");
  Module->Save();
  Host.CloseAll();
  Module = Host.Open("Inventory.fwf");
  EXPECT_EQ(Prop("InventoryData.ClassGroup"), "Orx.Controls.TControl");
  UnRegisterClass(TTallyHolder::StaticClass());
}

TEST_F(HostWindows, TheClassGroupDecidesWhichClassesAnEmptyModuleAccepts) {
  Create("PlainData", "Plain.fwf", "TDataModule");
  IPtr<ICustomModule> Custom = Module->GetCustomModule();
  EXPECT_TRUE(Custom->ValidateComponentClass(TPopupMenu::StaticClass()));
  EXPECT_EQ(SetProp("PlainData.ClassGroup", "Classes.TPersistent"), "Classes.TPersistent");
  EXPECT_FALSE(Custom->ValidateComponentClass(TPopupMenu::StaticClass())) << "the framework's group is out";
}

TEST_F(HostWindows, AHostFormComesFromTheCreatorTheHostRegistered) {
  OpenInventory();
  auto Custom = Supports<ICustomDesignForm80>(Module->GetCustomModule());
  ASSERT_TRUE(Custom);
  IPtr<IHostForm> Form;
  TWinControl* Container = Window()->Container();  // the call resets it
  Custom->CreateDesignerForm(Module->GetDesigner(), Data(), Form, Container);
  EXPECT_FALSE(Form);
  EXPECT_EQ(Container, nullptr) << "without a creator there is no window";
  TComponent* Asked = nullptr;
  RegisterDataModuleHostFormCreator(
      [&](const IPtr<IDesigner>&, TComponent* Root, IPtr<IHostForm>&, TWinControl*& C) {
        Asked = Root;
        C = Window()->Container();
      });
  Custom->CreateDesignerForm(Module->GetDesigner(), Data(), Form, Container);
  EXPECT_EQ(Asked, Data());
  EXPECT_EQ(Container, Window()->Container());
}

TEST_F(HostWindows, AControlWithoutSizersFillsItsWindow) {
  TOwned<TPanel> Panel(new TPanel(nullptr));
  Panel->SetName("Toolbar");
  Panel->SetBounds(40, 30, 200, 100);
  auto Designer = MakeIntf<testing::TRecordingDesigner>();
  TOwned<TCustomForm> Form;
  TWinControl* Container = nullptr;
  MakeIntf<TWinControlCustomModule>(Panel.get(), Designer)
      ->CreateDesignerForm(Designer, Panel.get(), Form, Container);
  auto* W = As<TWinControlForm>(Form.get());
  ASSERT_TRUE(W);
  EXPECT_EQ(Container, Panel.get());
  EXPECT_EQ(Panel->Parent(), W);
  EXPECT_EQ(Panel->BoundsRect(), Bounds(0, 0, 200, 100));
  EXPECT_EQ(W->ClientRect(), Rect(0, 0, 200, 100));
  EXPECT_EQ(W->Caption(), "Toolbar");
  EXPECT_FALSE(W->WidthHandle());
  W->SetBounds(W->Left(), W->Top(), W->Width() + 30, W->Height() + 10);
  EXPECT_EQ(Panel->BoundsRect(), Bounds(0, 0, 230, 110));
  Form.reset();
  EXPECT_EQ(Panel->Parent(), nullptr) << "the window gives the control back";
}

TEST_F(HostWindows, SizersSizeTheControlByItsTagAndFollowIt) {
  TOwned<TPanel> Panel(new TPanel(nullptr));
  Panel->SetBounds(40, 30, 200, 100);
  auto Designer = MakeIntf<testing::TRecordingDesigner>();
  TOwned<TWinControlForm> W(new TWinControlForm(Panel.get(), Designer, true));
  EXPECT_EQ(Panel->BoundsRect(), Bounds(40, 30, 200, 100)) << "with sizers the control keeps its place";
  EXPECT_EQ(W->WidthHandle()->BoundsRect(), Bounds(240, 30, 5, 5));
  EXPECT_EQ(W->HeightHandle()->BoundsRect(), Bounds(40, 130, 5, 5));
  EXPECT_EQ(W->SizeHandle()->BoundsRect(), Bounds(240, 130, 5, 5));
  EXPECT_FALSE(W->SizeHandle()->ComponentState().Contains(csDesigning));

  // The width handle moves the right edge only; the press is at (2, 2) of the handle.
  W->WidthHandle()->MouseDown(mbLeft, {}, 2, 2);
  EXPECT_TRUE(W->AutoRangeSuspended());
  W->WidthHandle()->MouseMove({}, 2 + 25, 2 + 40);
  EXPECT_EQ(Panel->BoundsRect(), Bounds(40, 30, 225, 100));
  EXPECT_EQ(W->WidthHandle()->Left(), 265);
  W->WidthHandle()->MouseUp(mbLeft, {}, 2, 42);
  EXPECT_FALSE(W->AutoRangeSuspended());
  EXPECT_EQ(Designer->FModifiedCount, 1);

  // The corner dragged left of the control asks for a negative width: the constraints decide.
  W->SizeHandle()->MouseDown(mbLeft, {}, 0, 0);
  W->SizeHandle()->MouseMove({}, -300, 20);
  EXPECT_EQ(Panel->BoundsRect(), Bounds(40, 30, 0, 120));
  Panel->Constraints()->SetMinWidth(16);
  W->SizeHandle()->MouseMove({}, 0, 0);  // still far left of the press point
  EXPECT_EQ(Panel->Width(), 16);
  W->SizeHandle()->MouseUp(mbLeft, {}, 0, 0);
  EXPECT_EQ(W->SizeHandle()->BoundsRect(), Bounds(56, 150, 5, 5));
  W.reset();
}

}  // namespace
}  // namespace formwright
