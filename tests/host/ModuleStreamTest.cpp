// Saving an open module: the controls of a container holding both graphic and windowed
// controls are written in their places after reordering, and the root writes the very bytes the
// runtime's writer does.
#include <gmock/gmock.h>

#include <regex>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/ObjectText.h"

using namespace formwright;
using namespace formwright::orx;
using ::testing::ElementsAre;

namespace {

const char* const MixedPanel = R"(object Form1: TForm1
  object Gone: TButton
  end
  object Panel1: TPanel
    object Label1: TLabel
    end
    object Edit1: TEdit
    end
    object Label2: TLabel
    end
    object Edit2: TEdit
    end
    object Button1: TButton
    end
  end
end
)";

String RootText(TReferenceRoot& Root) {
  TStringStream S;
  Root.WriteRootStream(&S);
  return S.DataString();
}

// The runtime's writer alone on the same root component, in text form.
String RawText(TComponent* Root) {
  TMemoryStream Binary;
  int64_t Fixup = 0;
  Binary.WriteResourceHeader(Root->ClassName(), Fixup);
  {
    TWriter Writer(&Binary, 4096);
    Writer.WriteDescendent(Root, nullptr);
  }
  Binary.FixupResourceHeader(Fixup);
  Binary.SetPosition(0);
  TStringStream Text;
  ObjectResourceToText(&Binary, &Text);
  return Text.DataString();
}

std::vector<String> ObjectNames(const String& Text) {
  std::vector<String> Names;
  const std::regex Object(R"(object (\w+):)");
  for (std::sregex_iterator It(Text.begin(), Text.end(), Object), End; It != End; ++It)
    Names.push_back((*It)[1]);
  return Names;
}

TEST(ModuleStream, ReorderedMixedControlsAreWrittenInTheirPlacesAndReadBackUnchanged) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Main.fwf", MixedPanel);
  TReferenceHost Host(Files);
  const IPtr<TReferenceRoot> Root = Host.Open("Main.fwf");
  TComponent* Form = Root->GetRoot();
  auto Control = [&](const char* Name) { return static_cast<TControl*>(Form->FindComponent(Name)); };
  // The places move (a component before them goes, one moves to the end of the owner's list)
  // and the z-order of each kind changes.
  Control("Gone")->Free();
  Control("Label1")->SetComponentIndex(Form->ComponentCount() - 1);
  Control("Label2")->SendToBack();
  Control("Edit1")->BringToFront();

  const String Saved = RootText(*Root);
  // Places in the owner's order: windowed, graphic, windowed, windowed, graphic; each kind's
  // controls fill them in z-order.
  EXPECT_THAT(ObjectNames(Saved),
              ElementsAre("Form1", "Panel1", "Edit2", "Label2", "Button1", "Edit1", "Label1"));
  EXPECT_EQ(Saved, RawText(Form));

  // Read back, the module is in stream order and writes the same bytes again.
  Host.Close(Root);
  Files->PutFile("Again.fwf", Saved);
  EXPECT_EQ(RootText(*Host.Open("Again.fwf")), Saved);
}

}  // namespace
