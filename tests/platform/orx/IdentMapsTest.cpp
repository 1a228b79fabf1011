// The framework's identifier maps: every identifier names one value and types back to it, texts
// parse by identifier or number, and bad text is refused.
#include <gmock/gmock.h>

#include <functional>
#include <optional>
#include <set>

#include "platform/orx/Charsets.h"
#include "platform/orx/Colors.h"
#include "platform/orx/Cursors.h"
#include "platform/orx/ModalResults.h"
#include "platform/orx/ShortCuts.h"
#include "tests/support/Matchers.h"

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

// One family: text to value (nullopt: refused) and value to the text shown.
struct TFamily {
  std::function<std::optional<int64_t>(const String&)> Parse;
  std::function<String(int64_t)> Show;
};

template <class F>
std::optional<int64_t> Refusing(F Parse) {
  try {
    return Parse();
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

const std::map<String, TFamily>& Families() {
  static const std::map<String, TFamily> F{
      {"colour",
       {[](const String& S) { return Refusing([&] { return int64_t(StringToColor(S)); }); },
        [](int64_t V) { return ColorToString(TColor(static_cast<int32_t>(V))); }}},
      {"cursor",
       {[](const String& S) { return Refusing([&] { return int64_t(StringToCursor(S)); }); },
        [](int64_t V) { return CursorToString(TCursor(static_cast<int16_t>(V))); }}},
      {"shortcut",
       {[](const String& S) -> std::optional<int64_t> {
          const TShortCut K = TextToShortCut(S);
          return K ? std::optional<int64_t>(K) : std::nullopt;
        },
        [](int64_t V) { return ShortCutToText(TShortCut(static_cast<uint16_t>(V))); }}},
  };
  return F;
}

struct TCase {
  const char* Family;
  const char* Text;
  std::optional<int64_t> Value;  // nullopt: refused
  const char* Shown;             // the text the value shows as
};

TEST(IdentMaps, TextsParseByIdentifierOrNumberAndShowBack) {
  const TCase Cases[] = {
      {"colour", "clWindow", clWindow, "clWindow"},
      {"colour", " clface ", clFace, "clFace"},
      {"colour", "$00FF8000", 0x00FF8000, "$00FF8000"},
      {"colour", "$FF000019", int32_t(0xFF000019), "$FF000019"},  // a system colour without a name
      {"colour", "-16777201", clFace, "clFace"},
      {"colour", "255", clRed, "clRed"},
      {"colour", "clBtnFace", std::nullopt, ""},
      {"colour", "$1FFFFFFFF", std::nullopt, ""},
      {"colour", "", std::nullopt, ""},
      {"cursor", "crHand", crHand, "crHand"},
      {"cursor", "CRTEXT", crText, "crText"},
      {"cursor", "-22", crMove, "crMove"},
      {"cursor", "5", 5, "5"},
      {"cursor", "crHandPoint", std::nullopt, ""},
      {"cursor", "40000", std::nullopt, ""},
      {"shortcut", "Ctrl+O", scCtrl | 'O', "Ctrl+O"},
      {"shortcut", "shift+ctrl+f1", scShift | scCtrl | vkF1, "Shift+Ctrl+F1"},
      {"shortcut", "Alt+Shift+BkSp", scShift | scAlt | vkBack, "Shift+Alt+BkSp"},
      {"shortcut", "Ctrl+Ins", scCtrl | vkInsert, "Ctrl+Ins"},
      {"shortcut", "F12", vkF1 + 11, "F12"},
      {"shortcut", "Ctrl+", std::nullopt, ""},
      {"shortcut", "Ctrl+Shift", std::nullopt, ""},
      {"shortcut", "Hyper+X", std::nullopt, ""},
      {"shortcut", "(None)", std::nullopt, ""},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(Format("%s '%s'", C.Family, C.Text));
    const TFamily& F = Families().at(C.Family);
    const std::optional<int64_t> Value = F.Parse(C.Text);
    EXPECT_EQ(Value, C.Value);
    if (Value) {
      EXPECT_EQ(F.Show(*Value), C.Shown);
      EXPECT_EQ(F.Parse(F.Show(*Value)), Value) << "the shown text types back";
    }
  }
}

TEST(IdentMaps, RefusalsNameTheText) {
  EXPECT_THAT([] { StringToColor("clPlaid"); },
              testing::Raises<EConvertError>("'clPlaid' is not a valid colour"));
  EXPECT_THAT([] { StringToCursor("crPointer"); },
              testing::Raises<EConvertError>("'crPointer' is not a valid cursor"));
  EXPECT_EQ(ModalResultToString(mrCancel), "mrCancel");
  EXPECT_EQ(ModalResultToString(TModalResult(15)), "15");
}

}  // namespace
}  // namespace formwright::orx
