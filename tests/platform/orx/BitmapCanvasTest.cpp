#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "formwright/testing/TempFolder.h"
#include "platform/orx/BitmapCanvas.h"
#include "platform/orx/ImgList.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::HasSubstr;

namespace {

void Fill(TBitmap& B, int32_t W, int32_t H, TColor Color) {
  B.SetSize(W, H);
  TBitmapCanvas C(B);
  C.Brush()->SetColor(Color);
  C.FillRect(Rect(0, 0, W, H));
}

// Every primitive drawn twice in exclusive-or mode leaves the pixels as they were, however it
// overlaps itself (frame corners, text, a thick diagonal, an ellipse's outline and fill).
TEST(BitmapCanvas, ExclusiveOrTwiceRestoresThePixels) {
  const std::vector<std::function<void(TCanvas&)>> Draws = {
      [](TCanvas& C) { C.FrameRect(Rect(3, 3, 40, 30)); },
      [](TCanvas& C) { C.FillRect(Rect(-5, 10, 20, 50)); },
      [](TCanvas& C) { C.TextOut(2, 2, "Drag me"); },
      [](TCanvas& C) {
        C.Pen()->SetWidth(3);
        C.MoveTo(0, 0);
        C.LineTo(47, 31);
      },
      [](TCanvas& C) { C.Ellipse(Rect(5, 5, 45, 35)); },
  };
  TBitmap B;
  Fill(B, 48, 36, clTeal);
  B.SetPixel(10, 10, clYellow);
  const std::vector<uint8_t> Before = B.Data();
  for (size_t I = 0; I < Draws.size(); ++I) {
    {
      TBitmapCanvas C(B);
      C.SetDrawMode(dmXor);
      C.Pen()->SetColor(clWhite);
      C.Brush()->SetColor(clRed);
      Draws[I](C);
      C.Flush();
      EXPECT_NE(B.Data(), Before) << "draw " << I << " changed nothing";
      Draws[I](C);
    }
    EXPECT_EQ(B.Data(), Before) << "draw " << I;
  }
}

TEST(BitmapCanvas, DrawsWholePixelsInsideOriginAndClip) {
  TBitmap B;
  Fill(B, 20, 10, clWhite);
  {
    TBitmapCanvas C(B);
    C.SetOrigin({5, 2});
    C.SetClipRect(Rect(0, 0, 4, 4));
    C.Brush()->SetColor(clBlue);
    C.FillRect(Rect(-3, -3, 10, 10));  // clipped to device (5, 2)-(9, 6)
    C.SetClipRect(TRect());
    C.Pen()->SetColor(clRed);
    C.MoveTo(6, 7);
    C.LineTo(10, 7);  // device (11..14, 9): the end point is not drawn
  }
  EXPECT_EQ(B.Pixel(5, 2), clBlue);
  EXPECT_EQ(B.Pixel(8, 5), clBlue);
  EXPECT_EQ(B.Pixel(4, 2), clWhite);
  EXPECT_EQ(B.Pixel(9, 5), clWhite);
  EXPECT_EQ(B.Pixel(11, 9), clRed);
  EXPECT_EQ(B.Pixel(14, 9), clRed);
  EXPECT_EQ(B.Pixel(15, 9), clWhite);
}

TEST(BitmapCanvas, TextHasRealGlyphsAndRealMetrics) {
  TGlyphFontMetrics M;
  TFont F;
  EXPECT_LT(M.TextExtent(F, "iiii").cx, M.TextExtent(F, "WWWW").cx);
  F.SetStyle(TFontStyles{fsBold});
  TFont Plain;
  EXPECT_GT(M.TextExtent(F, "Bold text").cx, M.TextExtent(Plain, "Bold text").cx);
  // Drawn text darkens pixels inside its extent and nowhere else.
  TBitmap B;
  Fill(B, 60, 20, clWhite);
  TSize E;
  {
    TBitmapCanvas C(B);
    C.Brush()->SetStyle(bsClear);
    E = C.TextExtent("Hello");
    C.TextOut(0, 0, "Hello");
  }
  int Inside = 0, Outside = 0;
  for (int32_t Y = 0; Y < 20; ++Y)
    for (int32_t X = 0; X < 60; ++X)
      if (B.Pixel(X, Y) != clWhite) (X < E.cx && Y < E.cy ? Inside : Outside)++;
  EXPECT_GT(Inside, 20);
  EXPECT_EQ(Outside, 0);
}

TEST(BitmapCanvas, PngRoundTripAndBadFilesLeaveTheBitmap) {
  TTempFolder Dir;
  TBitmap B;
  Fill(B, 7, 5, clNavy);
  B.SetPixel(6, 4, clLime);
  B.SaveToPng(Dir.PathOf("b.png"));
  TBitmap Back;
  Back.LoadFromPng(Dir.PathOf("b.png"));
  EXPECT_EQ(Back.Data(), B.Data());

  const String NotPng = Dir.Write("x.png", "not an image");
  EXPECT_THAT([&] { Back.LoadFromPng(NotPng); }, Raises<EInvalidGraphic>("Invalid image"));
  EXPECT_THAT([&] { Back.LoadFromPng(Dir.PathOf("none.png")); },
              Raises<EInvalidGraphic>(HasSubstr("Cannot open")));
  EXPECT_THAT([&] { B.SaveToPng(Dir.PathOf("no/such/dir.png")); },
              Raises<EInvalidGraphic>(HasSubstr("Cannot write")));
  EXPECT_EQ(Back.Data(), B.Data());
}

TEST(BitmapCanvas, DrawAndStretchDrawCopyPixels) {
  TBitmap Dot;
  Fill(Dot, 2, 2, clRed);
  TBitmap B;
  Fill(B, 10, 10, clWhite);
  {
    TBitmapCanvas C(B);
    C.Draw(1, 1, &Dot);
    C.StretchDraw(Rect(4, 4, 10, 10), &Dot);
  }
  EXPECT_EQ(B.Pixel(2, 2), clRed);
  EXPECT_EQ(B.Pixel(3, 3), clWhite);
  EXPECT_EQ(B.Pixel(9, 9), clRed);
}

TEST(ImageLists, KeepEqualSizedCopiesAndRefuseOthers) {
  TImageList L(nullptr);
  L.SetSize(4, 4);
  TBitmap Strip;
  Fill(Strip, 12, 4, clRed);
  Strip.SetPixel(5, 0, clBlue);
  EXPECT_EQ(L.AddStrip(Strip), 0);
  EXPECT_EQ(L.Count(), 3);
  TBitmap Second;
  Second.SetData(L.Images(1).Data());
  EXPECT_EQ(Second.Pixel(1, 0), clBlue);
  TBitmap Wrong;
  Fill(Wrong, 5, 4, clRed);
  EXPECT_THAT([&] { L.Add(Wrong); }, Raises<EInvalidOperation>("Invalid image size"));
  EXPECT_THAT([&] { L.Replace(0, Wrong); }, Raises<EInvalidOperation>("Invalid image size"));
  EXPECT_THAT([&] { L.Delete(3); }, Raises<EListError>("List index out of bounds (3)"));
  EXPECT_EQ(L.Count(), 3);
  TRecordingCanvas C;
  L.Draw(C, 8, 9, 2);
  ASSERT_EQ(C.Operations().size(), 1u);
  EXPECT_EQ(C.Operations()[0].Rect, Bounds(8, 9, 4, 4));
}

}  // namespace
