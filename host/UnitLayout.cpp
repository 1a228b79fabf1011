#include "host/UnitLayout.h"

#include <algorithm>

#include "platform/runtime/StreamCoding.h"

namespace formwright {

namespace {

constexpr TUnitKeywords RoutineWords{ukProcedure, ukFunction, ukConstructor, ukDestructor, ukOperator};

// Words that end a declaration section of the unit or of a routine.
constexpr TUnitKeywords SectionWords({ukType, ukVar, ukConst, ukResourcestring, ukThreadvar, ukLabel,
                                      ukExports, ukProcedure, ukFunction, ukConstructor, ukDestructor,
                                      ukOperator, ukImplementation, ukInitialization, ukFinalization, ukBegin,
                                      ukAsm, ukEnd, ukUses});

// Words that may follow a routine's header, each ended by ";".
constexpr TUnitKeywords Directives({ukOverload,     ukInline,   ukStdcall, ukCdecl,      ukPascal,
                                    ukRegister,     ukSafecall, ukForward, ukExternal,   ukAssembler,
                                    ukStatic,       ukVirtual,  ukDynamic, ukOverride,   ukReintroduce,
                                    ukAbstract,     ukFinal,    ukMessage, ukDeprecated, ukPlatform,
                                    ukExperimental, ukVarargs,  ukDispid});

bool AtSectionWord(const TUnitCursor& C) {
  return C.IsAny(SectionWords) || (C.Is(ukClass) && C.IsAny(RoutineWords, 1));
}

bool AtRoutineWord(const TUnitCursor& C) { return C.IsAny(RoutineWords); }

bool AtDirective(const TUnitCursor& C) { return C.IsAny(Directives); }

class TLayoutReader {
 public:
  TLayoutReader(const TUnitCursor& Tokens, const String& ClassName) : C(Tokens), FClass(ClassName) {}

  std::vector<TUnitRoutine> Routines() {
    FAnyClass = true;
    while (!C.AtEnd()) {
      const size_t Start = C.Pos();
      if (!C.Is(ukClass) && !AtRoutineWord(C)) {
        C.Next();
        continue;
      }
      try {
        Routine(true);
      } catch (const EUnitSyntax&) {
        C.Seek(Start + 1);  // a declaration without a body: not a routine to take
      }
    }
    return std::move(L.Routines);
  }

  TUnitLayout Run() {
    Expect(ukUnit, "unit");
    C.Next();
    L.UnitName = C.Pos();
    while (C.IsIdent() && C.IsSymbol('.', 1)) C.Next(), C.Next();
    if (!C.IsIdent()) Fail("Expected the unit's name");
    L.UnitName = C.Pos();
    SkipTo(';');
    Expect(ukInterface, "interface");
    L.Interface = C.Pos();
    C.Next();
    Declarations(true);
    if (L.ClassName == NoToken)
      Fail(FClass.empty() ? String("No form class declared before \"implementation\"")
                          : Format("Class %s is not declared before \"implementation\"",
                                   streamcoding::PrintableText(FClass)));
    Expect(ukImplementation, "implementation");
    C.Next();
    Declarations(false);
    if (!C.IsAny({ukInitialization, ukFinalization, ukBegin, ukEnd}))
      Fail("Expected \"end.\" at the end of the unit");
    L.ImplementationEnd = C.Pos();
    while (!C.AtEnd() && !(C.Is(ukEnd) && C.IsSymbol('.', 1))) C.Next();
    if (C.AtEnd()) Fail("Expected \"end.\" at the end of the unit");
    return std::move(L);
  }

 private:
  [[noreturn]] void Fail(const String& Message) const { throw EUnitSyntax(Message, C.Peek().Line); }
  void Expect(TUnitKeyword Word, const char* Text) const {
    if (!C.Is(Word)) Fail(Format("Expected \"%s\"", Text));
  }

  // Skips to just past the next Symbol outside parentheses and brackets; a record or class
  // body on the way is skipped whole.
  void SkipTo(char Symbol) {
    int Depth = 0;
    while (!C.AtEnd()) {
      const TUnitToken& T = C.Peek();
      const bool Record = T.Keyword == ukRecord;
      const char S = T.Kind == utSymbol && T.End - T.Begin == 1 ? C.Source()[T.Begin] : '\0';
      if (Record || (S == '=' && C.IsAny({ukClass, ukObject, ukInterface}, 1))) {
        if (!Record) C.Next();
        SkipBody();
        continue;
      }
      if (S == '(' || S == '[') ++Depth;
      if (S == ')' || S == ']') --Depth;
      const bool Found = Depth <= 0 && S == Symbol;
      C.Next();
      if (Found) return;
    }
  }

  // From a "record", "class", "object" or "interface" word: past the "end" of its body. A
  // forward or short declaration ("class;", "class(TBase);", "class of T") has no body.
  void SkipBody() {
    const int Line = C.Peek().Line;
    const bool Record = C.Is(ukRecord);
    C.Next();
    if (!Record) {
      if (C.IsSymbol(';') || C.Is(ukOf)) return;
      if (C.IsSymbol('(')) {
        SkipParens();
        if (C.IsSymbol(';')) return;
      }
    }
    for (; !C.AtEnd(); C.Next()) {
      if (C.Is(ukEnd)) {
        C.Next();
        return;
      }
      if (C.Is(ukRecord) || (C.IsSymbol('=') && C.IsAny({ukClass, ukObject, ukInterface}, 1))) {
        if (!C.Is(ukRecord)) C.Next();
        SkipBody();
        if (C.AtEnd()) break;
        if (C.Is(ukEnd)) {
          C.Next();
          return;
        }
      }
    }
    throw EUnitSyntax("No \"end\" for the type declared", Line);
  }

  void SkipParens() {
    int Depth = 0;
    for (; !C.AtEnd(); C.Next()) {
      if (C.IsSymbol('(')) ++Depth;
      if (C.IsSymbol(')') && --Depth == 0) {
        C.Next();
        return;
      }
    }
  }

  // The declarations of the interface (Interface) or the implementation, up to the words that
  // end them.
  void Declarations(bool Interface) {
    while (!C.AtEnd()) {
      if (C.Is(ukUses)) {
        UsesClause(Interface);
      } else if (C.Is(ukType)) {
        C.Next();
        TypeSection(Interface);
      } else if (C.IsAny({ukVar, ukThreadvar})) {
        C.Next();
        VarSection(Interface);
      } else if (C.IsAny({ukConst, ukResourcestring, ukLabel, ukExports})) {
        const bool Values = !C.IsAny({ukLabel, ukExports});
        C.Next();
        while (!C.AtEnd() && !AtSectionWord(C)) {
          if (Values && C.IsIdent() && (C.IsSymbol('=', 1) || C.IsSymbol(':', 1)))
            L.ValueNames.push_back(C.Name());
          SkipTo(';');
        }
      } else if (C.Is(ukClass) || AtRoutineWord(C)) {
        Routine(!Interface);
      } else if (C.IsAny({ukImplementation, ukInitialization, ukFinalization, ukBegin, ukEnd})) {
        return;
      } else {
        C.Next();
      }
    }
  }

  void UsesClause(bool Interface) {
    C.Next();
    while (!C.AtEnd() && !C.IsSymbol(';')) {
      String Name;
      while (C.IsIdent() || C.IsSymbol('.')) {
        Name += C.Name();
        C.Next();
      }
      if (!Name.empty()) L.UsedUnits.push_back(Name);
      if (Interface) L.LastUsedUnit = C.Pos() - 1;
      if (C.Is(ukIn)) C.Next(), C.Next();
      if (C.IsSymbol(','))
        C.Next();
      else if (!C.IsSymbol(';'))
        Fail("Expected \",\" or \";\" in the uses clause");
    }
    C.Next();
  }

  void TypeSection(bool Interface, bool InClass = false) {
    while (!C.AtEnd() && !AtSectionWord(C)) {
      if (!(C.IsIdent() && (C.IsSymbol('=', 1) || C.IsSymbol('<', 1)))) {
        // Types nested in a class end where its members go on.
        if (InClass) return;
        C.Next();
        continue;
      }
      const size_t Name = C.Pos();
      L.TypeNames.push_back(C.Name());
      while (!C.AtEnd() && !C.IsSymbol('=')) C.Next();
      C.Next();
      if (C.Is(ukType)) C.Next();
      while (C.IsAny({ukPacked, ukSealed, ukAbstract})) C.Next();
      if (C.Is(ukClass) && !C.Is(ukOf, 1) && !C.IsSymbol(';', 1) && !C.Is(ukHelper, 1) && Interface &&
          L.ClassName == NoToken && C.IsSymbol('(', 1) && C.IsIdent(2) &&
          (FClass.empty() || SameText(C.TextOf(C.Tokens()[Name]), FClass))) {
        FormClass(Name);
      } else if (C.IsAny({ukClass, ukRecord, ukObject, ukInterface, ukDispinterface})) {
        SkipBody();
        SkipTo(';');
      } else {
        if (C.IsSymbol('(')) EnumerationValues();
        SkipTo(';');
      }
    }
  }

  // The values of an enumerated type ("(nkPlain, nkTodo = 4)"), from its "(".
  void EnumerationValues() {
    C.Next();
    while (!C.AtEnd() && C.IsIdent()) {
      L.ValueNames.push_back(C.Name());
      while (!C.AtEnd() && !C.IsSymbol(',') && !C.IsSymbol(')')) C.Next();
      if (C.IsSymbol(',')) C.Next();
    }
  }

  // The tokens of a list of names ("A, B, C") from the current one.
  std::vector<size_t> NameList() {
    std::vector<size_t> Names;
    while (C.IsIdent()) {
      Names.push_back(C.Pos());
      C.Next();
      if (!C.IsSymbol(',')) break;
      C.Next();
    }
    return Names;
  }

  void VarSection(bool Interface) {
    while (!C.AtEnd() && !AtSectionWord(C)) {
      const std::vector<size_t> Names = NameList();
      for (size_t N : Names) L.ValueNames.emplace_back(C.TextOf(C.Tokens()[N]));
      if (Interface && C.IsSymbol(':') && L.ClassName != NoToken && C.IsIdent(1) && C.IsSymbol(';', 2) &&
          SameText(C.Name(1), C.TextOf(C.Tokens()[L.ClassName])))
        L.FormVariables.insert(L.FormVariables.end(), Names.begin(), Names.end());
      SkipTo(';');
    }
  }

  // The form class, from its name; reads up to the ";" after its "end".
  void FormClass(size_t Name) {
    const int Line = C.Peek().Line;
    L.ClassName = Name;
    C.Next();  // class
    for (size_t I = 1; C.IsIdent(I) || C.IsSymbol('.', I); ++I)
      if (C.IsIdent(I)) L.AncestorClassName = C.Name(I);
    SkipParens();
    L.ClassHeaderLast = C.Pos() - 1;
    // The components' fields and the handlers are declared in the class's first section and in
    // any section "published" opens; other sections declare names of other things.
    bool First = true, Published = true;
    while (!C.AtEnd() && !C.Is(ukEnd)) {
      const size_t At = C.Pos();
      // Fields first, as most of a form class is fields: no keyword is followed by ":" or ",".
      if (C.IsIdent() && (C.IsSymbol(':', 1) || C.IsSymbol(',', 1))) {
        Field(Published);
      } else if (C.IsAny({ukPrivate, ukProtected, ukPublic, ukPublished, ukAutomated, ukStrict, ukType,
                          ukConst, ukVar}) ||
                 (C.Is(ukClass) && C.Is(ukVar, 1))) {
        if (First) L.SectionEnd = At;
        First = false;
        Published = C.Is(ukPublished);
        // Nested types ("type" alone or after a visibility word): their names are the unit's too.
        const bool Types = C.Is(ukType);
        C.Next();
        if (Types || C.Is(ukType)) {
          if (!Types) C.Next();
          TypeSection(false, true);
        }
      } else if (AtRoutineWord(C) || (C.Is(ukClass) && AtRoutineWordAt(1))) {
        const bool ClassMethod = C.Is(ukClass);
        if (ClassMethod) C.Next();
        TUnitMethod M = MethodHeader();
        if (Published && !ClassMethod)
          L.Methods.push_back(std::move(M));
        else
          L.MethodNames.push_back(String(C.TextOf(C.Tokens()[M.Name])));
      } else if (C.Is(ukProperty) || (C.Is(ukClass) && C.Is(ukProperty, 1))) {
        if (C.Is(ukClass)) C.Next();
        C.Next();
        L.MemberNames.push_back(C.Name());
        SkipTo(';');
        if (C.Is(ukDefault) && C.IsSymbol(';', 1)) C.Next(), C.Next();
      } else {
        C.Next();
      }
    }
    if (C.AtEnd())
      throw EUnitSyntax(Format("No \"end\" for class %s declared", String(C.TextOf(C.Tokens()[Name]))), Line);
    if (First) L.SectionEnd = C.Pos();
    C.Next();
    SkipTo(';');
  }

  bool AtRoutineWordAt(size_t Ahead) const { return C.IsAny(RoutineWords, Ahead); }

  void Field(bool Published) {
    const size_t First = C.Pos();
    // Most fields are one name of a one-word type ("Button1: TButton;"), read as the general
    // path below would read them.
    if (C.IsSymbol(':', 1) && C.IsIdent(2) && C.IsSymbol(';', 3) && !C.Is(ukRecord, 2)) {
      if (Published)
        L.Fields.push_back({First, First, First + 3, First + 2, First + 2, 1});
      else
        L.MemberNames.push_back(String(C.TextOf(C.Tokens()[First])));
      C.Seek(First + 4);
      return;
    }
    const std::vector<size_t> Names = NameList();
    if (!C.IsSymbol(':')) return;
    C.Next();
    const size_t TypeFirst = C.Pos();
    SkipTo(';');
    const size_t Last = C.Pos() - 1;
    for (size_t N : Names) {
      if (Published)
        L.Fields.push_back({N, First, Last, TypeFirst, Last - 1, Names.size()});
      else
        L.MemberNames.push_back(String(C.TextOf(C.Tokens()[N])));
    }
  }

  // A method's header from its first word, with the directives after it.
  TUnitMethod MethodHeader() {
    TUnitMethod M;
    M.DeclFirst = C.Pos();
    M.Kind = C.Is(ukFunction) ? mkFunction : mkProcedure;
    C.Next();
    M.Name = C.Pos();
    while (C.IsIdent() && C.IsSymbol('.', 1)) C.Next(), C.Next();
    M.Name = C.Pos();
    C.Next();
    if (C.IsSymbol('<')) SkipTo('>');
    if (C.IsSymbol('(')) {
      size_t Close = NoToken;
      M.Params = ReadUnitParams(C, C.Pos(), Close);
      C.Seek(std::min(Close + 1, C.Tokens().size()));
    }
    if (C.IsSymbol(':')) {
      C.Next();
      const size_t Begin = C.Pos();
      while (!C.AtEnd() && !C.IsSymbol(';')) C.Next();
      if (C.Pos() > Begin) {
        const TUnitToken& A = C.Tokens()[Begin];
        const TUnitToken& B = C.Tokens()[C.Pos() - 1];
        M.ResultType = String(C.Source().substr(A.Begin, B.End - A.Begin));
      }
    }
    SkipTo(';');
    while (AtDirective(C)) SkipTo(';');
    M.DeclLast = C.Pos() - 1;
    return M;
  }

  // A routine from its first word: header, and unless Body is false or it is declared
  // forward or external, its declarations and its block.
  void Routine(bool Body) {
    const int Line = C.Peek().Line;
    if (C.Is(ukClass)) C.Next();
    const size_t First = C.Pos();
    const size_t NameFirst = First + 1;
    TUnitMethod M = MethodHeader();
    if (!Body) return;
    for (size_t I = std::min(M.DeclLast, C.Tokens().size() - 1); I > First; --I)
      if (C.Tokens()[I].Keyword == ukForward || C.Tokens()[I].Keyword == ukExternal) return;
    const size_t BodyBegin = Block(Line);
    const size_t BodyEnd = C.Pos() - 1;
    SkipTo(';');
    // TForm1.Button1Click: a method of the form class (not of a class nested in it).
    if (M.Name == NameFirst + 2 &&
        (FAnyClass || (L.ClassName != NoToken &&
                       SameText(C.TextOf(C.Tokens()[NameFirst]), C.TextOf(C.Tokens()[L.ClassName]))))) {
      const size_t Name = M.Name;
      L.Routines.push_back({std::move(M), Name, NameFirst, First, C.Pos() - 1, BodyBegin, BodyEnd});
    }
  }

  // A routine's declarations and its block; returns the block's "begin" or "asm" and stops
  // just past its "end".
  size_t Block(int Line) {
    while (!C.AtEnd() && !C.Is(ukBegin) && !C.Is(ukAsm)) {
      if (C.Is(ukType)) {
        C.Next();
        TypeSection(false);
      } else if (C.IsAny({ukVar, ukConst, ukLabel, ukThreadvar, ukResourcestring})) {
        C.Next();
        while (!C.AtEnd() && !AtSectionWord(C)) SkipTo(';');
      } else if (AtRoutineWord(C) || (C.Is(ukClass) && AtRoutineWordAt(1))) {
        Routine(true);
      } else if (C.IsAny({ukImplementation, ukInitialization, ukFinalization, ukEnd})) {
        break;
      } else {
        C.Next();
      }
    }
    if (!C.Is(ukBegin) && !C.Is(ukAsm)) throw EUnitSyntax("No body for the routine declared", Line);
    const size_t Begin = C.Pos();
    int Depth = 0;
    for (; !C.AtEnd(); C.Next()) {
      if (C.IsAny({ukBegin, ukCase, ukTry, ukAsm}) || (C.Is(ukRecord) && Depth == 0)) ++Depth;
      if (C.Is(ukEnd) && --Depth == 0) {
        C.Next();
        return Begin;
      }
    }
    throw EUnitSyntax("No \"end\" for the routine declared", Line);
  }

  TUnitCursor C;
  String FClass;
  bool FAnyClass = false;  // routines of every class are wanted, not only the form class's
  TUnitLayout L;
};

}  // namespace

TUnitLayout ReadUnitLayout(const TUnitCursor& Tokens, const String& ClassName) {
  return TLayoutReader(Tokens, ClassName).Run();
}

String UnitAncestorClassName(std::string_view Text, const String& ClassName) {
  try {
    const std::vector<TUnitToken> Tokens = TokenizeUnit(Text);
    return ReadUnitLayout(TUnitCursor(Text, Tokens), ClassName).AncestorClassName;
  } catch (const EUnitSyntax&) {
    return String();
  }
}

std::vector<TUnitRoutine> ReadUnitRoutines(const TUnitCursor& Tokens) {
  return TLayoutReader(Tokens, String()).Routines();
}

std::vector<TParamInfo> ReadUnitParams(const TUnitCursor& Tokens, size_t Open, size_t& Close) {
  TUnitCursor C = Tokens;
  C.Seek(Open + 1);
  std::vector<TParamInfo> R;
  while (!C.AtEnd() && !C.IsSymbol(')')) {
    TParamFlags Flags;
    if (C.Is(ukVar)) Flags.Include(pfVar);
    if (C.Is(ukConst) || C.Is(ukConstref)) Flags.Include(pfConst);
    if (C.Is(ukOut)) Flags.Include(pfOut);
    if (!Flags.Empty()) C.Next();
    // The names of the group, typed once their type is read.
    const size_t FirstName = R.size();
    while (C.IsIdent()) {
      R.push_back({Flags, C.Name(), String()});
      C.Next();
      if (!C.IsSymbol(',')) break;
      C.Next();
    }
    String Type;
    if (C.IsSymbol(':')) {
      C.Next();
      const size_t Begin = C.Pos();
      int Depth = 0;
      while (!C.AtEnd() && !(Depth == 0 && (C.IsSymbol(';') || C.IsSymbol(')') || C.IsSymbol('=')))) {
        if (C.IsSymbol('(')) ++Depth;
        if (C.IsSymbol(')')) --Depth;
        C.Next();
      }
      if (C.Pos() > Begin) {
        const TUnitToken& A = C.Tokens()[Begin];
        const TUnitToken& B = C.Tokens()[C.Pos() - 1];
        Type = String(C.Source().substr(A.Begin, B.End - A.Begin));
      }
    }
    for (size_t I = FirstName; I < R.size(); ++I) R[I].TypeName = Type;
    while (!C.AtEnd() && !C.IsSymbol(';') && !C.IsSymbol(')')) C.Next();  // a default value
    if (C.IsSymbol(';')) C.Next();
  }
  Close = C.Pos();
  return R;
}

}  // namespace formwright
