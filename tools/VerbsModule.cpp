// Verbs over whole modules: copy and paste between modules, conversion between the binary and
// the text form, and scripts of several verbs in one session.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>

#include "host/ModuleSource.h"
#include "platform/orx/Controls.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/Lists.h"
#include "tools/Inspector.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace fs = std::filesystem;

namespace {

// The components a paste added, with the handlers their events now name.
String PastedText(TReferenceRoot& R, const std::vector<TComponent*>& Pasted) {
  String R2;
  std::function<void(TComponent*)> Describe = [&](TComponent* C) {
    R2 += (R2.empty() ? "" : ", ") + C->Name();
    String Events;
    for (const auto& [Event, Handler] : BoundEvents(R, C))
      Events += (Events.empty() ? "" : ", ") + Event + "=" + Handler;
    if (!Events.empty()) R2 += " (" + Events + ")";
    C->GetChildren([&](TComponent* Child) { Describe(Child); }, R.GetRoot());
  };
  for (TComponent* C : Pasted) Describe(C);
  return R2;
}

// The events of each copied component (and what it holds, in order) that the pasted copy no
// longer names a handler for: a handler the source module inherits is not in its unit, and the
// paste cannot bring it along.
std::vector<String> DroppedEvents(TReferenceRoot& Src, const std::vector<TComponent*>& Copied,
                                  TReferenceRoot& Dest, const std::vector<TComponent*>& Pasted) {
  std::vector<String> Dropped;
  std::function<void(TComponent*, TComponent*)> Compare = [&](TComponent* From, TComponent* To) {
    const auto Kept = BoundEvents(Dest, To);
    for (const auto& [Event, Handler] : BoundEvents(Src, From))
      if (std::none_of(Kept.begin(), Kept.end(), [&](const auto& K) { return K.first == Event; }))
        Dropped.push_back(Format("%s.%s=%s", To->Name(), Event, Handler));
    std::vector<TComponent*> A, B;
    From->GetChildren([&](TComponent* C) { A.push_back(C); }, Src.GetRoot());
    To->GetChildren([&](TComponent* C) { B.push_back(C); }, Dest.GetRoot());
    for (size_t I = 0; I < A.size() && I < B.size(); ++I) Compare(A[I], B[I]);
  };
  for (size_t I = 0; I < Copied.size() && I < Pasted.size(); ++I) Compare(Copied[I], Pasted[I]);
  return Dropped;
}

// A paste brings the handlers of every event of the copies, also those an action link fills;
// one that nothing in the destination binds after the paste (the action stayed behind, its
// reference left empty) is taken back, so that the unit gains only what its form refers to.
void DropUnboundPastedHandlers(TReferenceRoot& Dest, const std::set<String>& Had) {
  auto* Source = dynamic_cast<TModuleSource*>(Dest.GetModule().Get());
  if (!Source) return;
  std::set<String> Bound;
  std::function<void(TComponent*)> Walk = [&](TComponent* C) {
    for (const auto& [Event, Handler] : BoundEvents(Dest, C)) Bound.insert(LowerCase(Handler));
    for (int I = 0; I < C->ComponentCount(); ++I) Walk(C->Components(I));
  };
  Walk(Dest.GetRoot());
  std::vector<String> Unbound;
  for (const THandlerSource& H : Source->Handlers())
    if (!Had.count(LowerCase(H.Name)) && !Bound.count(LowerCase(H.Name))) Unbound.push_back(H.Name);
  for (const String& Name : Unbound) Source->DropAddedHandler(Name);
}

std::set<String> HandlersOf(TReferenceRoot& Root) {
  std::set<String> Names;
  if (auto* Source = dynamic_cast<TModuleSource*>(Root.GetModule().Get()))
    for (const THandlerSource& H : Source->Handlers()) Names.insert(LowerCase(H.Name));
  return Names;
}

}  // namespace

void CopyVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  std::vector<String> Sources = ExpandFiles(Args.TakeFiles());
  if (Sources.size() != 1) throw EUsage("copy takes one source module");
  if (!Args.Has("--to")) throw EUsage("copy needs --to DEST");
  if (Args.Positional.empty()) throw EUsage("Missing the components to copy");
  String Names;
  for (const String& P : Args.Positional) Names += (Names.empty() ? "" : ",") + P;
  const String DestFile = Args.Value("--to");
  TReferenceRoot& Src = Session.Module(Sources[0]);
  TReferenceRoot& Dest = Session.Module(DestFile);
  const std::vector<TComponent*> Copied = Session.Components(Src, Names);
  for (TComponent* C : Copied)
    if (C == Src.GetRoot())
      throw Exception(Format("%s: cannot copy %s: it is the module's root", Sources[0], C->Name()));
  TComponent* Parent = Args.Has("--parent") ? Session.Component(Dest, Args.Value("--parent")) : nullptr;
  TRect Target{};
  if (Args.Has("--at")) {
    const auto [X, Y] = ParsePair(Args.Value("--at"), "--at");
    Target = TRect{X, Y, X + 1, Y + 1};
  }
  // A paste follows the rules of creating a component: the destination's module must accept
  // each class, and a control goes only into a windowed control (none in a data module).
  // A parent that holds no controls hands them to the windowed control around it (or the form).
  TComponent* Into = Parent ? Parent : Dest.GetRoot();
  auto* Holder = dynamic_cast<orx::TWinControl*>(Into);
  if (auto* Ctl = dynamic_cast<orx::TControl*>(Into); Ctl && !Holder) Holder = Ctl->Parent();
  if (!dynamic_cast<orx::TControl*>(Into)) Holder = dynamic_cast<orx::TWinControl*>(Dest.GetRoot());
  std::function<void(TComponent*)> Validate = [&](TComponent* C) {
    if (IPtr<ICustomModule> M = Dest.GetCustomModule()) M->ValidateComponent(C);
    C->GetChildren([&](TComponent* Child) { Validate(Child); }, Src.GetRoot());
  };
  // The clipboard's road: the source's selection to a stream, the stream pasted into the
  // destination, where clashing names and handler names follow the paste rules.
  TMemoryStream Stream;
  TStringList Units;
  // What the pasted components refer to and the destination does not have waits for a module
  // to be loaded; the pending names before the paste tell which waits the paste added.
  TStringList Waiting;
  GetFixupReferenceNames(Dest.GetRoot(), &Waiting);
  std::vector<String> Missing;
  try {
    for (TComponent* C : Copied) {
      Validate(C);
      if (dynamic_cast<orx::TControl*>(C) && !Holder)
        throw EInvalidOperation(Format("Control '%s' can only be placed into a windowed control", C->Name()));
    }
    SelectComponents(Src, Copied);
    Src.CopySelectionToStream(&Stream, &Units);
    // A copy takes the controls of one parent: the selection drops the others, which must not
    // go unsaid.
    IPtr<IDesignerSelections> Selected = CreateSelectionList();
    Src.GetSelections(Selected);
    std::set<TPersistent*> InSelection;
    for (int I = 0; I < Selected->GetCount(); ++I) InSelection.insert(Selected->Get(I));
    for (TComponent* C : Copied)
      if (!InSelection.count(C))
        throw EInvalidOperation(
            Format("%s and %s have different parents and cannot be copied together; copy each "
                   "parent's controls on their own",
                   Copied.front()->Name(), C->Name()));
    Stream.SetPosition(0);
    const std::set<String> HadHandlers = HandlersOf(Dest);
    if (!Parent) Dest.ClearSelection();
    Dest.PasteSelectionFromStream(&Stream, Parent, Target);
    TStringList Now;
    GetFixupReferenceNames(Dest.GetRoot(), &Now);
    for (int I = 0; I < Now.Count(); ++I)
      if (Waiting.IndexOf(Now[I]) < 0) Missing.push_back(Now[I]);
    String List;
    for (const String& M : Missing) List += (List.empty() ? "" : ", ") + M;
    if (!Missing.empty() && !Args.Has("--force"))
      throw Exception(
          Format("the copies refer to what %s does not have: %s (copy it along, or --force leaves "
                 "those references empty)",
                 DestFile, List));
    for (const String& M : Missing) RemoveFixupReferences(Dest.GetRoot(), M);
    DropUnboundPastedHandlers(Dest, HadHandlers);
  } catch (const Exception& E) {
    throw Exception(
        Format("%s: cannot paste %s from %s: %s", DestFile, NamesOf(Copied), Sources[0], E.Message()));
  }
  IPtr<IDesignerSelections> Pasted = CreateSelectionList();
  Dest.GetSelections(Pasted);
  std::vector<TComponent*> List;
  for (int I = 0; I < Pasted->GetCount(); ++I)
    if (auto* C = dynamic_cast<TComponent*>(Pasted->Get(I)); C && C != Dest.GetRoot()) List.push_back(C);
  // Pasted controls come after their new siblings in the tab order, in the order they had:
  // what was there keeps its tab order, as with a component created there.
  std::vector<std::pair<int, orx::TWinControl*>> Tabs;
  for (TComponent* C : List)
    if (auto* W = dynamic_cast<orx::TWinControl*>(C); W && W->Parent()) Tabs.emplace_back(W->TabOrder(), W);
  std::sort(Tabs.begin(), Tabs.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
  try {
    for (const auto& [Tab, W] : Tabs)
      TypeValue(FindProperty(Dest, {W}, "TabOrder"), "TabOrder", IntToStr(W->Parent()->ControlCount()));
  } catch (const Exception& E) {
    throw Exception(
        Format("%s: cannot place %s in the tab order: %s", DestFile, NamesOf(Copied), E.Message()));
  }
  json Copies = json::array(), PastedNames = json::array();
  for (TComponent* C : Copied) Copies.push_back(C->Name());
  for (TComponent* C : List) PastedNames.push_back(C->Name());
  // An event whose handler could not come along is said, not dropped in silence.
  const std::vector<String> Dropped = DroppedEvents(Src, Copied, Dest, List);
  String Note;
  for (const String& D : Dropped) Note += (Note.empty() ? "; without " : ", ") + D;
  if (!Note.empty()) Note += Format(" (handlers not in the unit of %s)", Sources[0]);
  for (size_t I = 0; I < Missing.size(); ++I)
    Note += (I == 0 ? "; references left empty: " : ", ") + Missing[I];
  Out.Say(Format("%s: pasted %s from %s as %s%s", DestFile, NamesOf(Copied), Sources[0],
                 PastedText(Dest, List), Note),
          {{"file", DestFile},
           {"verb", "copy"},
           {"from", Sources[0]},
           {"components", Copies},
           {"pasted", PastedNames},
           {"dropped_events", Dropped},
           {"emptied_references", Missing}});
}

void ConvertVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  const bool Text = Args.Has("--text"), Binary = Args.Has("--binary");
  if (Text == Binary) throw EUsage("convert needs one of --text and --binary");
  const String OutFile = Args.Value("-o");
  std::vector<String> Files = ExpandFiles(Args.TakeFiles());
  if (!Args.Positional.empty())
    throw EUsage(Format("convert takes module files only, not '%s'", Args.Positional[0]));
  // "-o DIR/" (or an existing folder) takes each copy under its own name.
  std::error_code Ec;
  const bool IntoFolder = !OutFile.empty() && (OutFile.back() == '/' || fs::is_directory(OutFile, Ec));
  if (IntoFolder && !fs::is_directory(OutFile, Ec)) throw Exception(Format("%s: no such folder", OutFile));
  if (!OutFile.empty() && !IntoFolder && Files.size() != 1) throw EUsage("-o needs exactly one module file");
  for (size_t I = 0; I < Files.size(); ++I) {
    Out.Progress(I, Files.size(), Files[I]);
    TReferenceRoot& R = Session.Module(Files[I]);
    if (OutFile.empty()) R.SetTextFormat(Text);
    const String Copy = IntoFolder ? (fs::path(OutFile) / fs::path(Files[I]).filename()).string() : OutFile;
    Session.SaveAs(R, Text, Copy, Args.Has("--force"));
  }
  Out.EndProgress();
}

void CheckVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  std::vector<String> Targets = Args.Positional;
  if (Targets.empty()) Targets.push_back(".");
  std::vector<String> Files;
  for (const String& T : Targets) {
    std::error_code Ec;
    if (!fs::is_directory(T, Ec)) {
      for (const String& F : ExpandFiles({T})) Files.push_back(F);
      continue;
    }
    for (const String& F : ModuleFilesIn(T)) Files.push_back(F);
  }
  // Every module is opened, with the modules it needs; one that does not open is reported with
  // the reason (and the line, where the reader knows it), and the others are still opened.
  std::vector<String> Failed;
  for (size_t I = 0; I < Files.size(); ++I) {
    Out.Progress(I, Files.size(), Files[I]);
    try {
      const String Views = Session.ViewsNotOpen(Session.Module(Files[I]));
      if (!Views.empty()) Failed.push_back(Format("%s: %s", Files[I], Views));
    } catch (const Exception& E) {
      Failed.push_back(E.Message());
    }
  }
  Out.EndProgress();
  if (Files.empty()) throw Exception(Format("No module file in %s", Targets[0]));
  if (Failed.empty()) {
    Out.Say(Format("%d module%s open%s", static_cast<int>(Files.size()), String(Files.size() == 1 ? "" : "s"),
                   String(Files.size() == 1 ? "s" : "")));
    return;
  }
  String Report = Format("%d of %d modules do not open:", static_cast<int>(Failed.size()),
                         static_cast<int>(Files.size()));
  for (const String& F : Failed) Report += "\n  " + F;
  throw Exception(Report);
}

void RunScriptVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  // The files named open first, so that a script over them starts from a readable state.
  if (!Args.Positional.empty())
    for (const String& F : ExpandFiles(Args.TakeFiles())) Session.Module(F);
  if (!Args.Positional.empty())
    throw EUsage(Format("run takes module files only, not '%s'", Args.Positional[0]));
  String Script = Args.Value("-e");
  if (!Args.Has("-e")) {
    std::string Line;
    while (std::getline(std::cin, Line)) Script += Line + "\n";
  }
  int LineNo = 0;
  for (const String& Line : SplitString(Script, '\n')) {
    ++LineNo;
    const String T = Trim(Line);
    if (T.empty() || T[0] == '#') continue;
    try {
      std::vector<String> Words = SplitWords(T);
      if (!Words.empty() && Words[0] == "run") throw EUsage("run cannot be used inside a script");
      RunVerb(Session, Words, Out.File());
      Session.KeepFollowersOwnValues();
    } catch (const EUsage& E) {
      throw EUsage(Format("line %d: %s", LineNo, E.Message()));
    } catch (const Exception& E) {
      throw Exception(Format("line %d: %s", LineNo, E.Message()));
    }
  }
}

}  // namespace formwright::tool
