#include "host/ModuleSource.h"

#include <cctype>
#include <regex>
#include <utility>

namespace formwright {

namespace {

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
  static const std::regex Header(
      R"(^\s*(procedure|function)\s+[A-Za-z_][A-Za-z0-9_]*\.([A-Za-z_@][A-Za-z0-9_]*)\s*(\(([^)]*)\))?\s*(:\s*([A-Za-z_][A-Za-z0-9_.]*))?\s*;)",
      std::regex::icase);
  std::vector<THandlerSource> R;
  std::vector<String> Lines = SplitString(StringReplaceAll(Source, "\r\n", "\n"), '\n');
  for (size_t I = 0; I < Lines.size(); ++I) {
    // Only a line whose first word is "procedure" or "function" can start a handler; the rest
    // (fields, declarations, bodies: nearly all of a unit) skip the expression.
    const String& Line = Lines[I];
    size_t First = 0;
    while (First < Line.size() && std::isspace(static_cast<unsigned char>(Line[First]))) ++First;
    const std::string_view Head = std::string_view(Line).substr(First);
    if (!StartsText("procedure", Head) && !StartsText("function", Head)) continue;
    std::smatch M;
    if (!std::regex_search(Line, M, Header)) continue;
    THandlerSource H;
    H.Kind = SameText(M[1].str(), "function") ? mkFunction : mkProcedure;
    H.Name = M[2].str();
    H.ResultType = M[6].str();
    for (const String& Group : SplitString(M[4].str(), ';')) {
      String G = Trim(Group);
      if (G.empty()) continue;
      TParamFlags Flags;
      for (auto [Word, Flag] : {std::pair{"var ", pfVar}, {"const ", pfConst}, {"out ", pfOut}})
        if (StartsText(Word, G)) {
          Flags.Include(Flag);
          G = Trim(G.substr(std::char_traits<char>::length(Word)));
        }
      const size_t Colon = G.find(':');
      const String Type = Colon == String::npos ? String() : Trim(G.substr(Colon + 1));
      for (const String& N : SplitString(G.substr(0, Colon), ',')) H.Params.push_back({Flags, Trim(N), Type});
    }
    // The body runs from "begin" to the first "end;" at the start of a line.
    size_t J = I + 1;
    while (J < Lines.size() && !SameText(Trim(Lines[J]), "begin")) ++J;
    for (++J; J < Lines.size() && !SameText(Trim(Lines[J]), "end;"); ++J) H.Body.push_back(Lines[J]);
    I = J;
    R.push_back(std::move(H));
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
  auto It = FPositions.find(LowerCase(Name));
  return It != FPositions.end() ? It->second.First : npos;
}

void TNamePositions::Added(std::string_view Name, size_t Pos) {
  auto [It, New] = FPositions.try_emplace(LowerCase(Name), TEntry{Pos, 0});
  ++It->second.Count;
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

void TModuleSource::AppendField(const String& Name, const String& ClassName) {
  FFields.emplace_back(Name, ClassName);
  FFieldIndex.Added(Name, FFields.size() - 1);
}

void TModuleSource::AddField(const String& Name, const String& ClassName) {
  if (const size_t I = FFieldIndex.Find(Name); I != TNamePositions::npos)
    FFields[I].second = ClassName;
  else
    AppendField(Name, ClassName);
}

void TModuleSource::ComponentRenamed(const IPtr<ICompInfo>& Info, const String& CurName,
                                     const String& NewName) {
  const size_t I = FFieldIndex.Find(CurName);
  if (NewName.empty()) {
    if (I == TNamePositions::npos) return;
    const String Gone = std::move(FFields[I].first);
    FFields.erase(FFields.begin() + static_cast<std::ptrdiff_t>(I));
    FFieldIndex.Removed(FFields, FieldName, I, Gone);
    return;
  }
  if (I != TNamePositions::npos) {
    const String OldName = std::exchange(FFields[I].first, NewName);
    FFieldIndex.Renamed(FFields, FieldName, I, OldName);
  } else if (Info) {
    AppendField(NewName, Info->GetClassName());
  }
}

void TModuleSource::RootRenamed(const IPtr<ICompInfo>&, const String& NewName) { FClassName = "T" + NewName; }

void TModuleSource::GetImportedRoots(const TGetStrProc& Proc) {
  for (const String& R : FImportedRoots) Proc(R);
}

void TModuleSource::AddImportedRoot(const String& RootName) {
  for (const String& R : FImportedRoots)
    if (SameText(R, RootName)) return;
  FImportedRoots.push_back(RootName);
}

void TModuleSource::PasteHandlers(const String& Source, TStrings* Renames, TStrings* HandlerNames) {
  for (THandlerSource H : ParseHandlers(Source)) {
    if (Renames) {
      const int I = Renames->IndexOfName(H.Name);
      if (I >= 0) H.Name = Renames->ValueFromIndex(I);
    }
    if (!FindHandler(H.Name)) AddHandler(std::move(H));
  }
  if (HandlerNames)
    for (const THandlerSource& H : FHandlers) HandlerNames->Add(H.Name);
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
  for (const String& N : Names)
    if (const THandlerSource* H = FindHandler(N)) R += HandlerText(*H) + "\n";
  return R;
}

String TModuleSource::Text() const {
  String R = "unit " + FUnitName + ";\n\ninterface\n";
  if (!FImportedRoots.empty()) {
    R += "\nuses\n  ";
    for (size_t I = 0; I < FImportedRoots.size(); ++I) R += (I ? ", " : "") + FImportedRoots[I];
    R += ";\n";
  }
  R += "\ntype\n  " + FClassName + " = class(" + FAncestorClassName + ")\n";
  for (const auto& [Name, Cls] : FFields) R += "    " + Name + ": " + Cls + ";\n";
  for (const THandlerSource& H : FHandlers) {
    R += "    " + String(H.Kind == mkFunction ? "function " : "procedure ") + H.Name;
    if (!H.Params.empty()) R += "(" + ParamsText(H.Params) + ")";
    if (H.Kind == mkFunction) R += ": " + H.ResultType;
    R += ";\n";
  }
  R += "  end;\n\nimplementation\n\n";
  for (const THandlerSource& H : FHandlers) R += HandlerText(H) + "\n";
  return R + "end.\n";
}

}  // namespace formwright
