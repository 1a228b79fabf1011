#include <gtest/gtest.h>

#include "platform/runtime/Clipboard.h"

using namespace formwright;

namespace {

TEST(Clipboard, FormatsRegisteredByNameKeepTheirIds) {
  const TClipboardFormat A = RegisterClipboardFormat("Pellam Components");
  const TClipboardFormat B = RegisterClipboardFormat("Pellam Component");
  EXPECT_NE(A, B);
  EXPECT_GE(A, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("pellam components"), A);
  EXPECT_EQ(GetClipboardFormatName(B), "Pellam Component");
  EXPECT_EQ(GetClipboardFormatName(CF_TEXT), "");
}

TEST(Clipboard, OpenGroupsBlocksAndSetReplacesOutsideAGroup) {
  TClipboard& C = Clipboard();
  const TClipboardFormat F = RegisterClipboardFormat("Pellam Components");
  C.Open();
  C.SetData(F, "\x01\x02", 2);
  C.SetAsText("object A: TA\nend");
  C.Close();
  EXPECT_TRUE(C.HasFormat(F));
  EXPECT_TRUE(C.HasFormat(CF_TEXT));
  EXPECT_EQ(C.GetData(F), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(C.AsText(), "object A: TA\nend");
  C.SetAsText("plain");
  EXPECT_FALSE(C.HasFormat(F));
  EXPECT_EQ(C.Formats(), std::vector<TClipboardFormat>{CF_TEXT});
  TOwned<TStringStream> S(new TStringStream("stream data"));
  C.SetStream(F, S.get());
  TOwned<TStringStream> Out(new TStringStream);
  C.GetStream(F, Out.get());
  EXPECT_EQ(Out->DataString(), "stream data");
  C.Clear();
  EXPECT_EQ(C.AsText(), "");
  EXPECT_TRUE(C.GetData(F).empty());
}

}  // namespace
