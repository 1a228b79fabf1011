#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "formwright/testing/TempFolder.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

namespace {

std::vector<uint8_t> IconData(uint8_t W, uint8_t H) {
  std::vector<uint8_t> D(22, 0);
  D[2] = 1;  // type: icon
  D[4] = 1;  // one image
  D[6] = W;
  D[7] = H;
  return D;
}

TEST(Pictures, BitmapsKnowTheirSizeAndRoundTripThroughFiles) {
  TBitmap B;
  B.SetSize(100, 50);
  const TTempFolder Folder;
  const String File = Folder.PathOf("picture.bmp");
  B.SaveToFile(File);
  TPicture P;
  P.LoadFromFile(File);
  ASSERT_NE(dynamic_cast<TBitmap*>(P.Graphic()), nullptr);
  EXPECT_EQ(P.Width(), 100);
  EXPECT_EQ(P.Height(), 50);
  EXPECT_TRUE(P.Graphic()->Equals(B));
}

TEST(Pictures, BadDataAndUnknownExtensionsAreRefusedKeepingThePicture) {
  TPicture P;
  P.Icon()->SetData(IconData(32, 16));
  EXPECT_EQ(P.Width(), 32);
  EXPECT_THAT([&] { P.LoadFromFile("drawing.xyz"); },
              Raises<EInvalidGraphic>("Unknown picture file extension (.xyz)"));
  EXPECT_THROW(P.Icon()->SetData({1, 2, 3}), EInvalidGraphic);
  EXPECT_EQ(P.Width(), 32);
  EXPECT_THROW(P.LoadFromFile("/nonexistent-dir/missing.bmp"), EInvalidGraphic);
  EXPECT_NE(dynamic_cast<TIcon*>(P.Graphic()), nullptr);
  P.Icon()->SetData(IconData(0, 0));
  EXPECT_EQ(P.Width(), 256);
}

TEST(Pictures, AssignCopiesAndNilClears) {
  TPicture A, B;
  A.Bitmap()->SetSize(10, 20);
  B.Assign(&A);
  ASSERT_NE(B.Graphic(), A.Graphic());
  EXPECT_EQ(B.Height(), 20);
  A.Bitmap()->SetSize(1, 1);
  EXPECT_EQ(B.Height(), 20);
  B.Assign(nullptr);
  EXPECT_EQ(B.Graphic(), nullptr);
  EXPECT_EQ(B.Width(), 0);
  TFont F;
  EXPECT_THROW(B.Assign(&F), EConvertError);
}

TEST(Pictures, FiltersAndExtensionsComeFromTheFormatRegistry) {
  EXPECT_EQ(GraphicFilter(TGraphic::StaticClass()),
            "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
            "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
  EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), "All (*.bmp)|*.bmp|Bitmaps (*.bmp)|*.bmp");
  EXPECT_EQ(GraphicExtension(TMetafile::StaticClass()), "emf");
  EXPECT_EQ(GraphicClassOfExtension("ICO"), TIcon::StaticClass());
}

TEST(Pictures, MetafileHeadersGiveTheirSize) {
  std::vector<uint8_t> Wmf(22, 0);
  const uint8_t Key[] = {0xD7, 0xCD, 0xC6, 0x9A};
  std::copy(Key, Key + 4, Wmf.begin());
  Wmf[10] = 0xA0;  // right = 1440 twips ($05A0)
  Wmf[11] = 0x05;
  Wmf[12] = 0xD0;  // bottom = 720 ($02D0)
  Wmf[13] = 0x02;
  Wmf[14] = 0xA0;  // 1440 units per inch
  Wmf[15] = 0x05;
  TMetafile M;
  M.SetData(Wmf);
  EXPECT_FALSE(M.Enhanced());
  EXPECT_EQ(M.Width(), 96);
  EXPECT_EQ(M.Height(), 48);
}

TEST(Canvases, RecordWhatWasDrawnWithTheColoursOfTheMoment) {
  TRecordingCanvas C;
  C.Brush()->SetColor(clRed);
  C.FillRect(Rect(0, 0, 10, 10));
  C.Brush()->SetColor(clNone);
  EXPECT_EQ(C.Brush()->Style(), bsClear);
  C.TextOut(5, 6, "abc");
  C.MoveTo(1, 1);
  C.LineTo(4, 8);
  ASSERT_EQ(C.Operations().size(), 3u);
  EXPECT_EQ(C.Operations()[0].BrushColor, clRed);
  EXPECT_EQ(C.Operations()[1].Rect, Bounds(5, 6, 18, 14));
  EXPECT_EQ(C.Operations()[2].Rect, Rect(1, 1, 4, 8));
  EXPECT_EQ(C.PenPos(), (TPoint{4, 8}));
  EXPECT_EQ(C.TextWidth("abcd"), 24);
}

TEST(Canvases, ImagesPlaceTheirPicture) {
  TOwned<TForm> Form(new TForm(nullptr));
  auto* Image = Make<TImage>(Form.get(), "Image1", Form.get(), Bounds(0, 0, 221, 221));
  Image->Picture()->Bitmap()->SetSize(1000, 400);
  Image->SetProportional(true);
  EXPECT_EQ(Image->DestRect(), Rect(0, 0, 221, 88));
  Image->SetCenter(true);
  EXPECT_EQ(Image->DestRect(), Bounds(0, 66, 221, 88));
  Image->Picture()->Bitmap()->SetSize(100, 50);
  EXPECT_EQ(Image->DestRect(), Bounds(60, 85, 100, 50));
  Image->Repaint();
  ASSERT_EQ(Image->Recording()->Operations().size(), 1u);
  EXPECT_EQ(Image->Recording()->Operations()[0].Kind, TCanvasOpKind::Draw);
  EXPECT_EQ(Image->Recording()->Operations()[0].Text, "TBitmap");
  Image->SetAutoSize(true);
  EXPECT_EQ(Image->BoundsRect(), Bounds(0, 0, 100, 50));
}

TEST(Canvases, ShapesDrawInsideTheirPen) {
  TOwned<TForm> Form(new TForm(nullptr));
  auto* Shape = Make<TShape>(Form.get(), "Shape1", Form.get(), Bounds(0, 0, 80, 40));
  Shape->Pen()->SetWidth(3);
  Shape->SetShape(stCircle);
  EXPECT_EQ(Shape->ShapeRect(), Bounds(1 + 20, 1, 38, 38));
  Shape->Brush()->SetColor(clYellow);
  Shape->Repaint();
  ASSERT_EQ(Shape->Recording()->Operations().size(), 1u);
  EXPECT_EQ(Shape->Recording()->Operations()[0].Kind, TCanvasOpKind::Ellipse);
  EXPECT_EQ(Shape->Recording()->Operations()[0].BrushColor, clYellow);
}

}  // namespace
