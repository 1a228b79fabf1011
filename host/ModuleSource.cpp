#include "host/ModuleSource.h"

#include <utility>

namespace formwright {

namespace {

bool ContainsText(const std::vector<String>& List, std::string_view Name) {
  return std::any_of(List.begin(), List.end(), [&](const String& S) { return SameText(S, Name); });
}

String ParamsText(const std::vector<TParamInfo>& Params) {
  String R;
  for (size_t I = 0; I < Params.size(); ++I) {
    const TParamInfo& P = Params[I];
    if (I > 0) R += "; ";
    if (P.Flags.Contains(pfVar)) R += "var ";
    if (P.Flags.Contains(pfConst)) R += "const ";
    if (P.Flags.Contains(pfOut)) R += "out ";
    R += P.Name + ": " + P.TypeName;
  }
  return R;
}

THandlerSource FromEventInfo(const String& Name, const IPtr<IEventInfo>& E) {
  THandlerSource H;
  H.Name = Name;
  if (!E) return H;
  H.Kind = E->GetMethodKind();
  H.ResultType = E->GetResultType();
  for (int I = 0; I < E->GetParamCount(); ++I)
    H.Params.push_back({E->GetParamFlags(I), E->GetParamName(I), E->GetParamType(I)});
  return H;
}

// The lines of a block between the line of its "begin" and the line of its "end"; a block on
// one line gives its inside as one line.
std::vector<String> BodyLines(std::string_view Text, const TUnitToken& Begin, const TUnitToken& End) {
  if (Begin.Line == End.Line) {
    const String Inside = Trim(String(Text.substr(Begin.End, End.Begin - Begin.End)));
    return Inside.empty() ? std::vector<String>{} : std::vector<String>{"  " + Inside};
  }
  const size_t From = Text.find('\n', Begin.End) + 1;
  const size_t To = Text.rfind('\n', End.Begin) + 1;
  std::vector<String> Lines;
  if (To <= From) return Lines;
  for (String L : SplitString(String(Text.substr(From, To - From - 1)), '\n')) {
    if (!L.empty() && L.back() == '\r') L.pop_back();
    Lines.push_back(std::move(L));
  }
  return Lines;
}

// A field's type is the class ClassName; a type written with its unit ("StdCtrls.TButton") is
// the same class.
bool SameFieldType(const String& Type, const String& ClassName) {
  return SameText(Type, ClassName) ||
         (Type.size() > ClassName.size() && Type[Type.size() - ClassName.size() - 1] == '.' &&
          SameText(std::string_view(Type).substr(Type.size() - ClassName.size()), ClassName));
}

const String& HandlerName(const THandlerSource& H) { return H.Name; }
const String& FieldName(const std::pair<String, String>& F) { return F.first; }

// Handlers fit an event when kinds, parameter flags and types and result type agree.
bool Compatible(const THandlerSource& H, const THandlerSource& E) {
  if (H.Kind != E.Kind || !SameText(H.ResultType, E.ResultType) || H.Params.size() != E.Params.size())
    return false;
  for (size_t I = 0; I < H.Params.size(); ++I) {
    const TParamFlags Relevant{pfVar, pfConst, pfOut};
    if ((H.Params[I].Flags * Relevant) != (E.Params[I].Flags * Relevant)) return false;
    if (!SameText(H.Params[I].TypeName, E.Params[I].TypeName)) return false;
  }
  return true;
}

}  // namespace

std::vector<THandlerSource> ParseHandlers(const String& Source) {
  std::vector<THandlerSource> R;
  try {
    const std::vector<TUnitToken> Tokens = TokenizeUnit(Source);
    const TUnitCursor C(Source, Tokens);
    for (const TUnitRoutine& Routine : ReadUnitRoutines(C)) {
      THandlerSource H;
      H.Name = String(C.TextOf(Tokens[Routine.Name]));
      H.Kind = Routine.Header.Kind;
      H.Params = Routine.Header.Params;
      H.ResultType = Routine.Header.ResultType;
      H.Body = BodyLines(Source, Tokens[Routine.BodyBegin], Tokens[Routine.BodyEnd]);
      R.push_back(std::move(H));
    }
  } catch (const EUnitSyntax&) {
    // Text that is not a list of routines holds no handlers to take.
  }
  return R;
}

TModuleSource::TModuleSource(String UnitName, String ClassName, String AncestorClassName)
    : FUnitName(std::move(UnitName)),
      FClassName(std::move(ClassName)),
      FAncestorClassName(std::move(AncestorClassName)) {}

String TModuleSource::GetAncestorClassName(const String& ClassName) {
  return SameText(ClassName, FClassName) ? FAncestorClassName : String();
}

size_t TNamePositions::Find(std::string_view Name) const {
  const TEntry* E = FPositions.Find(Name);
  return E ? E->First : npos;
}

void TNamePositions::Added(std::string_view Name, size_t Pos) {
  ++FPositions.TryEmplace(Name, TEntry{Pos, 0}).first->Count;
}

const THandlerSource* TModuleSource::FindHandler(const String& Name) const noexcept {
  const size_t I = FHandlerIndex.Find(Name);
  return I == TNamePositions::npos ? nullptr : &FHandlers[I];
}

THandlerSource* TModuleSource::FindHandlerW(const String& Name) noexcept {
  return const_cast<THandlerSource*>(FindHandler(Name));
}

void TModuleSource::AddHandler(THandlerSource H) {
  FHandlers.push_back(std::move(H));
  FHandlerIndex.Added(FHandlers.back().Name, FHandlers.size() - 1);
}

bool TModuleSource::DropAddedHandler(const String& Name) {
  const THandlerSource* H = FindHandler(Name);
  if (!H || H->Origin != NoToken || H->Routine != NoToken) return false;
  const auto I = static_cast<size_t>(H - FHandlers.data());
  const String Gone = std::move(FHandlers[I].Name);
  FHandlers.erase(FHandlers.begin() + static_cast<std::ptrdiff_t>(I));
  FHandlerIndex.Removed(FHandlers, HandlerName, I, Gone);
  return true;
}

void TModuleSource::CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) {
  if (FindHandler(Name)) return;
  AddHandler(FromEventInfo(Name, EventInfo));
}

void TModuleSource::GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) {
  const THandlerSource Wanted = FromEventInfo(String(), EventInfo);
  for (const THandlerSource& H : FHandlers)
    if (Compatible(H, Wanted)) Proc(H.Name);
}

void TModuleSource::RenameMethod(const String& CurName, const String& NewName) {
  THandlerSource* H = FindHandlerW(CurName);
  if (!H) return;
  if (!IsValidIdent(NewName)) throw EInvalidOperation(Format("'%s' is not a valid method name", NewName));
  const THandlerSource* Other = FindHandler(NewName);
  if (Other && Other != H) throw EInvalidOperation(Format("A method named %s already exists", NewName));
  const String OldName = std::exchange(H->Name, NewName);
  FHandlerIndex.Renamed(FHandlers, HandlerName, static_cast<size_t>(H - FHandlers.data()), OldName);
}

void TModuleSource::AppendField(const String& Name, const String& ClassName, size_t Origin) {
  if (Origin == NoToken && !FVacated.empty())
    if (auto It = FVacated.find(LowerCase(Name)); It != FVacated.end()) {
      Origin = It->second;
      FVacated.erase(It);
    }
  FFields.emplace_back(Name, ClassName);
  FFieldOrigins.push_back(Origin);
  if (FFieldsIndexed) FFieldIndex.Added(Name, FFields.size() - 1);
}

void TModuleSource::IndexFields() {
  if (FFieldsIndexed) return;
  FFieldsIndexed = true;
  FFieldIndex = TNamePositions();
  FFieldIndex.Reserve(FFields.size());
  for (size_t I = 0; I < FFields.size(); ++I) FFieldIndex.Added(FFields[I].first, I);
}

size_t TModuleSource::FindField(std::string_view Name) {
  IndexFields();
  return FFieldIndex.Find(Name);
}

void TModuleSource::AddField(const String& Name, const String& ClassName) {
  if (const size_t I = FindField(Name); I != TNamePositions::npos) {
    if (!SameFieldType(FFields[I].second, ClassName)) FFields[I].second = ClassName;
  } else
    AppendField(Name, ClassName);
}

void TModuleSource::ReadComponentField(const String& Name, const String& ClassName) {
  // Until the index is built, every field before FNextField went to a component read before
  // this one, which holds its name still (a component that lost or changed its name was heard
  // of, and that built the index); names are unique among components, so none of those fields
  // has this name: the next field, when it has the name, is the first of it, and with every
  // field taken the name is new.
  if (!FFieldsIndexed) {
    if (FNextField == FFields.size()) {
      AppendField(Name, ClassName);
      FNextField = FFields.size();
      return;
    }
    if (SameText(FFields[FNextField].first, Name)) {
      const size_t I = FNextField++;
      if (!SameFieldType(FFields[I].second, ClassName)) FFields[I].second = ClassName;
      return;
    }
  }
  AddField(Name, ClassName);
}

void TModuleSource::ComponentRenamed(const IPtr<ICompInfo>& Info, const String& CurName,
                                     const String& NewName) {
  // A component read from the module comes without a name: no field to look up for it.
  const size_t I = CurName.empty() ? TNamePositions::npos : FindField(CurName);
  if (NewName.empty()) {
    if (I != TNamePositions::npos) DropField(I);
    return;
  }
  // A field the unit declares under the new name has no component behind it (components'
  // names are unique): the component takes that declaration, of its own class, and the unit
  // keeps one field of the name.
  if (const size_t J = I == TNamePositions::npos ? I : FindField(NewName);
      J != TNamePositions::npos && J != I) {
    if (!SameFieldType(FFields[J].second, FFields[I].second)) FFields[J].second = FFields[I].second;
    const String Old = std::exchange(FFields[J].first, NewName);
    FFieldIndex.Renamed(FFields, FieldName, J, Old);
    DropField(I);
    return;
  }
  if (I != TNamePositions::npos) {
    const String OldName = std::exchange(FFields[I].first, NewName);
    FFieldIndex.Renamed(FFields, FieldName, I, OldName);
    if (auto It = FVacated.find(LowerCase(NewName)); It != FVacated.end() && FFieldOrigins[I] == NoToken) {
      FFieldOrigins[I] = It->second;
      FVacated.erase(It);
    }
  } else if (Info) {
    // A component read from the module finds the field the unit already declares for it.
    ReadComponentField(NewName, Info->GetClassName());
  }
}

void TModuleSource::DropField(size_t I) {
  const String Gone = std::move(FFields[I].first);
  if (FFieldOrigins[I] != NoToken) FVacated[LowerCase(Gone)] = FFieldOrigins[I];
  FFields.erase(FFields.begin() + static_cast<std::ptrdiff_t>(I));
  FFieldOrigins.erase(FFieldOrigins.begin() + static_cast<std::ptrdiff_t>(I));
  FFieldIndex.Removed(FFields, FieldName, I, Gone);
}

void TModuleSource::RootRenamed(const IPtr<ICompInfo>&, const String& NewName) { FClassName = "T" + NewName; }

void TModuleSource::GetImportedRoots(const TGetStrProc& Proc) {
  std::vector<String> Roots = FImportedRoots;
  for (const String& U : FLayout.UsedUnits)
    if (String Root = FRootOfUnit ? FRootOfUnit(U) : U; !Root.empty() && !ContainsText(Roots, Root))
      Roots.push_back(std::move(Root));
  for (const String& R : Roots) Proc(R);
}

void TModuleSource::AddImportedRoot(const String& RootName) {
  if (ContainsText(FImportedRoots, RootName)) return;
  FImportedRoots.push_back(RootName);
  const String Unit = FUnitOfRoot ? FUnitOfRoot(RootName) : RootName;
  if (!Unit.empty() && !SameText(Unit, FUnitName) && !ContainsText(FLayout.UsedUnits, Unit) &&
      !ContainsText(FAddedUnits, Unit))
    FAddedUnits.push_back(Unit);
}

void TModuleSource::SetUnitNames(std::function<String(const String&)> UnitOfRoot,
                                 std::function<String(const String&)> RootOfUnit) {
  FUnitOfRoot = std::move(UnitOfRoot);
  FRootOfUnit = std::move(RootOfUnit);
}

void TModuleSource::RenameUnit(const String& NewName) {
  FUnitName = NewName;
  FUnitRenamed = true;
}

void TModuleSource::LoadUnit(const String& Text, const String& FileName, const String& FormClassName) {
  std::vector<TUnitToken> Tokens;
  TUnitLayout Layout;
  try {
    Tokens = TokenizeUnit(Text);
    Layout = ReadUnitLayout(TUnitCursor(Text, Tokens), FormClassName);
  } catch (const EUnitSyntax& E) {
    throw Exception(Format("%s: %s", FileName, E.Message()));
  }
  const TUnitCursor C(Text, Tokens);
  FClassName = FOriginalClassName = String(C.TextOf(Tokens[Layout.ClassName]));
  FAncestorClassName = Layout.AncestorClassName;
  FFields.clear();
  FFieldOrigins.clear();
  FVacated.clear();
  FFieldIndex = TNamePositions();
  FFieldsIndexed = false;
  FNextField = 0;
  FFields.reserve(Layout.Fields.size());
  FFieldOrigins.reserve(Layout.Fields.size());
  for (size_t I = 0; I < Layout.Fields.size(); ++I) {
    const TUnitField& F = Layout.Fields[I];
    AppendField(
        String(C.TextOf(Tokens[F.Name])),
        String(Text.substr(Tokens[F.TypeFirst].Begin, Tokens[F.TypeLast].End - Tokens[F.TypeFirst].Begin)),
        I);
  }
  FHandlers.clear();
  FHandlerIndex = TNamePositions();
  FHandlerIndex.Reserve(Layout.Methods.size());
  FHandlers.reserve(Layout.Methods.size());
  TNameMap<size_t> Implemented;                        // first routine of each name
  std::vector<bool> Declared(Layout.Routines.size());  // the routine of a declared handler
  for (size_t R = 0; R < Layout.Routines.size(); ++R)
    Implemented.TryEmplace(C.TextOf(Tokens[Layout.Routines[R].Name]), R);
  for (size_t I = 0; I < Layout.Methods.size(); ++I) {
    // The handler takes the declaration's signature: the layout keeps only where it is.
    TUnitMethod& M = Layout.Methods[I];
    THandlerSource H{String(C.TextOf(Tokens[M.Name])),
                     M.Kind,
                     std::move(M.Params),
                     std::move(M.ResultType),
                     {},
                     I,
                     NoToken};
    if (const size_t* Routine = Implemented.Find(H.Name)) {
      const TUnitRoutine& R = Layout.Routines[*Routine];
      H.Routine = *Routine;
      Declared[*Routine] = true;
      H.Body = BodyLines(Text, Tokens[R.BodyBegin], Tokens[R.BodyEnd]);
    }
    AddHandler(std::move(H));
  }
  // A method implemented but declared nowhere in the class is a handler still (the unit is
  // left as it is: that is its author's to mend).
  for (size_t R = 0; R < Layout.Routines.size(); ++R) {
    if (Declared[R]) continue;  // a handler of its name was just added
    const TUnitRoutine& Routine = Layout.Routines[R];
    const String Name(C.TextOf(Tokens[Routine.Name]));
    if (FindHandler(Name) || ContainsText(Layout.MethodNames, Name)) continue;
    AddHandler({Name, Routine.Header.Kind, Routine.Header.Params, Routine.Header.ResultType,
                BodyLines(Text, Tokens[Routine.BodyBegin], Tokens[Routine.BodyEnd]), NoToken, R});
  }
  FOriginal = Text;
  FTokens = std::move(Tokens);
  FLayout = std::move(Layout);
  FHasUnit = true;
}

std::vector<String> TModuleSource::MethodNames() const {
  std::vector<String> R = FLayout.MethodNames;
  for (const THandlerSource& H : FHandlers) R.push_back(H.Name);
  return R;
}

std::vector<String> TModuleSource::TypeNames() const {
  std::vector<String> R;
  for (const String& T : FLayout.TypeNames)
    if (!SameText(T, FOriginalClassName)) R.push_back(T);
  R.push_back(FClassName);
  return R;
}

bool TModuleSource::DeclaresName(const String& Name) {
  // The handlers through their index: every new component's name is checked here.
  return FindHandler(Name) || ContainsText(FLayout.MethodNames, Name) || ContainsText(TypeNames(), Name) ||
         ContainsText(FLayout.MemberNames, Name) || ContainsText(FLayout.ValueNames, Name);
}

void TModuleSource::PasteHandlers(const String& Source, TStrings* Renames, TStrings* HandlerNames) {
  // Renames as Old=New, the first of each old name (in any letter case) counting, looked up
  // once per pasted handler.
  std::unordered_map<String, String> NewNames;
  for (int I = 0; Renames && I < Renames->Count(); ++I)
    if (const String Name = Renames->Names(I); !Name.empty())
      NewNames.try_emplace(LowerCase(Name), Renames->ValueFromIndex(I));
  for (THandlerSource H : ParseHandlers(Source)) {
    if (auto It = NewNames.find(LowerCase(H.Name)); It != NewNames.end()) H.Name = It->second;
    if (!FindHandler(H.Name)) AddHandler(std::move(H));
  }
  if (HandlerNames)
    for (const THandlerSource& H : FHandlers) HandlerNames->Add(H.Name);
}

String TModuleSource::DeclarationText(const THandlerSource& H) const {
  String R = (H.Kind == mkFunction ? "function " : "procedure ") + H.Name;
  if (!H.Params.empty()) R += "(" + ParamsText(H.Params) + ")";
  if (H.Kind == mkFunction) R += ": " + H.ResultType;
  return R + ";";
}

String TModuleSource::HandlerText(const THandlerSource& H) const {
  String R = (H.Kind == mkFunction ? "function " : "procedure ") + FClassName + "." + H.Name;
  if (!H.Params.empty()) R += "(" + ParamsText(H.Params) + ")";
  if (H.Kind == mkFunction) R += ": " + H.ResultType;
  R += ";\nbegin\n";
  for (const String& L : H.Body) R += L + "\n";
  return R + "end;\n";
}

String TModuleSource::CopyHandlers(const std::vector<String>& Names) {
  String R;
  for (const String& N : Names) {
    const THandlerSource* H = FindHandler(N);
    if (!H) continue;
    if (H->Routine == NoToken) {
      R += HandlerText(*H) + "\n";
      continue;
    }
    // A handler read from the unit is copied as its author wrote it (local declarations and
    // routines included), under its current name.
    const TUnitRoutine& Routine = FLayout.Routines[H->Routine];
    const size_t From = FTokens[Routine.Name].End, To = FTokens[Routine.Last].End;
    R += String(H->Kind == mkFunction ? "function " : "procedure ") + FClassName + "." + H->Name +
         FOriginal.substr(From, To - From) + "\n\n";
  }
  return R;
}

}  // namespace formwright
