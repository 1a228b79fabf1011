// The design surface's picture of its module, and what its items show while dragged.
#include <gmock/gmock.h>

#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "host/root/Surface.h"
#include "moduledesigner/DesignPackage.h"

using namespace formwright;
using namespace formwright::orx;
using formwright::testing::Make;
using formwright::testing::Raises;

namespace {

class SurfacePicture : public ::testing::Test {
 protected:
  SurfacePicture() : Form(new TForm(nullptr)) {
    Form->SetName("Form1");
    Form->SetBounds(0, 0, 300, 200);
    Form->SetBorderStyle(bsNone);
    Form->SetColor(clWhite);
    Button = Make<TButton>(Form.get(), "Button1", Form.get(), Bounds(20, 30, 75, 25));
    Actions = Make<TActionList>(Form.get(), "ActionList1");
    Actions->SetDesignInfo(DesignInfoFromPosition({200, 100}));
    Surface = MakeIntf<TOrxDesignSurface>(Form.get());
  }
  ~SurfacePicture() override { Surface.Reset(); }

  IPtr<IItem> ItemOf(TPersistent* P) { return Surface->FindItem(P); }
  // How many pixels of the picture differ from Before inside R.
  int Changed(const std::vector<uint32_t>& Before, const TRect& R) {
    TBitmap& P = Surface->Picture();
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X)
        N += P.Pixels()[size_t(Y * P.Width() + X)] != Before[size_t(Y * P.Width() + X)];
    return N;
  }

  TDesignPackageScope Package;
  TOwned<TForm> Form;
  TButton* Button;
  TActionList* Actions;
  IPtr<TOrxDesignSurface> Surface;
};

// Controls draw themselves while dragged and icons show their picture: both are laid over the
// form by exclusive-or where they are dragged to, inside as well as on the edge, and ending the
// drag gives the form back pixel for pixel.
TEST_F(SurfacePicture, DraggedItemsShowTheirOwnLookAndLeaveThePictureAsItWas) {
  TSurfacePicture How;
  How.Options.DisplayGrid = false;
  Surface->PaintPicture(How);
  const std::vector<uint32_t> Before = Surface->Picture().Pixels();
  EXPECT_FALSE(Supports<IItem2D>(ItemOf(Actions)));
  const IPtr<IDragImage> Icon = Supports<IDragImage>(ItemOf(Actions));
  const IPtr<IDragBoxesEx> Boxes = Supports<IDragBoxesEx>(Surface->CreateDragBoxes(Surface->GetRoot(), {}));
  ASSERT_TRUE(Boxes);
  Boxes->Add(Supports<IItem2D>(ItemOf(Button)), daMove);
  Boxes->Add(Icon, Bounds(150, 80, NonVisualIconSize, NonVisualIconSize), daMove);
  Boxes->MoveBy(0, 100, daMove);  // the button to y 130, the icon partly past the bottom edge
  EXPECT_EQ(Changed(Before, Bounds(20, 30, 75, 25)), 0) << "taken off where it was";
  const int OnButton = Changed(Before, Bounds(20, 130, 75, 25));
  EXPECT_GT(OnButton, 75 * 25 / 2) << "the button's face, not only an outline";
  EXPECT_GT(Changed(Before, Rect(150, 0, 300, 200)), 0);
  Boxes->Done();
  EXPECT_EQ(Surface->Picture().Pixels(), Before);
}

TEST_F(SurfacePicture, ADataModuleShowsItsIconsAndARootWithoutAreaIsRefused) {
  TOwned<TDataModule> Module(new TDataModule(nullptr));
  Module->SetName("Data1");
  Module->SetDesignSize({120, 80});
  auto* List = Make<TActionList>(Module.get(), "Actions");
  List->SetDesignInfo(DesignInfoFromPosition({10, 10}));
  auto DataSurface = MakeIntf<TOrxDesignSurface>(Module.get());
  DataSurface->PaintPicture();
  EXPECT_EQ(DataSurface->Picture().Width(), 120);
  EXPECT_NE(DataSurface->Picture().Pixel(20, 20), DataSurface->Picture().Pixel(100, 70));
  Module->SetDesignSize({0, 80});
  const std::vector<uint32_t> Before = DataSurface->Picture().Pixels();
  EXPECT_THAT([&] { DataSurface->PaintPicture(); },
              Raises<Exception>("Data1 has no area to render (0 x 80)"));
  EXPECT_EQ(DataSurface->Picture().Pixels(), Before);
  DataSurface.Reset();
}

}  // namespace
