// The module source's text: the unit as read with each change spliced into its own span.
#include <algorithm>

#include "host/ModuleSource.h"

namespace formwright {

namespace {

// One change of the text: [Begin, End) becomes Text. Changes at one place apply in the order
// they were made.
struct TSplice {
  size_t Begin, End;
  String Text;
};

class TUnitEditor {
 public:
  TUnitEditor(const String& Text, const std::vector<TUnitToken>& Tokens) : FText(Text), FTokens(Tokens) {
    const size_t Lf = Text.find('\n');
    FEol = Lf != String::npos && Lf > 0 && Text[Lf - 1] == '\r' ? "\r\n" : "\n";
  }

  const TUnitToken& Tok(size_t I) const { return FTokens[I]; }
  std::string_view TextOf(size_t I) const {
    return std::string_view(FText).substr(Tok(I).Begin, Tok(I).End - Tok(I).Begin);
  }
  const String& Eol() const noexcept { return FEol; }

  size_t LineStart(size_t Offset) const {
    const size_t Lf = Offset ? FText.rfind('\n', Offset - 1) : String::npos;
    return Lf == String::npos ? 0 : Lf + 1;
  }
  // Just past the line end of the line holding Offset.
  size_t LineEnd(size_t Offset) const {
    const size_t Lf = FText.find('\n', Offset);
    return Lf == String::npos ? FText.size() : Lf + 1;
  }
  String IndentAt(size_t Offset) const {
    const size_t From = LineStart(Offset);
    size_t To = From;
    while (To < FText.size() && (FText[To] == ' ' || FText[To] == '\t')) ++To;
    return FText.substr(From, To - From);
  }
  // Whether tokens First..Last are the only tokens on their lines.
  bool AloneOnLines(size_t First, size_t Last) const {
    const bool Before = First == 0 || Tok(First - 1).End <= LineStart(Tok(First).Begin);
    const bool After = Last + 1 >= FTokens.size() || Tok(Last + 1).Begin >= LineEnd(Tok(Last).End);
    return Before && After;
  }

  void Replace(size_t Token, const String& Text) { Add(Tok(Token).Begin, Tok(Token).End, Text); }
  void Add(size_t Begin, size_t End, String Text) { FSplices.push_back({Begin, End, std::move(Text)}); }
  // Removes tokens First..Last: their whole lines when nothing else is on them.
  void Remove(size_t First, size_t Last) {
    if (AloneOnLines(First, Last))
      Add(LineStart(Tok(First).Begin), LineEnd(Tok(Last).End), String());
    else
      Add(Tok(First).Begin, Last + 1 < FTokens.size() ? Tok(Last + 1).Begin : Tok(Last).End, String());
  }
  // Lines (each without its line end) inserted as whole lines after token After's line, or
  // right after the token when more follows it on that line.
  void InsertLinesAfter(size_t After, const std::vector<String>& Lines) {
    if (Lines.empty()) return;
    String Block;
    const size_t End = Tok(After).End;
    if (After + 1 >= FTokens.size() || Tok(After + 1).Begin >= LineEnd(End)) {
      for (const String& L : Lines) Block += L + FEol;
      Add(LineEnd(End), LineEnd(End), Block);
    } else {
      for (const String& L : Lines) Block += FEol + L;
      Add(End, End, Block);
    }
  }
  // Lines inserted before token Before's line (or right before it when something precedes it
  // on that line).
  void InsertLinesBefore(size_t Before, const std::vector<String>& Lines) {
    if (Lines.empty()) return;
    String Block;
    const size_t Begin = Tok(Before).Begin;
    if (Before == 0 || Tok(Before - 1).End <= LineStart(Begin)) {
      for (const String& L : Lines) Block += L + FEol;
      Add(LineStart(Begin), LineStart(Begin), Block);
    } else {
      for (const String& L : Lines) Block += L + FEol;
      Add(Begin, Begin, FEol + Block);
    }
  }

  String Result() {
    std::stable_sort(FSplices.begin(), FSplices.end(),
                     [](const TSplice& A, const TSplice& B) { return A.Begin < B.Begin; });
    String R;
    R.reserve(FText.size() + 256);
    size_t At = 0;
    for (const TSplice& S : FSplices) {
      if (S.Begin < At) continue;  // overlaps an earlier change; cannot happen for the edits made here
      R.append(FText, At, S.Begin - At);
      R += S.Text;
      At = S.End;
    }
    R.append(FText, At, String::npos);
    return R;
  }

  // Text with its "\n" line ends turned into the unit's.
  String WithEol(const String& Text) const {
    return FEol == "\n" ? Text : StringReplaceAll(Text, "\n", FEol);
  }

 private:
  const String& FText;
  const std::vector<TUnitToken>& FTokens;
  String FEol;
  std::vector<TSplice> FSplices;
};

}  // namespace

String TModuleSource::NewUnitText() const {
  return "unit " + FUnitName + ";\n\ninterface\n\ntype\n  " + FClassName + " = class(" + FAncestorClassName +
         ")\n  end;\n\nimplementation\n\nend.\n";
}

String TModuleSource::Text() const { return TextAs(FUnitRenamed ? FUnitName : String()); }

String TModuleSource::TextAs(const String& UnitName) const {
  // Without a unit the new one starts as an empty class; everything the model holds is then
  // added to it the way it would be added to a unit read from a file.
  String NewText;
  std::vector<TUnitToken> NewTokens;
  TUnitLayout NewLayout;
  if (!FHasUnit) {
    NewText = NewUnitText();
    NewTokens = TokenizeUnit(NewText);
    NewLayout = ReadUnitLayout(TUnitCursor(NewText, NewTokens), FClassName);
  }
  const String& Base = FHasUnit ? FOriginal : NewText;
  const std::vector<TUnitToken>& Tokens = FHasUnit ? FTokens : NewTokens;
  const TUnitLayout& L = FHasUnit ? FLayout : NewLayout;
  TUnitEditor E(Base, Tokens);

  if (!UnitName.empty() && E.TextOf(L.UnitName) != UnitName) E.Replace(L.UnitName, UnitName);

  // The class renamed: every mention of it, and the form variable named after the root.
  if (FHasUnit && FClassName != FOriginalClassName) {
    for (size_t I = 0; I < Tokens.size(); ++I)
      if (Tokens[I].Kind == utIdent && SameText(E.TextOf(I), FOriginalClassName) &&
          !(I > 0 && E.TextOf(I - 1) == ".")) {
        const bool Variable =
            std::find(L.FormVariables.begin(), L.FormVariables.end(), I) != L.FormVariables.end();
        if (!Variable) E.Replace(I, FClassName);
      }
    for (size_t V : L.FormVariables)
      if (SameText(E.TextOf(V), FOriginalClassName.substr(1))) E.Replace(V, FClassName.substr(1));
  }

  // New lines take the indentation of the line they follow (the last field, the last method),
  // as an author who mixes tabs and spaces would continue.
  String Indent;
  if (!L.Fields.empty())
    Indent = E.IndentAt(Tokens[L.Fields.back().DeclFirst].Begin);
  else if (!L.Methods.empty())
    Indent = E.IndentAt(Tokens[L.Methods.front().DeclFirst].Begin);
  else
    Indent = E.IndentAt(Tokens[L.ClassName].Begin) + "  ";
  const String MethodIndent =
      L.Methods.empty() ? Indent : E.IndentAt(Tokens[L.Methods.back().DeclFirst].Begin);

  // Fields: renamed, retyped or gone in place; new ones after the last one read.
  std::vector<size_t> Owner(L.Fields.size(), NoToken);
  for (size_t I = 0; I < FFields.size(); ++I)
    if (FFieldOrigins[I] != NoToken) Owner[FFieldOrigins[I]] = I;
  std::vector<String> NewFields;
  std::vector<size_t> Removed;  // names leaving a declaration of several
  for (size_t D = 0; D < L.Fields.size(); ++D) {
    const TUnitField& F = L.Fields[D];
    const size_t I = Owner[D];
    const bool Retyped =
        I != NoToken &&
        !SameText(FFields[I].second,
                  Base.substr(Tokens[F.TypeFirst].Begin, Tokens[F.TypeLast].End - Tokens[F.TypeFirst].Begin));
    if (I != NoToken && Retyped && F.NamesInDecl > 1)
      NewFields.push_back(Indent + FFields[I].first + ": " + FFields[I].second + ";");
    if (I == NoToken || (Retyped && F.NamesInDecl > 1)) {
      if (F.NamesInDecl == 1)
        E.Remove(F.DeclFirst, F.DeclLast);
      else
        Removed.push_back(D);
      continue;
    }
    if (E.TextOf(F.Name) != FFields[I].first) E.Replace(F.Name, FFields[I].first);
    if (Retyped) E.Add(Tokens[F.TypeFirst].Begin, Tokens[F.TypeLast].End, FFields[I].second);
  }
  // Names leaving a declaration of several: with the comma after them (or before the last);
  // the whole declaration when all of them go.
  for (size_t K = 0; K < Removed.size();) {
    const TUnitField& F = L.Fields[Removed[K]];
    size_t Count = 0;
    while (K + Count < Removed.size() && L.Fields[Removed[K + Count]].DeclFirst == F.DeclFirst) ++Count;
    if (Count == F.NamesInDecl) {
      E.Remove(F.DeclFirst, F.DeclLast);
    } else {
      for (size_t J = K; J < K + Count; ++J) {
        const size_t N = L.Fields[Removed[J]].Name;
        if (E.TextOf(N + 1) == ",")
          E.Add(Tokens[N].Begin, Tokens[N + 2].Begin, String());
        else
          E.Add(Tokens[N - 1].Begin, Tokens[N].End, String());
      }
    }
    K += Count;
  }
  for (size_t I = 0; I < FFields.size(); ++I)
    if (FFieldOrigins[I] == NoToken)
      NewFields.push_back(Indent + FFields[I].first + ": " + FFields[I].second + ";");

  // Handlers: renamed in their declaration and implementation; new ones declared after the
  // methods (fields come before methods) and implemented after the last handler.
  std::vector<String> NewDecls;
  std::vector<String> NewBodies;
  for (const THandlerSource& H : FHandlers) {
    // A handler read from the unit keeps what its author wrote: one declared but not
    // implemented (or implemented but not declared) is left so.
    if (H.Origin == NoToken && H.Routine == NoToken) {
      NewDecls.push_back(MethodIndent + DeclarationText(H));
      NewBodies.push_back(HandlerText(H));
    }
    // A renamed handler is renamed in both places; one not renamed keeps its author's spelling
    // in its implementation, even where that differs in case from its declaration.
    const bool Renamed = H.Origin != NoToken
                             ? E.TextOf(L.Methods[H.Origin].Name) != H.Name
                             : H.Routine != NoToken && E.TextOf(L.Routines[H.Routine].Name) != H.Name;
    if (Renamed && H.Origin != NoToken) E.Replace(L.Methods[H.Origin].Name, H.Name);
    if (Renamed && H.Routine != NoToken) E.Replace(L.Routines[H.Routine].Name, H.Name);
  }
  if (!L.Fields.empty())
    E.InsertLinesAfter(L.Fields.back().DeclLast, NewFields);
  else if (!L.Methods.empty())
    E.InsertLinesBefore(L.Methods.front().DeclFirst, NewFields);
  else
    E.InsertLinesAfter(L.ClassHeaderLast, NewFields);
  if (!L.Methods.empty())
    E.InsertLinesAfter(L.Methods.back().DeclLast, NewDecls);
  else if (!L.Fields.empty())
    E.InsertLinesAfter(L.Fields.back().DeclLast, NewDecls);
  else
    E.InsertLinesAfter(L.ClassHeaderLast, NewDecls);
  if (!NewBodies.empty()) {
    String Block;
    for (const String& B : NewBodies) Block += B + "\n";
    if (!L.Routines.empty()) {
      const size_t At = E.LineEnd(Tokens[L.Routines.back().Last].End);
      E.Add(At, At, E.WithEol("\n" + Block.substr(0, Block.size() - 1)));
    } else {
      const size_t At = E.LineStart(Tokens[L.ImplementationEnd].Begin);
      E.Add(At, At, E.WithEol(Block));
    }
  }

  // Units the module now uses.
  if (!FAddedUnits.empty()) {
    String Names;
    for (const String& U : FAddedUnits) Names += (Names.empty() ? "" : ", ") + U;
    if (L.LastUsedUnit != NoToken) {
      E.Add(Tokens[L.LastUsedUnit].End, Tokens[L.LastUsedUnit].End, ", " + Names);
    } else {
      const size_t At = E.LineEnd(Tokens[L.Interface].End);
      E.Add(At, At, E.WithEol("\nuses\n  " + Names + ";\n"));
    }
  }
  return E.Result();
}

}  // namespace formwright
