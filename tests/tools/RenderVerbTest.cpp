// render: the picture of a form, and refusals that write nothing.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

// Width and height from a PNG file's header (big-endian, after the signature and chunk head).
std::pair<int, int> PngSize(const std::string& Png) {
  auto At = [&](size_t I) {
    return int(uint8_t(Png[I])) << 24 | int(uint8_t(Png[I + 1])) << 16 | int(uint8_t(Png[I + 2])) << 8 |
           int(uint8_t(Png[I + 3]));
  };
  if (Png.size() < 24 || Png.compare(1, 3, "PNG") != 0) return {0, 0};
  return {At(16), At(20)};
}

TEST_F(ToolTest, RenderDrawsTheFormAtItsSizeTimesTheScale) {
  const auto Doc = Show("Main.fwf");
  const int W = Doc["root"]["bounds"]["width"], H = Doc["root"]["bounds"]["height"];
  TRunResult R = Run("render Main.fwf --handles SearchButton");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_EQ(PngSize(Read("Main.png")), std::make_pair(W, H));
  EXPECT_THAT(R.Out, HasSubstr("Main.fwf: rendered"));
  R = Run("render Data.fwf -o big.png --scale 3 --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const auto Out = Json(R);
  EXPECT_EQ(PngSize(Read("big.png")), std::make_pair(int(Out["width"]), int(Out["height"])));
  EXPECT_EQ(int(Out["width"]) % 3, 0);
}

TEST_F(ToolTest, RenderRefusesBadInputAndWritesNothing) {
  fs::create_directory(Dir / "Dialog.png");  // a picture that cannot be written
  ExpectEachRefused({
      {"render Main.fwf --scale 0", 2, "--scale takes a whole number from 1 to 8, not '0'"},
      {"render Main.fwf --scale 2x", 2, "--scale takes a whole number from 1 to 8, not '2x'"},
      {"render Main.fwf Dialog.fwf -o both.png", 2, "-o names the picture of one module"},
      {"render Main.fwf -o Main.fwf", 2, "-o names the .png picture to write, not 'Main.fwf'"},
      {"render Main.fwf -o Main.pas", 2, "-o names the .png picture to write, not 'Main.pas'"},
      {"render Nowhere.fwf", 1, "Nowhere.fwf"},
      {"render Main.fwf -o missing/dir/x.png", 1, "Cannot write file \"missing/dir/x.png\""},
      {"render Main.fwf Dialog.fwf", 1, "Cannot write file \"Dialog.png\""},
      {"render Main.fwf Dialog.fwf -j 1", 1, "Cannot write file \"Dialog.png\""},
      {"render Main.fwf --handles NoSuchButton", 1, "NoSuchButton"},
  });
}

}  // namespace
}  // namespace formwright::testing
