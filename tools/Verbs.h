// The verbs of the formwright program. Each verb reads its words, works on the session's
// modules through the design package and reports through the output; a refusal raises (the
// session then saves nothing) and bad usage raises EUsage.
#pragma once

#include <functional>

#include "tools/Args.h"
#include "tools/Output.h"
#include "tools/Session.h"

namespace formwright::tool {

using TVerbProc = void (*)(TSession& Session, TArgs& Args, TOutput& Out);

// One verb: its name, the usage and summary --help prints, the options it accepts, what runs
// it, and whether it only reads the modules (nothing to prepare for saving).
struct TVerb {
  const char* Name;
  const char* Usage;
  const char* Summary;
  TOptionSpec Options;
  TVerbProc Run;
  bool ReadsOnly = false;
};

// Every verb, in the order --help lists them.
const std::vector<TVerb>& Verbs();
const TVerb* FindVerb(const String& Name);
// Runs one verb line (the verb name, then its words) in Session.
void RunVerb(TSession& Session, const std::vector<String>& Words, std::FILE* Out = stdout);
// The whole help text (`formwright help`), the one-screen summary a bare `formwright` prints,
// and one verb's help (`formwright VERB --help`).
String HelpText();
String SummaryText();
String VerbHelp(const TVerb& Verb);
// The program's version ("formwright 0.4.0").
String VersionText();

// Calls Proc for every module file named by the leading file words of Args (globs expanded),
// with a progress line when there are many.
void ForEachModule(TSession& Session, TArgs& Args, TOutput& Out,
                   const std::function<void(TReferenceRoot& Root, const String& File)>& Proc);

// Why a module cannot take the root name RootName: OtherFile in its folder has its class.
String ClassTakenMessage(const String& OtherFile, const String& RootName);

// Reading verbs (VerbsRead.cpp).
void ShowVerb(TSession& Session, TArgs& Args, TOutput& Out);
void PropsVerb(TSession& Session, TArgs& Args, TOutput& Out);
void HandlersVerb(TSession& Session, TArgs& Args, TOutput& Out);
// Editing verbs (VerbsEdit.cpp).
void SetVerb(TSession& Session, TArgs& Args, TOutput& Out);
void RenameVerb(TSession& Session, TArgs& Args, TOutput& Out);
void AddVerb(TSession& Session, TArgs& Args, TOutput& Out);
void DeleteVerb(TSession& Session, TArgs& Args, TOutput& Out);
// Inherited values put back (VerbsRevert.cpp).
void RevertVerb(TSession& Session, TArgs& Args, TOutput& Out);
// Verbs over whole modules (VerbsModule.cpp).
void CopyVerb(TSession& Session, TArgs& Args, TOutput& Out);
void ConvertVerb(TSession& Session, TArgs& Args, TOutput& Out);
void RunScriptVerb(TSession& Session, TArgs& Args, TOutput& Out);
// A new module inheriting from another (VerbsInherit.cpp).
void InheritVerb(TSession& Session, TArgs& Args, TOutput& Out);
// Opens modules and reports every one that does not open (VerbsModule.cpp).
void CheckVerb(TSession& Session, TArgs& Args, TOutput& Out);
// Rearranging components (VerbsLayout.cpp).
void MoveVerb(TSession& Session, TArgs& Args, TOutput& Out);
void OrderVerb(TSession& Session, TArgs& Args, TOutput& Out);
void AlignVerb(TSession& Session, TArgs& Args, TOutput& Out);
void SizeVerb(TSession& Session, TArgs& Args, TOutput& Out);
void RetypeVerb(TSession& Session, TArgs& Args, TOutput& Out);
// Questions about modules (VerbsQuery.cpp).
void ClassesVerb(TSession& Session, TArgs& Args, TOutput& Out);
void FindVerb(TSession& Session, TArgs& Args, TOutput& Out);
void DiffVerb(TSession& Session, TArgs& Args, TOutput& Out);
// A module's device views: listed, added or removed (VerbsViews.cpp).
void ViewsVerb(TSession& Session, TArgs& Args, TOutput& Out);
// The form as the designer shows it, drawn to a picture (VerbsRender.cpp).
void RenderVerb(TSession& Session, TArgs& Args, TOutput& Out);

}  // namespace formwright::tool
