#include "templates/ExpertFilter.h"

#include "TemplateTestSupport.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

class ExpertFilter : public ::testing::Test {
 protected:
  ExpertFilter() : Filter(CoExpertFilter::Create()) {
    Filter->SetProperty("FormName", String("MainForm"));
    Filter->SetProperty("UnitName", String("Main"));
    Filter->SetProperty("Flag", String("tRUE"));
  }
  IExpertFilterPtr Filter;
};

}  // namespace

TEST_F(ExpertFilter, ExpandsTemplatesLineByLine) {
  // In order, on one filter: a run leaves its properties behind, never its output state.
  const std::pair<const char*, const char*> Cases[] = {
      // Value tags; a missing property is empty text; lines end with CR LF.
      {"unit [!UnitName];\n\ntype T[!FormName] = class([! FormName ])",
       "unit Main;\r\n\r\ntype TMainForm = class(MainForm)\r\n"},
      {"[!Unknown]x[!Unknown]", "x\r\n"},
      {"no tags ] at all", "no tags ] at all\r\n"},
      // A line whose tags expand to nothing leaves no line break.
      {"a\n[!set(X, 1)][!if=(Flag)][!endif]\n[!Unknown]\nb\n\nc", "a\r\nb\r\n\r\nc\r\n"},
      // Conditions compare ignoring case and decide whole lines after all their tags.
      {"[!if=(Flag)]\nflag on\n[!else]\nflag off\n[!endif]\n"
       "[!if=(FormName, mainform)]\nsame\n[!endif]\n"
       "[!if!=(FormName, Other)]\ndiffers\n[!endif]\n"
       "[!if!=(Missing)]\nnever\n[!endif]\n"
       "[!if=(Missing, '')]\nempty equals empty\n[!endif]\n"
       "[!if=(FormName, '')]\nnever\n[!endif]",
       "flag on\r\nsame\r\ndiffers\r\nempty equals empty\r\n"},
      {"[!if=(Flag, no)]a[!endif]b", "ab\r\n"},
      {"[!if=(Flag)][!else]hidden\nafter[!endif]", "after\r\n"},
      // Tags in a false branch still execute.
      {"[!if=(Flag, no)]\n[!set(Assigned, yes)]hidden [!Assigned]\n[!if=(Flag)]\nhidden too\n[!endif]\n"
       "[!endif]\n[!Assigned]",
       "yes\r\n"},
      {"[!set(Greeting, \"Hello, world\\n\")][!Greeting]", "Hello, world\r\n\r\n"},
      // The output switch suppresses lines; each run starts with output on.
      {"a\n[!outputoff]\nb\n[!set(Seen, b)]\n[!outputon]\nc [!Seen]", "a\r\nc b\r\n"},
      {"x[!outputoff]\ny", ""},
      {"z", "z\r\n"},
      // An endforeach without a loop or a missing endif is no error; the next run starts clean.
      {"a[!endforeach]b", "ab\r\n"},
      {"[!if=(Flag, no)]\nhidden", ""},
      {"shown", "shown\r\n"},
      // A loop over a missing name or a scalar runs zero times; its body is read once with
      // output off, so its tags run.
      {"a\n[!foreach(X in Nothing)]\nnever [!set(Ran, yes)]\n[!endforeach]\nb [!Ran]", "a\r\nb yes\r\n"},
      {"[!foreach(FormName)]\nnever\n[!endforeach]", ""},
  };
  for (const auto& [Template, Expected] : Cases) EXPECT_EQ(Expand(*Filter, Template), Expected) << Template;
  EXPECT_EQ(TemplateValueToText(Filter->GetProperty("Assigned")), "yes");
}

TEST_F(ExpertFilter, ConditionsReadBooleansAndSetWithoutValueUnassigns) {
  const char* Branches = "[!if=(Flag)]\non\n[!else]\noff\n[!endif]";
  Filter->SetProperty("Flag", false);
  EXPECT_EQ(Expand(*Filter, Branches), "off\r\n");
  Filter->SetProperty("Flag", true);
  EXPECT_EQ(Expand(*Filter, Branches), "on\r\n");
  EXPECT_EQ(Expand(*Filter, "[!set(FormName)][!FormName]|"), "|\r\n");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(Filter->GetProperty("FormName")));
}

TEST_F(ExpertFilter, OutputPropertiesDumpsTheBag) {
  auto Only = CoExpertFilter::Create();
  Only->SetProperty("A", String("1"));
  Only->SetCollectionProperty("L", Collection({Bag({{"B", String("2")}})}));
  EXPECT_EQ(Expand(*Only, "[!outputproperties]"), "A=1\r\nL=\r\n<0>\r\n  B=2\r\n");
}

TEST_F(ExpertFilter, ForEachRepeatsTheBodyWithTheCurrentItem) {
  Filter->SetCollectionProperty(
      "Fields", Collection({Bag({{"Name", String("Id")}}), Bag({{"Name", String("Title")}}), Bag({})}));
  const char* Template =
      "begin\n"
      "[!foreach(Field in Fields)]\n"
      "  F[!Field.Name] := [!FormName];\n"
      "[!endforeach]\n"
      "end";
  EXPECT_EQ(Expand(*Filter, Template),
            "begin\r\n  FId := MainForm;\r\n  FTitle := MainForm;\r\n  F := MainForm;\r\nend\r\n");
  EXPECT_EQ(Expand(*Filter, "[!foreach(Fields)]\n[!Fields.Name],\n[!endforeach]"), "Id,\r\nTitle,\r\n,\r\n");
  EXPECT_EQ(Expand(*Filter, "[!foreach(Fields)]<[!Fields.Name]>[!endforeach]"), "<Id>\r\n")
      << "a loop closed on its own line has no body to repeat";
}

TEST_F(ExpertFilter, ItemNameIsRestoredAfterTheLoop) {
  Filter->SetCollectionProperty("Items", Collection({Bag({{"Name", String("in loop")}})}));
  Filter->SetProperty("Item", String("before"));
  Filter->SetProperty("Item.Name", String("plain key"));
  EXPECT_EQ(Expand(*Filter, "[!foreach(Item in Items)]\n[!Item.Name]\n[!endforeach]\n[!Item.Name] [!Item]"),
            "in loop\r\nplain key before\r\n");
  EXPECT_EQ(TemplateValueToText(Filter->GetProperty("Item")), "before");
}

TEST_F(ExpertFilter, NestedLoopsReachInnerCollectionsOfTheCurrentItem) {
  auto Table = [](const char* Name, std::initializer_list<const char*> Columns) {
    auto Bags = CoCollectionProperty::Create();
    for (const char* C : Columns) Bags->AddItem(Bag({{"Name", String(C)}}));
    auto Item = Bag({{"Name", String(Name)}});
    Item->SetCollectionProperty("Columns", Bags);
    return Item;
  };
  Filter->SetCollectionProperty("Tables",
                                Collection({Table("A", {"a1", "a2"}), Table("B", {}), Table("C", {"c1"})}));
  const char* Template =
      "[!foreach(T in Tables)]\n"
      "table [!T.Name]\n"
      "[!foreach(C in T.Columns)]\n"
      "  [!T.Name].[!C.Name]\n"
      "[!endforeach]\n"
      "[!endforeach]";
  EXPECT_EQ(Expand(*Filter, Template), "table A\r\n  A.a1\r\n  A.a2\r\ntable B\r\ntable C\r\n  C.c1\r\n");
}

TEST_F(ExpertFilter, ALoopInsideAnEmptyLoopWritesNothing) {
  Filter->SetCollectionProperty("Outer", Collection({}));
  Filter->SetCollectionProperty("Inner", Collection({Bag({})}));
  EXPECT_EQ(Expand(*Filter, "[!foreach(Outer)]\n[!foreach(Inner)]\nnever\n[!endforeach]\n[!endforeach]\nend"),
            "end\r\n");
}

TEST_F(ExpertFilter, ErrorsNameTheLineAndTheFault) {
  Filter->SetCollectionProperty("Items", Collection({Bag({}), Bag({})}));
  const std::pair<const char*, const char*> Cases[] = {
      {"ok\nunit [!UnitName;", "(2): Missing closing tag in line 'unit [!UnitName;'"},
      {"[!endif]", "(1): Attempt to pop an empty stack"},
      {"\n\n[!else]", "(3): Attempt to access empty stack"},
      {"[!if=Flag]", "(1): Expecting open paren in tag 'if=Flag'"},
      {"[!set (A, 1]", "(1): Expecting close paren in tag 'set (A, 1'"},
      {"[!settings]", "(1): Expecting open paren in tag 'settings'"},
      {"[!foreach(A of B)]", "(1): Invalid foreach tag encountered 'foreach(A of B)'"},
      {"[!foreach()]", "(1): Invalid foreach tag encountered 'foreach()'"},
      {"[!if=( )]", "(1): Missing property name in tag 'if=( )'"},
      {"[!set()]", "(1): Missing property name in tag 'set()'"},
      {"[!foreach(I in Items)]\nbody", "(2): Missing endforeach for tag 'foreach(I in Items)'"},
      {"[!foreach(Nothing)]", "(1): Missing endforeach for tag 'foreach(Nothing)'"},
  };
  for (const auto& [Template, Message] : Cases) EXPECT_EQ(ErrorOf(*Filter, Template), Message) << Template;
}

TEST_F(ExpertFilter, ErrorInsideALoopUndoesTheLoopAndReportsTheReplayedLine) {
  Filter->SetCollectionProperty("Items",
                                Collection({Bag({{"Bad", String("no")}}), Bag({{"Bad", String("yes")}})}));
  Filter->SetProperty("Item", String("outer value"));
  const char* Template =
      "head\n"
      "[!foreach(Item in Items)]\n"
      "[!if=(Item.Bad, yes)][!endif][!endif]\n"
      "[!endforeach]";
  EXPECT_EQ(ErrorOf(*Filter, Template), "(3): Attempt to pop an empty stack");
  EXPECT_EQ(TemplateValueToText(Filter->GetProperty("Item")), "outer value");
  EXPECT_EQ(Expand(*Filter, "[!foreach(Item in Items)]\n[!Item.Bad]\n[!endforeach]"), "no\r\nyes\r\n");
}

TEST_F(ExpertFilter, FileTemplatesNameTheFileInErrorsAndMissingFilesFail) {
  TTempFolder Folder;
  Folder.Write("Unit.pas.tmpl", "unit [!UnitName];\r\n[!if=(A)]\r\n[!endif]\r\n[!endif]\r\n");
  Folder.Write("Good.tmpl", "\xEF\xBB\xBFunit [!UnitName];\r\n");
  auto* Concrete = static_cast<TExpertFilter*>(Filter.get());
  Concrete->SetLanguage("");
  String Output = "untouched";
  EXPECT_THAT([&] { Filter->Filter("Unit.pas.tmpl", Folder.Directory(), Output); },
              Raises<EExpertFilterError>("Unit.pas.tmpl(4): Attempt to pop an empty stack"));
  EXPECT_EQ(Output, "");
  Filter->Filter("Good.tmpl", Folder.Directory(), Output);
  EXPECT_EQ(Output, "unit Main;\r\n");
  EXPECT_THAT([&] { Filter->Filter("Absent.tmpl", Folder.Directory(), Output); },
              Raises<EExpertFilterError>("File not found: " + Folder.Directory() + "Absent.tmpl"));
  EXPECT_EQ(Output, "");
  EXPECT_EQ(ErrorOf(*Filter, "[!endif]"), "(1): Attempt to pop an empty stack") << "the file name is cleared";
}

TEST_F(ExpertFilter, LanguageVariantOfATemplateIsPreferred) {
  TTempFolder Folder;
  Folder.Write("Form.tmpl", "plain [!FormName]");
  Folder.Write("de/Form.tmpl", "deutsch [!FormName]\n[!endif]");
  Folder.Write("Other.tmpl", "only plain");
  auto* Concrete = static_cast<TExpertFilter*>(Filter.get());
  String Output;
  Concrete->SetLanguage("de_AT");
  EXPECT_THAT([&] { Filter->Filter("Form.tmpl", Folder.Directory(), Output); },
              Raises<EExpertFilterError>("Form.tmpl(2): Attempt to pop an empty stack"));
  Folder.Write("de/Form.tmpl", "deutsch [!FormName]");
  Filter->Filter("Form.tmpl", Folder.Directory(), Output);
  EXPECT_EQ(Output, "deutsch MainForm\r\n");
  Filter->Filter("Other.tmpl", Folder.Directory(), Output);
  EXPECT_EQ(Output, "only plain\r\n");
  Concrete->SetLanguage("fr_FR");
  Filter->Filter("Form.tmpl", Folder.Directory(), Output);
  EXPECT_EQ(Output, "plain MainForm\r\n");
}
