// The framework's identifier tables: every identifier names one value and types back to it,
// texts parse by identifier or number in the table's range, and bad text is refused with the
// table's own message.
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
  const std::tuple<const char*, const TIdentTable&, size_t> Tables[] = {
      {"colours", ColorIdents(), 52},
      {"cursors", CursorIdents(), 22},
      {"charsets", CharsetIdents(), 19},
      {"modal results", ModalResultIdents(), 15},
  };
  for (const auto& [Family, Table, Size] : Tables) {
    SCOPED_TRACE(Family);
    EXPECT_EQ(Table.Entries().size(), Size);
    std::set<int32_t> Values;
    std::set<String> Names;
    for (const TIdentMapEntry& E : Table.Entries()) {
      EXPECT_TRUE(Values.insert(E.Value).second) << E.Name << " repeats a value";
      EXPECT_TRUE(Names.insert(UpperCase(E.Name)).second) << E.Name << " repeats a name";
      EXPECT_EQ(Table.ToString(E.Value), E.Name);
      EXPECT_EQ(Table.FromString(" " + LowerCase(E.Name) + " "), E.Value);
    }
  }
}

TEST(IdentMaps, NumbersTypeBackAsShownAndOtherTextIsRefused) {
  struct TCase {
    const TIdentTable& Table;
    const char* Text;
    const char* Shown;  // after a round trip; for a refusal, the message
    bool Refused = false;
  };
  const TCase Cases[] = {
      {ColorIdents(), "$00FF00FF", "clFuchsia"},
      {ColorIdents(), "255", "clRed"},
      {ColorIdents(), "$00123456", "$00123456"},
      // A system colour without a name shows unsigned and types back to the same value.
      {ColorIdents(), "$FF000019", "$FF000019"},
      {ColorIdents(), "-16777201", "clFace"},
      {ColorIdents(), "clPlaid", "'clPlaid' is not a valid colour", true},
      {ColorIdents(), "$1FFFFFFFF", "'$1FFFFFFFF' is not a valid colour", true},
      {ColorIdents(), "", "'' is not a valid colour", true},
      {CursorIdents(), "-5", "-5"},
      {CursorIdents(), "40000", "'40000' is not a valid cursor", true},
      {CharsetIdents(), "3", "3"},
      {CharsetIdents(), "256", "'256' is not a valid character set", true},
      {ModalResultIdents(), "15", "15"},
      {ModalResultIdents(), "mrMaybe", "'mrMaybe' is not a valid modal result", true},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Text);
    if (C.Refused)
      EXPECT_THAT([&] { C.Table.FromString(C.Text); }, testing::Raises<EConvertError>(C.Shown));
    else
      EXPECT_EQ(C.Table.ToString(C.Table.FromString(C.Text)), C.Shown);
  }
  EXPECT_EQ(ColorToRGB(clFace), 0xF0F0F0);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  // Modifiers in any order and case show as Shift, Ctrl, Alt; a text without a key names none.
  EXPECT_EQ(ShortCutToText(TextToShortCut("alt+SHIFT+bksp")), "Shift+Alt+BkSp");
  for (const char* Bad : {"Ctrl+", "Ctrl+Shift", "Hyper+X", "(None)"})
    EXPECT_EQ(TextToShortCut(Bad), 0) << Bad;
}

}  // namespace
}  // namespace formwright::orx
