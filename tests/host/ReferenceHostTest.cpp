// The reference host as an embedder drives it: its own module factory, the roots it keeps,
// and the hooks it calls when modules open and close.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/root/ReferenceRoot.h"

using namespace formwright;
using ::testing::ElementsAre;

namespace {

// A root class of the embedder's own.
class TTaggedRoot : public TReferenceRoot {};

// Makes tagged roots and records the units it was asked for.
class TTaggingFactory : public TReferenceModuleFactory {
 public:
  explicit TTaggingFactory(std::vector<String>& Log) : FLog(Log) {}
  IPtr<TModuleSource> CreateSource(const String& UnitName, const String& ClassName,
                                   const String& AncestorClassName) override {
    FLog.push_back("source " + UnitName);
    return TReferenceModuleFactory::CreateSource(UnitName, ClassName, AncestorClassName);
  }
  IPtr<TReferenceRoot> OpenRoot(const TRootCreateInfo& Info) override {
    FLog.push_back("root " + Info.FileName);
    return OpenComponentRoot<TTaggedRoot>(Info);
  }

 private:
  std::vector<String>& FLog;
};

TEST(ReferenceHost, ModulesComeFromTheEmbeddersFactoryAndHooksSeeThemOpenAndClose) {
  std::vector<String> Log;
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Main.fwf", "object Form1: TForm1\n  Caption = 'Main'\nend\n");
  TReferenceHost Host(Files, std::make_unique<TTaggingFactory>(Log));
  Host.OnRootOpened = [&](const IPtr<TReferenceRoot>& R) { Log.push_back("opened " + R->GetRootName()); };
  Host.OnRootClosing = [&](const IPtr<TReferenceRoot>& R) { Log.push_back("closing " + R->GetRootName()); };

  const IPtr<TReferenceRoot> Main = Host.Open("Main.fwf");
  const IPtr<TReferenceRoot> Other = Host.New("Form2", "Other.fwf");
  ASSERT_NE(dynamic_cast<TTaggedRoot*>(Main.Get()), nullptr);
  EXPECT_NE(Main->Source(), nullptr);
  EXPECT_THAT(Host.Roots(), ElementsAre(Main, Other));
  Host.Close(Main);
  EXPECT_THAT(Host.Roots(), ElementsAre(Other));
  EXPECT_EQ(Host.Find("Form1"), nullptr);
  Host.CloseAll();
  EXPECT_TRUE(Host.Roots().empty());
  EXPECT_THAT(Log, ElementsAre("source Main", "root Main.fwf", "opened Form1", "source Other",
                               "root Other.fwf", "opened Form2", "closing Form1", "closing Form2"));
}

TEST(ReferenceHost, AModuleThatCannotBeReadIsNeitherKeptNorAnnounced) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Broken.fwf", "object Form1: TForm1\n  Caption = \nend\n");
  TReferenceHost Host(Files);
  int Opened = 0;
  Host.OnRootOpened = [&](const IPtr<TReferenceRoot>&) { ++Opened; };
  EXPECT_THROW(Host.Open("Broken.fwf"), Exception);
  EXPECT_TRUE(Host.Roots().empty());
  EXPECT_EQ(Opened, 0);
  EXPECT_EQ(Host.Designer()->GetRootsCount(), 0);
}

// A source that keeps the component information of every other component it is told of.
class TKeepingSource : public TModuleSource {
 public:
  using TModuleSource::TModuleSource;
  void ComponentRenamed(const IPtr<ICompInfo>& Info, const String& CurName, const String& NewName) override {
    if (Info && Heard++ % 2 == 0) Kept.emplace_back(NewName, Info);
    TModuleSource::ComponentRenamed(Info, CurName, NewName);
  }
  int Heard = 0;
  std::vector<std::pair<String, IPtr<ICompInfo>>> Kept;
};

class TKeepingFactory : public TReferenceModuleFactory {
 public:
  IPtr<TModuleSource> CreateSource(const String& UnitName, const String& ClassName,
                                   const String& AncestorClassName) override {
    Source = MakeIntf<TKeepingSource>(UnitName, ClassName, AncestorClassName);
    return Source;
  }
  IPtr<TKeepingSource> Source;
};

TEST(ReferenceHost, ComponentInformationASourceKeepsGoesOnDescribingItsOwnComponent) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Main.fwf",
                 "object Form1: TForm1\n  object Button1: TButton\n  end\n  object Edit1: TEdit\n  end\n"
                 "  object Label1: TLabel\n  end\n  object Button2: TButton\n  end\n  object Edit2: TEdit\n"
                 "  end\nend\n");
  auto Factory = std::make_unique<TKeepingFactory>();
  TKeepingFactory& F = *Factory;
  TReferenceHost Host(Files, std::move(Factory));
  IPtr<TReferenceRoot> Root = Host.Open("Main.fwf");
  ASSERT_TRUE(F.Source);
  std::vector<String> Described;
  for (const auto& [Name, Info] : F.Source->Kept)
    Described.push_back(Name + "=" + Info->GetNamePath() + ":" + Info->GetClassName());
  EXPECT_THAT(Described, ElementsAre("Button1=Button1:TButton", "Label1=Label1:TLabel", "Edit2=Edit2:TEdit"));
  F.Source->Kept.clear();
  Host.Close(Root);
}

}  // namespace
