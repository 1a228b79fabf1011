// The framework's identifier maps: every identifier names one value and types back to it, texts
// parse by identifier or number, and bad text is refused.
#include <gmock/gmock.h>

#include <set>

#include "formwright/testing/Matchers.h"
#include "platform/orx/Charsets.h"
#include "platform/orx/Colors.h"
#include "platform/orx/Cursors.h"
#include "platform/orx/ModalResults.h"
#include "platform/orx/ShortCuts.h"

namespace formwright::orx {
namespace {

TEST(IdentMaps, EveryIdentifierNamesOneValueAndEachValueHasOneIdentifier) {
  const std::pair<const char*, TIdentMap> Maps[] = {
      {"colours", ColorIdents()},
      {"cursors", CursorIdents()},
      {"charsets", CharsetIdents()},
      {"modal results", ModalResultIdents()},
  };
  for (const auto& [Family, Map] : Maps) {
    SCOPED_TRACE(Family);
    std::set<int32_t> Values;
    std::set<String> Names;
    for (const TIdentMapEntry& E : Map) {
      EXPECT_TRUE(Values.insert(E.Value).second) << E.Name << " repeats a value";
      EXPECT_TRUE(Names.insert(UpperCase(E.Name)).second) << E.Name << " repeats a name";
      String Back;
      int32_t Value = 0;
      EXPECT_TRUE(IntToIdent(E.Value, Back, Map) && Back == E.Name);
      EXPECT_TRUE(IdentToInt(LowerCase(E.Name), Value, Map) && Value == E.Value);
    }
  }
  EXPECT_EQ(ModalResultIdents().size(), 15u);
  EXPECT_EQ(ModalResultIdents()[14].Name, String("mrYesToAll"));
}

TEST(IdentMaps, NumbersTypeBackAsShownAndOtherTextIsRefused) {
  // A system colour without a name shows unsigned and types back to the same negative value.
  EXPECT_EQ(ColorToString(TColor(int32_t(0xFF000019))), "$FF000019");
  EXPECT_EQ(StringToColor("$FF000019"), TColor(int32_t(0xFF000019)));
  EXPECT_EQ(StringToColor(" clface "), clFace);
  EXPECT_EQ(StringToColor("-16777201"), clFace);
  for (const char* Bad : {"clPlaid", "$1FFFFFFFF", ""})
    EXPECT_THAT([&] { StringToColor(Bad); },
                testing::Raises<EConvertError>(Format("'%s' is not a valid colour", Bad)));
  EXPECT_THAT([] { StringToCursor("40000"); },
              testing::Raises<EConvertError>("'40000' is not a valid cursor"));
  // Modifiers in any order and case show as Shift, Ctrl, Alt; a text without a key names none.
  EXPECT_EQ(ShortCutToText(TextToShortCut("alt+SHIFT+bksp")), "Shift+Alt+BkSp");
  for (const char* Bad : {"Ctrl+", "Ctrl+Shift", "Hyper+X", "(None)"})
    EXPECT_EQ(TextToShortCut(Bad), 0) << Bad;
  EXPECT_EQ(ModalResultToString(TModalResult(15)), "15");
}

}  // namespace
}  // namespace formwright::orx
