#include <gmock/gmock.h>

#include "formwright/testing/Matchers.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::ElementsAre;

namespace {
std::vector<String> Names(const std::vector<PPropInfo>& L) {
  std::vector<String> R;
  for (PPropInfo P : L) R.push_back(P->Name);
  return R;
}
}  // namespace

TEST(TypInfo, PropertyListsAreFilteredByKindAndSortedByName) {
  TClass W = TTestWidget::StaticClass();
  const auto All = GetPropList(W);
  for (size_t I = 1; I < All.size(); ++I) EXPECT_LT(CompareText(All[I - 1]->Name, All[I]->Name), 0);
  // Inherited properties take part.
  EXPECT_NE(GetPropInfo(W, "name"), nullptr);
  EXPECT_EQ(GetPropInfo(W, "NAME")->Declarer, TComponent::StaticClass());
  EXPECT_THAT(Names(GetPropList(W, TTypeKinds{tkMethod})), ElementsAre("OnClick", "OnKey"));
  EXPECT_THAT(Names(GetPropList(W, TTypeKinds{tkClass})), ElementsAre("Buddy", "Font", "Items"));
  EXPECT_EQ(GetPropList(W->ClassInfo(), TTypeKinds{tkInt64}).size(), 1u);
  EXPECT_EQ(GetPropInfo(W, "Missing"), nullptr);
  EXPECT_EQ(W->PropCount(), static_cast<int>(GetPropInfos(W).size()));
}

TEST(TypInfo, TypesDescribeTheirKindsRangesAndNames) {
  TTestWidget W(nullptr);
  auto Type = [&](const char* N) { return GetPropInfo(&W, N)->PropType; };
  const std::tuple<const char*, TTypeKind, const char*> Kinds[] = {
      {"Small", tkInteger, "Byte"}, {"Color", tkInteger, "TTestColor"}, {"Big", tkInt64, nullptr},
      {"Letter", tkChar, nullptr},  {"WideLetter", tkWChar, nullptr},   {"Enabled", tkEnumeration, "Boolean"},
      {"Shapes", tkSet, nullptr},   {"When", tkFloat, "TDateTime"},     {"Caption", tkUString, nullptr},
      {"Wide", tkWString, nullptr}, {"Value", tkVariant, nullptr},      {"Link", tkInterface, nullptr},
      {"Font", tkClass, nullptr}};
  for (const auto& [Property, Kind, Name] : Kinds) {
    EXPECT_EQ(Type(Property)->Kind, Kind) << Property;
    if (Name) {
      EXPECT_EQ(Type(Property)->Name, Name) << Property;
    }
  }
  EXPECT_EQ(GetTypeData(Type("Small"))->MaxValue, 255);
  EXPECT_EQ(GetTypeData(Type("Unsigned"))->OrdType, otULong);
  EXPECT_THAT(Type("Shape")->Data.NameList, ElementsAre("tsCircle", "tsSquare", "tsTriangle"));
  EXPECT_EQ(GetTypeData(Type("Shapes"))->CompType, Type("Shape"));
  EXPECT_EQ(GetTypeData(Type("Single"))->FloatType, ftSingle);
  EXPECT_EQ(GetTypeData(Type("Font"))->ClassType, TTestFont::StaticClass());
  EXPECT_EQ(GetPropInfo(&W, "Name")->PropType->Name, "TComponentName");
  PTypeData Key = GetTypeData(Type("OnKey"));
  EXPECT_EQ(Key->MethodKind, mkFunction);
  EXPECT_EQ(Key->ResultType, "Boolean");
  ASSERT_EQ(Key->Params.size(), 2u);
  EXPECT_EQ(Key->Params[1].Name, "Key");
  EXPECT_EQ(Key->Params[1].TypeName, "WideChar");
  EXPECT_TRUE(Key->Params[1].Flags.Contains(pfVar));
  EXPECT_EQ(GetTypeData(Type("OnClick"))->MethodKind, mkProcedure);
}

TEST(TypInfo, TypedAccessReadsAndWritesEveryKind) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* W = new TTestWidget(Form.get());
  auto* Other = new TTestWidget(Form.get());
  auto P = [&](const char* N) { return FindPropInfo(W, N); };
  SetOrdProp(W, P("Width"), 250);
  EXPECT_EQ(W->FWidth, 250);
  SetOrdProp(W, P("Shape"), tsTriangle);
  EXPECT_EQ(GetEnumName(P("Shape")->PropType, GetOrdProp(W, P("Shape"))), "tsTriangle");
  SetOrdProp(W, P("Shapes"), StringToSet(P("Shapes")->PropType, "[tsCircle, tsTriangle]"));
  EXPECT_EQ(SetToString(P("Shapes")->PropType, GetOrdProp(W, P("Shapes"))), "[tsCircle,tsTriangle]");
  SetInt64Prop(W, P("Big"), INT64_MIN);
  EXPECT_EQ(GetInt64Prop(W, P("Big")), INT64_MIN);
  SetFloatProp(W, P("Ratio"), 0.25L);
  EXPECT_EQ(W->FRatio, 0.25);
  SetStrProp(W, P("Caption"), "Grüße");
  EXPECT_EQ(GetStrProp(W, P("Caption")), "Grüße");
  SetWideStrProp(W, P("Wide"), u"wide");
  EXPECT_EQ(W->FWide, u"wide");
  SetVariantProp(W, P("Value"), Variant(int32_t(7)));
  EXPECT_EQ(GetVariantProp(W, P("Value")).AsInt64(), 7);
  SetObjectProp(W, P("Buddy"), Other);
  EXPECT_EQ(W->Buddy(), Other);
  EXPECT_THROW(SetObjectProp(W, P("Font"), Other), EInvalidCast);  // not a TTestFont
  TTestFont F;
  F.FSize = 20;
  SetObjectProp(W, P("Font"), &F);  // the setter assigns
  EXPECT_EQ(W->Font()->FSize, 20);
  EXPECT_NE(W->Font(), &F);
  SetInterfaceProp(W, P("Link"), IPtr<IInterface>(Other));
  EXPECT_TRUE(GetInterfaceProp(W, P("Link")) == IPtr<IInterface>(Other));
  const TMethod M{Form->MethodAddress("WidgetClick"), Form.get()};
  SetMethodProp(W, P("OnClick"), M);
  EXPECT_EQ(GetMethodProp(W, P("OnClick")), M);
}

TEST(TypInfo, AccessErrorsNameThePropertyAndChangeNothing) {
  TTestWidget W(nullptr);
  EXPECT_THAT([&] { SetOrdProp(&W, FindPropInfo(&W, "ReadOnlyCount"), 1); },
              Raises<EPropReadOnly>("Property ReadOnlyCount is read-only"));
  EXPECT_EQ(GetOrdProp(&W, FindPropInfo(&W, "ReadOnlyCount")), 42);
  EXPECT_THAT([&] { GetStrProp(&W, FindPropInfo(&W, "Transient")); },
              Raises<EPropWriteOnly>("Property Transient is write-only"));
  EXPECT_THROW(GetStrProp(&W, FindPropInfo(&W, "Width")), EPropertyError);
  EXPECT_EQ(W.FWidth, 100);
  EXPECT_THAT([&] { FindPropInfo(&W, "Colour"); }, Raises<EPropertyError>("Property Colour does not exist"));
  EXPECT_THROW(StringToSet(FindPropInfo(&W, "Shapes")->PropType, "[tsOval]"), EPropertyError);
  EXPECT_EQ(GetEnumValue(FindPropInfo(&W, "Shape")->PropType, "TSSQUARE"), tsSquare);
  EXPECT_EQ(GetEnumValue(FindPropInfo(&W, "Shape")->PropType, "tsOval"), -1);
}

TEST(TypInfo, StoredSpecifiersAndDeclaredDefaultsDecideWhatIsWritten) {
  TTestWidget W(nullptr);
  auto P = [&](const char* N) { return FindPropInfo(&W, N); };
  auto IsDefault = [&](const char* N) { return IsDefaultPropertyValue(&W, P(N), nullptr); };
  EXPECT_FALSE(IsStoredProp(&W, P("Width")));  // the predicate: 100 is not stored
  W.FWidth = 120;
  EXPECT_TRUE(IsStoredProp(&W, P("Width")));
  EXPECT_FALSE(IsStoredProp(&W, P("Name")));
  EXPECT_TRUE(IsStoredProp(&W, P("Caption")));
  // Ordinals compare with the declared default; numbers, strings, variants, methods and references
  // default to zero, empty, nil; read-only simple values are never written.
  for (const char* N : {"Shape", "Shapes", "Enabled", "Ratio", "Big", "Caption", "Value", "OnClick", "Buddy",
                        "ReadOnlyCount"})
    EXPECT_TRUE(IsDefault(N)) << N;
  // Without a declared default an ordinal is never default, nor is a sub-object by itself.
  EXPECT_FALSE(IsDefault("Unsigned"));
  EXPECT_FALSE(IsDefault("Font"));
  W.FShape = tsCircle;
  W.FCaption = "x";
  EXPECT_FALSE(IsDefault("Shape"));
  EXPECT_FALSE(IsDefault("Caption"));
}

TEST(TypInfo, AnAncestorsValuesAreTheDefaultsOfItsDescendant) {
  TOwned<TTestForm> AncestorRoot(new TTestForm(nullptr));
  TOwned<TTestForm> Root(new TTestForm(nullptr));
  auto* A = new TTestWidget(AncestorRoot.get());
  auto* ABuddy = new TTestWidget(AncestorRoot.get());
  A->SetName("W");
  ABuddy->SetName("Other");
  auto* D = new TTestWidget(Root.get());
  auto* DBuddy = new TTestWidget(Root.get());
  D->SetName("W");
  DBuddy->SetName("Other");
  const TGetLookupInfoEvent Lookup = [&](TPersistent*& Anc, TComponent*& R, TComponent*& LR,
                                         TComponent*& RA) {
    Anc = A;
    R = Root.get();
    LR = Root.get();
    RA = AncestorRoot.get();
  };
  auto IsDefault = [&](const char* N) { return IsDefaultPropertyValue(D, FindPropInfo(D, N), Lookup); };
  A->FShape = tsCircle;
  EXPECT_FALSE(IsDefault("Shape"));  // declared default but not the ancestor's value
  D->FShape = tsCircle;
  EXPECT_TRUE(IsDefault("Shape"));
  A->FUnsigned = D->FUnsigned = 9;
  EXPECT_TRUE(IsDefault("Unsigned"));
  A->FCaption = "Hello";
  EXPECT_FALSE(IsDefault("Caption"));
  D->FCaption = "Hello";
  EXPECT_TRUE(IsDefault("Caption"));
  // References correspond by name between the module and its ancestor.
  A->SetBuddy(ABuddy);
  EXPECT_FALSE(IsDefault("Buddy"));
  D->SetBuddy(DBuddy);
  EXPECT_TRUE(IsDefault("Buddy"));
  DBuddy->SetName("Renamed");
  EXPECT_FALSE(IsDefault("Buddy"));
}
