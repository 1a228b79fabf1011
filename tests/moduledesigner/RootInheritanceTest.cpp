// Modules among each other: the ancestor found, refused or lost; links allowed by the units a
// source uses; dependencies that follow modifications; modules that go away; units needed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/orx/Orx.h"
#include "platform/runtime/SysUtils.h"
#include "tests/moduledesigner/RootTestSupport.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::Raises;
using ::testing::StartsWith;

// A component that a descendant module may not inherit.
class TSealed : public TComponent {
  FW_CLASS(TSealed, TComponent)
 public:
  explicit TSealed(TComponent* AOwner) : TComponent(AOwner) { ExcludeStyle(csInheritable); }
  static void DeclarePublished(TClassBuilder<TSealed>&) {}
};
FW_REGISTER_CLASS(TSealed, "SealedParts")

const String EditForm = "object Form2: TForm2\n  object Edit1: TEdit\n  end\nend\n";
const String AddressUnit =
    "unit Address;\ninterface\ntype\n  TAddressFrame = class(TFrame)\n  end;\nimplementation\nend.\n";
const String LinkedForm =
    "object Form1: TForm1\n  object Label1: TLabel\n    FocusControl = Form2.Edit1\n  end\nend\n";

class RootInheritance : public testing::RootTest {
 protected:
  RootInheritance() { RegisterClass(TSealed::StaticClass()); }
  ~RootInheritance() override {
    Host.CloseAll();
    UnRegisterClass(TSealed::StaticClass());
  }
  static std::vector<String> Names(const std::function<void(const TGetRootProc&)>& List) {
    std::vector<String> R;
    List([&R](const IPtr<IRoot>& Root) { R.push_back(Root->GetRootName()); });
    return R;
  }
  static std::vector<String> Dependencies(const IPtr<TReferenceRoot>& Root) {
    return Names([&](const TGetRootProc& P) { Root->GetDependencies(P); });
  }
  static std::vector<String> Dependents(const IPtr<TReferenceRoot>& Root) {
    return Names([&](const TGetRootProc& P) { Root->GetDependentRoots(P); });
  }
};

TEST_F(RootInheritance, ABaseClassIsNoAncestorAnOpenModuleIs) {
  Form1 = Create("Form1", "Unit1.fwf", "TForm");
  EXPECT_FALSE(Form1->GetAncestorRoot());
  EXPECT_THAT(Dependencies(Form1), IsEmpty());
  IPtr<TReferenceRoot> Form2 = Create("Form2", "Unit2.fwf", "TForm", Form1);
  ASSERT_TRUE(Form2->GetAncestorRoot());
  EXPECT_EQ(Form2->GetAncestorRoot()->GetRootName(), "Form1");
  EXPECT_THAT(Dependencies(Form2), ElementsAre("Form1"));
  EXPECT_THAT(Dependents(Form1), ElementsAre("Form2"));
}

TEST_F(RootInheritance, AnAncestorThatIsNotOpenIsRefusedAndNothingOpens) {
  const size_t Before = Host.Roots().size();
  EXPECT_THAT(
      [&] {
        Open("Unit3.fwf", "inherited Form3: TForm3\nend\n",
             "unit Unit3;\ninterface\ntype\n  TForm3 = class(TForm9)\n  end;\nimplementation\nend.\n");
      },
      Raises<EClassNotFound>("Ancestor for 'TForm9' not found"));
  EXPECT_EQ(Host.Roots().size(), Before);
  EXPECT_EQ(Host.Designer()->GetRootsCount(), static_cast<int>(Before));
}

struct TRefusedAncestor {
  const char* Components;
  const char* Message;
};

class RefusedAncestor : public RootInheritance, public ::testing::WithParamInterface<TRefusedAncestor> {
 protected:
  // The module of root Name holding the components of the case (with its unit, when given).
  IPtr<TReferenceRoot> OpenAncestor(const String& Name, const String& File, const String& Unit = String()) {
    IPtr<TReferenceRoot> R =
        Open(File, Format("object %s: T%s\n%send\n", Name, Name, GetParam().Components), Unit);
    if (String(GetParam().Components).empty())  // a component without a name, owned by the root
      TButton::StaticClass()->Create<TComponent*>(R->GetRoot());
    return R;
  }
  String Message(const String& Ancestor) const { return Format(GetParam().Message, Ancestor); }
};

TEST_P(RefusedAncestor, CreatesNoRootAndLeavesTheAncestorAsItWas) {
  Form1 = OpenAncestor("Form1", "Unit1.fwf");
  const String Before = Written(Form1);
  const int Count = Host.Designer()->GetRootsCount();
  EXPECT_THAT([&] { Create("Form2", "Unit2.fwf", "TForm", Form1); },
              Raises<EComponentDesignerException>(Message("Form1")));
  EXPECT_EQ(Host.Designer()->GetRootsCount(), Count);
  EXPECT_EQ(Written(Form1), Before);
}

// An embedded frame inherits its module's components as a descendant module would.
TEST_P(RefusedAncestor, AFrameOfItIsNotPlacedAndTheModuleStaysAsItWas) {
  IPtr<TReferenceRoot> Frame = OpenAncestor("AddressFrame", "Address.fwf", AddressUnit);
  Form1 = Open("Unit1.fwf", "object Form1: TForm1\n  object Button1: TButton\n  end\nend\n");
  const String Before = Written(Form1);
  const int Count = Form1->GetRoot()->ComponentCount();
  EXPECT_THAT([&] { Form1->CreateComponent(Frame->GetRoot()->ClassType(), Form1->GetRoot(), 8, 8, 90, 40); },
              Raises<EComponentDesignerException>(Message("AddressFrame")));
  // Pasted, it is refused as the reader reports errors: with where it was reading.
  TStringStream Copied("inline Addr1: TAddressFrame\nend\n");
  EXPECT_THAT([&] { Form1->PasteSelectionFromStream(&Copied, Form1->GetRoot(), TRect{}); },
              Raises<Exception>("Error reading Addr1 at line 1, column 1: " + Message("AddressFrame")));
  EXPECT_EQ(Form1->GetRoot()->ComponentCount(), Count);
  EXPECT_FALSE(Form1->IsModified());
  EXPECT_EQ(Written(Form1), Before);
}

INSTANTIATE_TEST_SUITE_P(
    Ancestors, RefusedAncestor,
    ::testing::Values(
        TRefusedAncestor{"  object Seal1: TSealed\n  end\n",
                         "Cannot inherit from '%s'.  Contains a component 'Seal1' that does not support "
                         "inheritance"},
        TRefusedAncestor{"  object Seal1: TSealed\n  end\n  object Button1: TButton\n  end\n"
                         "  object Seal2: TSealed\n  end\n",
                         "Cannot inherit from '%s'.  Contains components 'Seal1,Seal2' that do not support "
                         "inheritance"},
        TRefusedAncestor{
            "", "Cannot inherit from form '%s'. It contains a component with a blank name property"}));

TEST_F(RootInheritance, AModuleWhoseAncestorClosesKeepsWorkingAndSavesWithoutAncestor) {
  Open("Address.fwf", "object AddressFrame: TAddressFrame\n  object StreetEdit: TEdit\n  end\nend\n",
       AddressUnit);
  Form1 = Open("Unit1.fwf",
               "object Form1: TForm1\n  object Button1: TButton\n    Left = 7\n  end\n"
               "  inline Addr1: TAddressFrame\n  end\nend\n");
  IPtr<TReferenceRoot> Form2 = Create("Form2", "Unit2.fwf", "TForm", Form1);
  EXPECT_THAT(Written(Form2), StartsWith("inherited Form2: TForm2"));
  Host.Close(Form1);
  EXPECT_FALSE(Form2->GetAncestorRoot());
  EXPECT_THAT(Dependencies(Form2), IsEmpty());
  // What it inherited is its own now: renamed, and saved as its own; the frame's content stays
  // the frame module's.
  EXPECT_FALSE(Find(Form2, "Button1")->ComponentState().Contains(csAncestor));
  EXPECT_TRUE(Find(Form2, "Addr1")->FindComponent("StreetEdit")->ComponentState().Contains(csAncestor));
  EXPECT_EQ(SetProp("Button1.Name", "OkButton"), "OkButton");
  Form2->GetDesigner()->CreateComponent(TEdit::StaticClass(), Form2->GetRoot(), 8, 8, 50, 20);
  Form2->SetTextFormat(true);
  Form2->Save();
  const String Text = Files->Contents("Unit2.fwf");
  EXPECT_THAT(Text, StartsWith("object Form2: TForm2\n"));
  EXPECT_THAT(Text, HasSubstr("  object OkButton: TButton\n    Height = 25\n    Left = 7\n"));
  EXPECT_THAT(
      Text, HasSubstr("  inline Addr1: TAddressFrame\n    TabOrder = 1\n    inherited StreetEdit: TEdit\n"));
  EXPECT_THAT(Text, HasSubstr("object Edit1: TEdit"));
  // The saved file opens without the ancestor.
  Host.Close(Form2);
  Form2 = Host.Open("Unit2.fwf");
  EXPECT_FALSE(Form2->GetAncestorRoot());
  EXPECT_EQ(static_cast<TButton*>(Find(Form2, "OkButton"))->Left(), 7);
  EXPECT_EQ(Written(Form2), Text);
}

TEST_F(RootInheritance, AModuleAsleepWhileItsAncestorClosesWakesWithItReopenedOrSleepsOnUnchanged) {
  Form1 = Open("Unit1.fwf", "object Form1: TForm1\n  object Button1: TButton\n    Left = 7\n  end\nend\n");
  IPtr<TReferenceRoot> Form2 = Create("Form2", "Unit2.fwf", "TForm", Form1);
  EXPECT_EQ(SetProp("Button1.Left", "9"), "9");
  Form2->GoDormant();
  Form2->Resurrect();  // as it writes itself once read back
  const String Before = Written(Form2);
  Form2->GoDormant();
  auto Asleep = [&] { return testing::TextOf(*dynamic_cast<TMemoryStream*>(Form2->GetRootStream())); };
  const String Stream = Asleep();
  Host.Close(Form1);
  EXPECT_THAT([&] { Form2->Resurrect(); }, Raises<EClassNotFound>("Ancestor for 'TForm1' not found"));
  ASSERT_TRUE(Form2->IsDormant());
  EXPECT_EQ(Asleep(), Stream);
  std::vector<String> Asked;
  Host.Environment().RootOpener = [&](const String& Name) {
    Asked.push_back(Name);
    return Host.Open("Unit1.fwf") != nullptr;
  };
  Form2->Resurrect();
  EXPECT_THAT(Asked, ElementsAre("Form1"));
  ASSERT_FALSE(Form2->IsDormant());
  ASSERT_TRUE(Form2->GetAncestorRoot());
  EXPECT_TRUE(Find(Form2, "Button1")->ComponentState().Contains(csAncestor));
  EXPECT_EQ(Written(Form2), Before);
  // An ancestor asleep is woken with it.
  Form2->GoDormant();
  Host.Find("Form1")->GoDormant();
  Form2->Resurrect();
  EXPECT_FALSE(Host.Find("Form1")->IsDormant());
  EXPECT_EQ(Written(Form2), Before);
}

TEST_F(RootInheritance, AnotherModulesComponentIsLinkableOnceItsUnitIsUsed) {
  IPtr<TReferenceRoot> Form2 = Open("Unit2.fwf", EditForm);
  Form1 = Open("Unit1.fwf", "object Form1: TForm1\n  object Label1: TLabel\n  end\nend\n");
  IPtr<IDesigner> D = Form1->GetDesigner();
  TComponent* Edit1 = Find(Form2, "Edit1");
  EXPECT_TRUE(D->IsComponentLinkable(C("Label1")));
  EXPECT_FALSE(D->IsComponentLinkable(Edit1));
  D->MakeComponentLinkable(Edit1);
  EXPECT_TRUE(D->IsComponentLinkable(Edit1));
  EXPECT_THAT(Host.SourceOf(Form1)->Text(), HasSubstr("Unit2"));
}

TEST_F(RootInheritance, DependenciesFollowReferencesUntilTheNextModification) {
  IPtr<TReferenceRoot> Form2 = Open("Unit2.fwf", EditForm);
  Form1 = Open("Unit1.fwf", LinkedForm);
  EXPECT_THAT(Dependencies(Form1), ElementsAre("Form2"));
  EXPECT_THAT(Dependents(Form2), ElementsAre("Form1"));
  EXPECT_EQ(SetProp("Label1.FocusControl", ""), "");
  EXPECT_THAT(Dependencies(Form1), IsEmpty());
  EXPECT_THAT(Dependents(Form2), IsEmpty());
}

TEST_F(RootInheritance, ClosingAModuleClearsReferencesAndRemovesItsFrameInstances) {
  IPtr<TReferenceRoot> Frame =
      Open("Address.fwf", "object AddressFrame: TAddressFrame\n  object StreetEdit: TEdit\n  end\nend\n",
           AddressUnit);
  IPtr<TReferenceRoot> Form2 = Open("Unit2.fwf", EditForm);
  Form1 = Open(
      "Unit1.fwf",
      "object Form1: TForm1\n  object Label1: TLabel\n    FocusControl = Form2.Edit1\n  end\n"
      "  inline Addr1: TAddressFrame\n  end\n  object Label2: TLabel\n    FocusControl = Addr1.StreetEdit\n"
      "  end\nend\n");
  TComponent* Addr1 = C("Addr1");
  Form1->SelectComponent(Addr1, false);
  Host.Close(Frame);
  EXPECT_EQ(C("Addr1"), nullptr);
  EXPECT_EQ(static_cast<TLabel*>(C("Label2"))->FocusControl(), nullptr);
  EXPECT_THAT(Selected(Form1), Not(Contains(Addr1)));
  EXPECT_TRUE(Form1->IsModified());
  Host.Close(Form2);
  EXPECT_EQ(static_cast<TLabel*>(C("Label1"))->FocusControl(), nullptr);
  EXPECT_THAT(Written(Form1), Not(HasSubstr("FocusControl")));
}

TEST_F(RootInheritance, UnresolvedModulesAreAskedForWhileOpening) {
  std::vector<String> Asked;
  Host.Environment().RootOpener = [&](const String& Name) {
    Asked.push_back(Name);
    if (Asked.size() == 1) Open("Unit2.fwf", EditForm);
    return true;
  };
  Form1 = Open("Unit1.fwf", LinkedForm);
  ASSERT_THAT(Asked, ElementsAre("Form2"));
  EXPECT_EQ(static_cast<TLabel*>(C("Label1"))->FocusControl(), Find(Host.Find("Form2"), "Edit1"));
}

TEST_F(RootInheritance, RevertAppliesToInheritedComponentsOfAWritableModule) {
  Form1 = Open("Unit1.fwf", "object Form1: TForm1\n  object Button1: TButton\n  end\nend\n");
  IPtr<TReferenceRoot> Form2 = Create("Form2", "Unit2.fwf", "TForm", Form1);
  TComponent* Own =
      Form2->GetDesigner()->CreateComponent(TEdit::StaticClass(), Form2->GetRoot(), 8, 8, 50, 20);
  Form2->SelectComponent(Own, false);
  EXPECT_FALSE(Form2->CanRevert());
  Form2->SelectComponent(Find(Form2, "Button1"), true);
  EXPECT_TRUE(Form2->CanRevert());
  Form2->SelectComponent(Form2->GetRoot(), true);
  EXPECT_FALSE(Form2->CanRevert());
}

TEST_F(RootInheritance, UnitsOfTheComponentsClassesEachOnce) {
  Open("Unit2.fwf",
       "object Form2: TForm2\n  object Edit1: TEdit\n  end\n  object List1: TListBox\n  end\n"
       "  object Box1: TScrollBox\n  end\nend\n");
  // Components of one class side by side whose references hold objects of other classes.
  Form1 = Open("Unit1.fwf",
               "object Form1: TForm1\n  object Button1: TButton\n  end\n  object Button2: TButton\n  end\n"
               "  object Seal1: TSealed\n  end\n"
               "  object Label1: TLabel\n    FocusControl = Form2.Edit1\n  end\n"
               "  object Label2: TLabel\n    FocusControl = Form2.Edit1\n  end\n"
               "  object Label3: TLabel\n    FocusControl = Form2.List1\n  end\n"
               "  object Label4: TLabel\n    FocusControl = Form2.Box1\n  end\nend\n");
  std::vector<String> Units;
  Form1->GetUnits([&](const String& U) { Units.push_back(U); });
  for (TClass Class : {TButton::StaticClass(), TSealed::StaticClass(), TFont::StaticClass(),
                       TEdit::StaticClass(), TListBox::StaticClass(), TScrollBox::StaticClass()})
    EXPECT_THAT(Units, Contains(Class->UnitName())) << Class->ClassName();
  std::vector<String> Sorted = Units;
  std::sort(Sorted.begin(), Sorted.end());
  EXPECT_EQ(std::unique(Sorted.begin(), Sorted.end()), Sorted.end());
}

}  // namespace
}  // namespace formwright
