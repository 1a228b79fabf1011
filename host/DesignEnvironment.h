// The reference host's design environment and its default answers to the designer's
// questions. Nothing here waits for a person: every question has an answer a caller can
// replace.
#pragma once

#include <vector>

#include "contracts/HostIntf.h"
#include "host/LayoutDialogs.h"
#include "platform/runtime/IniFiles.h"

namespace formwright {

// The default answers, conservative so that nothing is lost silently:
// - a reader error shows the read error dialog (FormReadError); cancelled, as it is unless a
//   modal player answers it, it stops the read (1): the module is not opened and the error is
//   reported;
// - an inherited component the ancestor lacks gives up (3): the read fails with the reader's
//   message rather than dropping or inventing a component;
// - links to a module that is not open refuse the save (1) with the designer's message;
// - redirecting links shows the link redirection dialog (asked only when a fixup answer chose
//   0): OK removes or redirects them, Cancel (the default) leaves them and the save is refused;
// - a file that changed on disk since the module was opened is not overwritten (false).
THostQuestions DefaultHostQuestions();

// A design environment for headless use: classes come from the runtime's class registry,
// time stamps from the system clock, modules are opened through a replaceable opener, and the
// notices it receives are recorded for inspection.
class TDesignEnvironment : public TInterfacedObject, public IDesignEnvironment {
 public:
  using TRootOpener = std::function<bool(const String& RootName)>;

  TClass FindDesignClass(const String& ClassName) override { return GetClass(ClassName); }
  int64_t GetCurrentTimeStamp() override;
  bool OpenRootModule(const String& RootName) override;
  void ComponentRenamed(const String& CurName, const String& NewName) override;
  void DesignerActivated(const IPtr<IInterface>& Designer) override { ++FActivations; }
  void ItemDeleting(const IPtr<IInterface>& Designer, TPersistent* Item) override {
    FDeleting.push_back(Item->GetNamePath());
  }
  void ItemDeleted(const IPtr<IInterface>& Designer, TPersistent* Item) override {
    FDeleted.push_back(Item->GetNamePath());
  }
  TDesignerOptions GetDesignerOptions() override { return Options; }
  String GetBaseRegKey() override { return "Software\\Formwright"; }
  String GetPathAndBaseExeName() override { return BaseExeName; }
  String GetPrivateDirectory() override { return PrivateDirectory; }
  String GetAppDataDirectory() override { return AppDataDirectory; }
  Variant GetIDEOption(const String& Name) override;
  TCustomIniFile* GetIDEOptions() override { return &IDEOptions; }
  const THostQuestions& GetQuestions() override { return Questions; }

  TDesignerOptions Options;
  // The one question registry of this environment: replace an answer here and every root
  // asks it.
  THostQuestions Questions = DefaultHostQuestions();
  // The layout dialogs' questions (all unanswered: every dialog is cancelled).
  TLayoutQuestions LayoutQuestions;
  // Whether the revert command may delete the components a descendant put inside the inherited
  // components it reverts (the message names them). Unanswered: no, and nothing is reverted.
  std::function<bool(const String& Message)> RevertQuestion;
  // Opens a module by root name; without one, no module can be opened on request.
  TRootOpener RootOpener;
  String BaseExeName = "formwright";
  String PrivateDirectory;
  String AppDataDirectory;
  // The IDE's options, held in memory (no file behind them).
  TMemIniFile IDEOptions{String()};

  // The renames the designers reported, (old name, new name) in order. A name given to a
  // component as it is read or created (no old name) is not a rename and is not kept: opening a
  // module of n components would otherwise add n entries for the session's whole life.
  const std::vector<std::pair<String, String>>& Renames() const noexcept { return FRenames; }
  int Activations() const noexcept { return FActivations; }
  // The name paths of the items the designers announced as being deleted, and as gone.
  const std::vector<String>& DeletingItems() const noexcept { return FDeleting; }
  const std::vector<String>& DeletedItems() const noexcept { return FDeleted; }

 private:
  std::vector<std::pair<String, String>> FRenames;
  int FActivations = 0;
  std::vector<String> FDeleting;
  std::vector<String> FDeleted;
};

}  // namespace formwright
