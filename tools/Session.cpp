#include "tools/Session.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "formdesigner/Proxies.h"
#include "host/FormTextMerge.h"
#include "host/root/ReferenceViews.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/RtlConsts.h"
#include "tools/ModuleHeaders.h"

namespace formwright::tool {

namespace fs = std::filesystem;

namespace {

// A module that cannot tell which of two files of one class it follows.
FW_EXCEPTION(EAmbiguousModule, Exception);

String ReadFile(const String& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) throw Exception(Format("Cannot open %s", FileName));
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

// Whether the command's writes, held in Files, change FileName on disk.
bool WritesChange(IModuleFileSystem& Files, const String& FileName) {
  if (!Files.FileExists(String(), FileName)) return false;
  TOwned<TStream> S = Files.OpenFile(String(), FileName);
  const String Data = StreamText(S.get());
  std::error_code Ec;
  return !fs::exists(FileName, Ec) || ReadFile(FileName) != Data;
}

String CanonicalOf(const String& FileName) {
  std::error_code Ec;
  const fs::path P = fs::weakly_canonical(fs::path(FileName), Ec);
  return Ec ? FileName : P.string();
}

String FolderOf(const String& FileName) {
  const fs::path P = fs::path(FileName).parent_path();
  return P.empty() ? String(".") : P.string();
}

bool Owns(TComponent* Root, TComponent* C) {
  for (; C; C = C->Owner())
    if (C == Root) return true;
  return false;
}

// The module's stream in the text or binary form. A module read as text writes text; the
// runtime's lossless conversion gives the binary form.
// NaturalText tells whether the module writes text by itself.
String FormData(TReferenceRoot& R, bool Text, bool& NaturalText) {
  TStringStream S;
  R.WriteRootStream(&S);
  S.SetPosition(0);
  NaturalText = TestStreamFormat(&S) >= sofText;
  if (NaturalText == Text) return S.DataString();
  TStringStream Converted;
  if (Text)
    ObjectResourceToText(&S, &Converted);
  else
    ObjectTextToResource(&S, &Converted);
  return Converted.DataString();
}
}  // namespace

String ModuleText(const String& FileName) { return StreamText(ReadFile(FileName)); }

String StreamText(const String& Data) {
  TStringStream In(Data);
  if (TestStreamFormat(&In) >= sofText) return Data;
  TStringStream Out;
  ObjectResourceToText(&In, &Out);
  return Out.DataString();
}

std::vector<String> ModuleFilesIn(const String& Folder) {
  std::vector<String> Names;
  std::error_code Ec;
  for (const auto& E : fs::directory_iterator(Folder.empty() ? String(".") : Folder, Ec))
    if (E.is_regular_file() && SameText(E.path().extension().string(), ".fwf"))
      Names.push_back(E.path().filename().string());
  std::sort(Names.begin(), Names.end());
  if (!Folder.empty() && Folder != ".")
    for (String& N : Names) N = (fs::path(Folder) / N).string();
  return Names;
}

String ModuleClassOf(const String& FileName) {
  try {
    TObjectHeading H;
    if (RootHeading(ModuleText(FileName), H)) return H.ClassName;
  } catch (const std::exception&) {
    // A file that cannot be read names no class; opening it reports why.
  }
  return String();
}

TModuleFacts ModuleFactsOf(const String& FileName) {
  TModuleFacts Facts;
  try {
    const String Text = ModuleText(FileName);
    TObjectHeading H;
    if (RootHeading(Text, H)) Facts.Class = H.ClassName;
    Facts.Frames = InlineClasses(Text);
  } catch (const std::exception&) {
    // A file that cannot be read names nothing; opening it reports why.
  }
  // The ancestor is named by the unit beside the form file, read as the module's source reads it;
  // a form file that names no class has none to look up there (opening it reports why).
  const String Unit = fs::path(FileName).replace_extension(".pas").string();
  if (!Facts.Class.empty() && fs::exists(Unit))
    Facts.Ancestor = UnitAncestorClassName(ReadFile(Unit), Facts.Class);
  return Facts;
}

TSession::TSession() : FFiles(MakeIntf<TDiskFileSystem>()), FHost(FFiles) {
  THostQuestions& Q = FHost.Questions();
  Q.ReaderError = [](const String&, const String&) { return 1; };  // stop the read
  Q.Fixup = [](const String&, const String&) { return 1; };        // refuse the save
  Q.AncestorNotFound = [](String&, const String&, const String&, const String&, bool) {
    return 3;
  };  // reader decides
  Q.RedirectLinks = [](TComponent*, const String&) { return String(); };
}

TSession::~TSession() { FHost.CloseAll(); }

std::vector<String> TSession::FindModuleOfClass(const String& Folder, const String& ClassName) {
  auto It = FClassFiles.find(Folder);
  if (It == FClassFiles.end()) {
    std::map<String, std::vector<String>> Classes;
    for (const String& F : ModuleFilesIn(Folder))
      if (const String Cls = LowerCase(ModuleClassOf(F)); !Cls.empty()) Classes[Cls].push_back(F);
    It = FClassFiles.emplace(Folder, std::move(Classes)).first;
  }
  auto F = It->second.find(LowerCase(ClassName));
  return F == It->second.end() ? std::vector<String>() : F->second;
}

String TSession::OtherModuleOfClass(const String& FileName, const String& ClassName) {
  for (const String& F : FindModuleOfClass(FolderOf(FileName), ClassName))
    if (CanonicalOf(F) != CanonicalOf(FileName)) return F;
  return String();
}

void TSession::OpenNeeded(const String& FileName) {
  // The ancestor is named by the unit beside the form file; frames by the inline objects.
  std::vector<std::pair<String, const char*>> Needed;  // class, what it is to this module
  const TModuleFacts Facts = ModuleFactsOf(FileName);
  if (!Facts.Ancestor.empty()) Needed.emplace_back(Facts.Ancestor, "its ancestor");
  for (const String& C : Facts.Frames) Needed.emplace_back(C, "a frame it embeds");
  for (const auto& [ClassName, Role] : Needed) {
    if (ClassName.size() < 2) continue;
    // Base classes (TForm, TFrame, TDataModule) are registered and have no module file, even
    // when a file in the folder names one as its own class.
    if (TClass C = GetClass(ClassName); C && !IsProxyClass(C)) continue;
    const std::vector<String> Files = FindModuleOfClass(FolderOf(FileName), ClassName);
    // A module of that class open already (from this folder or another) serves, unless the
    // folder has two files of the class.
    if (Files.size() < 2 && FHost.Find(ClassName.substr(1))) continue;
    if (Files.empty()) {
      throw Exception(Format("%s: %s is %s, and no module file beside it has that class", FileName, ClassName,
                             String(Role)));
    }
    // Two files of one class (a copy left beside its original): which one the module follows
    // cannot be told, and following the wrong one would save it against the wrong values.
    if (Files.size() > 1) {
      String Names;
      for (const String& F : Files) Names += (Names.empty() ? "" : ", ") + fs::path(F).filename().string();
      throw EAmbiguousModule(
          Format("%s: %s is %s, and more than one module file beside it has that class (%s): keep "
                 "one of them in this folder",
                 FileName, ClassName, String(Role), Names));
    }
    if (CanonicalOf(Files.front()) != CanonicalOf(FileName)) Module(Files.front());
  }
}

std::pair<String, String> AncestorWithoutUnit(TReferenceRoot& Root) {
  for (IPtr<IInternalRoot> A = Root.GetAncestorRoot(); A; A = A->GetAncestorRoot())
    if (auto* Ancestor = dynamic_cast<TReferenceRoot*>(A.Get());
        Ancestor && !fs::exists(Ancestor->UnitFileName()))
      return {fs::path(Ancestor->UnitFileName()).filename().string(), Ancestor->GetRootName()};
  return {};
}

String TSession::AncestorNotFoundNote(const String& FileName, const String& Message) {
  const String Pattern(SAncestorNotFound);
  const String Lead = Pattern.substr(0, Pattern.find("%s"));
  const size_t At = Message.find(Lead);
  if (At == String::npos) return String();
  const size_t From = At + Lead.size();
  const size_t To = Message.find('\'', From);
  if (To == String::npos) return String();
  const String Name = Message.substr(From, To - From);
  // The component may also come from a frame the module embeds: the ancestor is named only when
  // it lacks the component.
  const String Ancestor = ModuleFactsOf(FileName).Ancestor;
  if (Ancestor.size() < 2) return String();
  const IPtr<TReferenceRoot> Root = FHost.Find(Ancestor.substr(1));
  if (!Root || !Root->GetRoot() || Root->GetRoot()->FindComponent(Name)) return String();
  return Format(" (%s in %s, the ancestor, has no component %s)", Root->GetRootName(),
                fs::path(Root->GetFileName()).filename().string(), Name);
}

TReferenceRoot& TSession::Module(const String& FileName) {
  const String Key = CanonicalOf(FileName);
  if (auto It = FIndex.find(Key); It != FIndex.end()) return *FModules[It->second].second;
  if (!fs::is_regular_file(FileName)) throw Exception(Format("%s: no such module file", FileName));
  if (std::error_code Ec; fs::file_size(FileName, Ec) == 0)
    throw Exception(Format("%s: the form file is empty", FileName));
  if (!FOpening.insert(Key).second)
    throw Exception(Format("%s: the module needs itself (through its ancestor or frames)", FileName));
  try {
    // A view's form file is opened through its module, which the session opens first, with its
    // views.
    if (const String Master = ViewOfFile(*FFiles, FileName).first; !Master.empty()) {
      Module(Master);
      FOpening.erase(Key);
      if (auto It = FIndex.find(Key); It != FIndex.end()) return *FModules[It->second].second;
      FOpening.insert(Key);
    }
    OpenNeeded(FileName);
    IPtr<TReferenceRoot> Root;
    try {
      Root = FHost.Open(FileName);
    } catch (const EViewList& E) {
      if (FEditing) throw;
      Root = FHost.Open(FileName, false);
      FViewsNotOpen.emplace(Root.Get(), E.Message());
    }
    FOpening.erase(Key);
    FIndex.emplace(Key, FModules.size());
    FModules.emplace_back(FileName, Root);
    if (FEditing) KeepAuthorText(FileName, *Root);
    // The module's views follow its edits as the modules that inherit from it do, and are saved
    // when an edit reached them.
    for (int I = 0; I < Root->GetViewCount(); ++I)
      if (IPtr<TReferenceRoot> View(dynamic_cast<TReferenceRoot*>(Root->GetView(I).Get()));
          View && FIndex.emplace(CanonicalOf(View->GetFileName()), FModules.size()).second) {
        FModules.emplace_back(View->GetFileName(), View);
        if (FEditing) KeepAuthorText(View->GetFileName(), *View);
      }
    if (FEditing) OpenDependents(FileName);
    return *Root;
  } catch (const Exception& E) {
    FOpening.erase(Key);
    if (StartsText(FileName + ":", E.Message())) throw;
    // A view's form file whose module no longer lists it has no unit of its own to open with.
    const fs::path Path(FileName);
    const fs::path Master =
        Path.parent_path() / (fs::path(Path.stem()).stem().string() + Path.extension().string());
    if (fs::path(Path.stem()).has_extension() && fs::is_regular_file(Master))
      throw Exception(Format("%s: the form file of a view of %s that %s does not list (%s)", FileName,
                             Master.filename().string(),
                             fs::path(ViewListFileName(Master.string())).filename().string(), E.Message()));
    throw Exception(Format("%s: %s%s", FileName, E.Message(), AncestorNotFoundNote(FileName, E.Message())));
  }
}

void TSession::KeepAuthorText(const String& FileName, TReferenceRoot& Root) {
  const bool Text = Root.IsTextFormat();
  // A module that can follow another (its ancestor, the frames it embeds) keeps its stream as
  // read, to tell later whether an edit reached it.
  const bool Follows = Root.GetAncestorRoot() || !Root.FrameUpdateManagers().empty();
  if ((!Text || FAuthorText.count(&Root)) && (!Follows || FFollowerData.count(&Root))) return;
  bool NaturalText = Text;
  const String Data = FormData(Root, Text, NaturalText);
  if (Follows) {
    FFollowerData.emplace(&Root, Data);
    FOwnValues.emplace(&Root,
                       TOwnValues{Root.GetModifyTime(), Data, InheritedOverrides(Root, StreamText(Data))});
  }
  if (Text) FAuthorText.emplace(&Root, TAuthorText{ModuleText(FileName), Data});
}

std::vector<String> TSession::KeepFollowersOwnValues(bool Drop) {
  // Nothing to look at while no module changed since the last check (modify times only grow).
  int64_t Latest = 0;
  for (const auto& [File, R] : FModules) Latest = std::max(Latest, R->GetModifyTime());
  std::vector<String> Lost;
  if (Latest == FLatestModifyTime) return Lost;
  for (const auto& [File, R] : FModules) {
    auto O = FOwnValues.find(R.Get());
    if (O == FOwnValues.end()) continue;
    bool NaturalText = false;
    String Data = FormData(*R, R->IsTextFormat(), NaturalText);
    if (Data == O->second.Data) continue;
    // Changed without an edit of its own: only by following the modules it follows.
    if (R->GetModifyTime() == O->second.ModifyTime) {
      for (const String& L : KeepOverrides(*R, File, O->second.Overrides)) Lost.push_back(File + ": " + L);
      Data = FormData(*R, R->IsTextFormat(), NaturalText);
    }
    O->second = TOwnValues{R->GetModifyTime(), Data, InheritedOverrides(*R, StreamText(Data))};
  }
  FLatestModifyTime = 0;
  for (const auto& [File, R] : FModules) FLatestModifyTime = std::max(FLatestModifyTime, R->GetModifyTime());
  if (!Lost.empty() && !Drop) {
    String List;
    for (const String& L : Lost) List += (List.empty() ? "" : ", ") + L;
    throw Exception(Format("modules built on this one would lose values they set themselves: %s", List));
  }
  return Lost;
}

bool TSession::Followed(TReferenceRoot& Root) {
  auto It = FFollowerData.find(&Root);
  if (It == FFollowerData.end()) return false;
  bool NaturalText = false;
  return FormData(Root, Root.IsTextFormat(), NaturalText) != It->second;
}

void TSession::OpenDependents(const String& FileName) {
  if (!FDependentsOpened.insert(CanonicalOf(FileName)).second) return;
  for (const auto& Dependent : Dependents(FileName)) {
    const String Key = CanonicalOf(Dependent.first);
    if (FIndex.count(Key) || FOpening.count(Key)) continue;
    try {
      Module(Dependent.first);
    } catch (const EAmbiguousModule&) {
      // It opens again once the folder has one file of the class: an edit now would leave it
      // behind.
      throw;
    } catch (const std::exception&) {
      // A module that does not open now has nothing to lose: it stays as it is.
    }
  }
}

String TSession::ViewsNotOpen(TReferenceRoot& Root) const {
  auto It = FViewsNotOpen.find(&Root);
  return It == FViewsNotOpen.end() ? String() : It->second;
}

void TSession::PrepareEdits() {
  if (FEditing) return;
  for (const auto& [File, R] : FModules)
    if (const String Why = ViewsNotOpen(*R); !Why.empty()) throw Exception(Format("%s: %s", File, Why));
  FEditing = true;
  // Opening dependents adds modules: by index.
  for (size_t I = 0; I < FModules.size(); ++I) KeepAuthorText(FModules[I].first, *FModules[I].second);
  for (size_t I = 0; I < FModules.size(); ++I) OpenDependents(FModules[I].first);
}

String TSession::FileOf(TReferenceRoot& Root) const {
  for (const auto& [File, R] : FModules)
    if (R.Get() == &Root) return File;
  return Root.GetFileName();
}

TComponent* TSession::Component(TReferenceRoot& Root, const String& Name) const {
  // "@root" names the root of whichever module is edited, so one command reaches many roots.
  if (SameText(Name, RootAlias)) return Root.GetRoot();
  TComponent* C = Name.empty() ? nullptr : Root.GetComponent(Name);
  if (!C || !Owns(Root.GetRoot(), C))
    throw Exception(
        Format("%s: there is no component named %s in %s", FileOf(Root), Name, Root.GetRootName()));
  return C;
}

std::vector<TComponent*> TSession::Components(TReferenceRoot& Root, const String& Names) const {
  std::vector<TComponent*> List;
  for (const String& N : SplitString(Names, ',')) {
    TComponent* C = Component(Root, Trim(N));
    if (std::find(List.begin(), List.end(), C) == List.end()) List.push_back(C);
  }
  return List;
}

void TSession::SaveAs(TReferenceRoot& Root, bool Text, const String& OutFile, bool Force) {
  if (OutFile.empty()) {
    FForced[&Root] = Text;
    return;
  }
  const String Unit = fs::path(OutFile).replace_extension(".pas").string();
  const bool HasUnit = fs::exists(Root.UnitFileName());
  if (HasUnit && CanonicalOf(Unit) == CanonicalOf(Root.UnitFileName()))
    throw Exception(Format("%s: the copy would replace the module's own unit %s", OutFile, Unit));
  if (HasUnit && !Force && fs::exists(Unit))
    throw Exception(Format("%s: %s already exists; --force replaces it", OutFile, Unit));
  // A module finds what it inherits or embeds by class in its own folder: a copy beside the
  // original would leave the modules that use it unable to tell which one they follow.
  const String Own = FileOf(Root);
  if (CanonicalOf(FolderOf(OutFile)) == CanonicalOf(FolderOf(Own)) &&
      CanonicalOf(OutFile) != CanonicalOf(Own))
    if (const auto Users = Dependents(Own); !Users.empty())
      throw Exception(
          Format("%s: a copy beside %s would give its folder two modules of class %s, and %s (%s) could "
                 "no longer tell which one it follows: put the copy in another folder",
                 OutFile, Own, Root.GetRoot()->ClassName(), Users.front().first, Users.front().second));
  FExports.push_back({&Root, OutFile, Text});
}

std::vector<std::pair<String, String>> TSession::SaveChanged(
    std::vector<std::pair<String, String>>* Handover) {
  struct TPending {
    TReferenceRoot* Root;
    String File;
    bool Text;
    String Data;
    bool Export;
    bool NaturalText = false;
    bool Followed = false;  // changed only by following the modules it inherits or embeds
  };
  std::vector<TPending> Pending;
  KeepFollowersOwnValues();
  // Everything is written to memory first: a refusal here stops before any file is written.
  try {
    for (const auto& [File, R] : FModules) {
      auto Forced = FForced.find(R.Get());
      const bool Follower = !R->IsModified() && Forced == FForced.end();
      if (Follower && !Followed(*R)) continue;
      const bool Text = Forced != FForced.end() ? Forced->second : R->IsTextFormat();
      Pending.push_back({R.Get(), File, Text, String(), false});
      Pending.back().Followed = Follower;
      Pending.back().Data = FormData(*R, Text, Pending.back().NaturalText);
    }
    for (const TExport& X : FExports) {
      Pending.push_back({X.Root, X.File, X.Text, String(), true});
      Pending.back().Data = FormData(*X.Root, X.Text, Pending.back().NaturalText);
    }
  } catch (const Exception& E) {
    throw Exception(Format("%s: %s", Pending.back().File, E.Message()));
  }
  // Then every file of every module (forms and units) goes to a temporary file beside it, and
  // only when all are written are they put in place together.
  TWriteBatch Batch(*FFiles);
  std::vector<std::pair<String, String>> Saved;
  std::vector<std::pair<TReferenceRoot*, TAuthorText>> Kept;
  for (const TPending& P : Pending) {
    try {
      if (!P.Export) {
        // The author's file with the edits in it; the writer's form only when the file and the
        // module as read do not correspond.
        auto Author = FAuthorText.find(P.Root);
        std::optional<String> Merged;
        if (P.NaturalText == P.Text && P.Text && Author != FAuthorText.end())
          Merged = MergeFormText(Author->second.File, Author->second.Loaded, P.Data);
        // A module that only followed another, whose author's file reads the same, stays as it is.
        if (P.Followed && Merged && *Merged == Author->second.File) {
          Kept.emplace_back(P.Root, TAuthorText{*Merged, P.Data});
          continue;
        }
        // So does a binary one whose stream gained nothing but blocks that override nothing (a
        // component its ancestor gained).
        if (auto Was = FFollowerData.find(P.Root);
            P.Followed && !P.Text && P.NaturalText == P.Text && Was != FFollowerData.end()) {
          const String Before = StreamText(Was->second);
          if (MergeFormText(Before, Before, StreamText(P.Data)) == Before) continue;
        }
        // The module saves itself (its form file, and its unit when that changed); a text
        // module that is wanted in the binary form is then written in that form.
        P.Root->Save();
        // A view saves itself only when it was edited; one that followed its master is written
        // here.
        const bool ViewFollowed = P.Followed && P.Root->GetMasterView();
        if (P.NaturalText != P.Text || (ViewFollowed && !Merged)) {
          TStringStream Form(P.Data);
          FFiles->WriteFile(String(), P.Root->GetFileName(), &Form);
        } else if (P.Text && Author != FAuthorText.end()) {
          if (Merged && (*Merged != P.Data || ViewFollowed)) {
            TStringStream Form(*Merged);
            FFiles->WriteFile(String(), P.Root->GetFileName(), &Form);
          }
          Kept.emplace_back(P.Root, TAuthorText{Merged ? *Merged : P.Data, P.Data});
        }
      } else {
        ExportModule(*P.Root, P.File, P.Data);
      }
    } catch (const Exception& E) {
      if (StartsText(P.File + ":", E.Message())) throw;
      throw Exception(Format("%s: %s", P.File, E.Message()));
    }
    // A module whose files read as they did (its views' edits went to their own files) is not
    // reported as saved.
    if (!P.Export && !WritesChange(*FFiles, P.Root->GetFileName()) &&
        !(P.Root->Source() && WritesChange(*FFiles, P.Root->UnitFileName())))
      continue;
    // A module read without a unit gets one (its class and handlers need a home): said, as it is
    // a file the author did not have.
    String Form = P.Text ? "text form" : "binary form";
    std::error_code Ec;
    if (!P.Export && P.Root->Source() && FFiles->FileExists(String(), P.Root->UnitFileName()) &&
        !fs::exists(P.Root->UnitFileName(), Ec))
      Form += Format(", and a new unit %s", fs::path(P.Root->UnitFileName()).filename().string());
    Saved.emplace_back(P.File, Form);
  }
  for (const auto& Write : FPendingWrites) Write();
  FPendingWrites.clear();
  if (Handover)
    *Handover = FFiles->HandOverWrites();
  else
    Batch.Commit();
  for (auto& [Root, Text] : Kept) FAuthorText[Root] = std::move(Text);
  // What was saved is the new reference for modules that follow others.
  for (const TPending& P : Pending)
    if (auto It = FFollowerData.find(P.Root);
        It != FFollowerData.end() && !P.Export && P.NaturalText == P.Text)
      It->second = P.Data;
  FForced.clear();
  FExports.clear();
  return Saved;
}

void TSession::ExportModule(TReferenceRoot& Root, const String& File, const String& Data) {
  TStringStream Form(Data);
  FFiles->WriteFile(String(), File, &Form);
  // The copy gets its unit beside it when the module has one, so that it opens with its class
  // and handlers; the unit takes the copy's name.
  auto* Source = Root.Source();
  if (!Source || !fs::exists(Root.UnitFileName())) return;
  const String UnitName = fs::path(File).stem().string();
  TStringStream Unit(RenameUnitHeading(Source->Text(), UnitName));
  FFiles->WriteFile(String(), fs::path(File).replace_extension(".pas").string(), &Unit);
}

std::vector<std::pair<String, TOverride>> TSession::OwnValuesOn(const String& Name) const {
  std::vector<std::pair<String, TOverride>> Values;
  for (const auto& [File, R] : FModules)
    if (auto O = FOwnValues.find(R.Get()); O != FOwnValues.end())
      for (const TOverride& V : O->second.Overrides)
        if (SameText(V.Component, Name) || EndsText("." + Name, V.Component)) Values.emplace_back(File, V);
  return Values;
}

void TSession::Forget(TReferenceRoot& Root) {
  auto It =
      std::find_if(FModules.begin(), FModules.end(), [&](const auto& M) { return M.second.Get() == &Root; });
  if (It == FModules.end()) return;
  FModules.erase(It);
  FIndex.clear();
  for (size_t I = 0; I < FModules.size(); ++I) FIndex.emplace(CanonicalOf(FModules[I].first), I);
  FFollowerData.erase(&Root);
  FOwnValues.erase(&Root);
  FAuthorText.erase(&Root);
  FForced.erase(&Root);
  FViewsNotOpen.erase(&Root);
}

std::vector<IPtr<TReferenceRoot>> TSession::Modules() const {
  std::vector<IPtr<TReferenceRoot>> List;
  for (const auto& M : FModules) List.push_back(M.second);
  return List;
}

}  // namespace formwright::tool
