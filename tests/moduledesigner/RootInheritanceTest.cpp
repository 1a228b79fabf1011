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

class RefusedAncestor : public RootInheritance, public ::testing::WithParamInterface<TRefusedAncestor> {};

TEST_P(RefusedAncestor, CreatesNoRootAndLeavesTheAncestorAsItWas) {
  Form1 = Open("Unit1.fwf", String("object Form1: TForm1\n") + GetParam().Components + "end\n");
  if (String(GetParam().Components).empty())  // a component without a name, owned by the root
    TButton::StaticClass()->Create<TComponent*>(Form1->GetRoot());
  const String Before = Written(Form1);
  const int Count = Host.Designer()->GetRootsCount();
  EXPECT_THAT([&] { Create("Form2", "Unit2.fwf", "TForm", Form1); },
              Raises<EComponentDesignerException>(GetParam().Message));
  EXPECT_EQ(Host.Designer()->GetRootsCount(), Count);
  EXPECT_EQ(Written(Form1), Before);
}

INSTANTIATE_TEST_SUITE_P(
    Ancestors, RefusedAncestor,
    ::testing::Values(
        TRefusedAncestor{"  object Seal1: TSealed\n  end\n",
                         "Cannot inherit from 'Form1'.  Contains a component 'Seal1' that does not support "
                         "inheritance"},
        TRefusedAncestor{
            "  object Seal1: TSealed\n  end\n  object Button1: TButton\n  end\n"
            "  object Seal2: TSealed\n  end\n",
            "Cannot inherit from 'Form1'.  Contains components 'Seal1,Seal2' that do not support "
            "inheritance"},
        TRefusedAncestor{
            "", "Cannot inherit from form 'Form1'. It contains a component with a blank name property"}));

TEST_F(RootInheritance, AModuleWhoseAncestorClosesKeepsWorkingAndSavesWithoutAncestor) {
  Form1 = Open("Unit1.fwf", "object Form1: TForm1\n  object Button1: TButton\n    Left = 7\n  end\nend\n");
  IPtr<TReferenceRoot> Form2 = Create("Form2", "Unit2.fwf", "TForm", Form1);
  EXPECT_THAT(Written(Form2), StartsWith("inherited Form2: TForm2"));
  Host.Close(Form1);
  EXPECT_FALSE(Form2->GetAncestorRoot());
  EXPECT_THAT(Dependencies(Form2), IsEmpty());
  Form2->GetDesigner()->CreateComponent(TEdit::StaticClass(), Form2->GetRoot(), 8, 8, 50, 20);
  const String Text = Written(Form2);
  EXPECT_THAT(Text, StartsWith("object Form2: TForm2"));
  EXPECT_THAT(Text, HasSubstr("object Button1: TButton"));
  EXPECT_THAT(Text, HasSubstr("object Edit1: TEdit"));
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
           "unit Address;\ninterface\ntype\n  TAddressFrame = class(TFrame)\n  end;\nimplementation\nend.\n");
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
  Form1 = Open("Unit1.fwf",
               "object Form1: TForm1\n  object Button1: TButton\n  end\n  object Button2: TButton\n  end\n"
               "  object Seal1: TSealed\n  end\nend\n");
  std::vector<String> Units;
  Form1->GetUnits([&](const String& U) { Units.push_back(U); });
  EXPECT_THAT(Units, Contains(TButton::StaticClass()->UnitName()));
  EXPECT_THAT(Units, Contains("SealedParts"));
  std::vector<String> Sorted = Units;
  std::sort(Sorted.begin(), Sorted.end());
  EXPECT_EQ(std::unique(Sorted.begin(), Sorted.end()), Sorted.end());
}

}  // namespace
}  // namespace formwright
