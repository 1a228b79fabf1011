// Where things are in a unit: the unit's name, its uses clauses, the form class with its
// component fields and handler declarations, each handler's implementation, the global form
// variable and every type the unit declares. Read from the unit's tokens; nothing is changed.
#pragma once

#include "host/UnitTokenizer.h"
#include "platform/runtime/System.h"

namespace formwright {

inline constexpr size_t NoToken = static_cast<size_t>(-1);

// A component field of the form class's first section ("Button1: TButton;"). A declaration
// of several names ("A, B: TEdit;") gives one entry per name, sharing the declaration.
struct TUnitField {
  size_t Name;                 // the name's token
  size_t DeclFirst, DeclLast;  // first name .. the closing ";"
  size_t TypeFirst, TypeLast;  // the type's tokens
  size_t NamesInDecl = 1;      // how many names the declaration has
};

// A method declared in the form class's first section: an event handler.
struct TUnitMethod {
  size_t Name;
  size_t DeclFirst, DeclLast;  // "procedure" .. the last ";" (directives included)
  TMethodKind Kind = mkProcedure;
  std::vector<TParamInfo> Params;
  String ResultType;
};

// The implementation of a method of the form class ("procedure TForm1.Button1Click ...").
struct TUnitRoutine {
  TUnitMethod Header;         // its header as read
  size_t Name;                // the method name's token (after the class and ".")
  size_t ClassName;           // the class name's token
  size_t First, Last;         // "procedure" .. the ";" after the routine's "end"
  size_t BodyBegin, BodyEnd;  // the body's "begin" and its "end"
};

struct TUnitLayout {
  size_t UnitName = NoToken;         // the name after "unit" (its last token when dotted)
  size_t Interface = NoToken;        // the "interface" keyword
  size_t LastUsedUnit = NoToken;     // last token of the last name in the interface's uses clause
  std::vector<String> UsedUnits;     // every unit named in a uses clause
  size_t ClassName = NoToken;        // the form class's name in its declaration
  String AncestorClassName;          // the first name in its parentheses
  size_t ClassHeaderLast = NoToken;  // the ")" after the ancestor
  size_t SectionEnd = NoToken;       // the token that ends the first section (a visibility word, "end" …)
  std::vector<TUnitField> Fields;
  std::vector<TUnitMethod> Methods;
  std::vector<TUnitRoutine> Routines;
  std::vector<size_t> FormVariables;   // names of the interface's variables of the form class
  size_t ImplementationEnd = NoToken;  // "initialization", "finalization", "begin" or the final "end"
  std::vector<String> MethodNames;     // every method of the form class outside the first section
  std::vector<String> MemberNames;     // every field and property of the form class outside the first section
  std::vector<String> TypeNames;       // every type the unit declares
  std::vector<String> ValueNames;      // every constant, variable and enumeration value of the unit
};

// Reads the layout of a unit whose form class is ClassName (empty: the first class of the
// interface that names an ancestor). Raises EUnitSyntax, naming the line, for a unit that is
// not one (no "unit", "interface", "implementation" or closing "end."), whose form class
// cannot be found or never ends, or whose routines never end.
TUnitLayout ReadUnitLayout(const TUnitCursor& Tokens, const String& ClassName);

// The ancestor of the form class ClassName (empty: the first class with an ancestor) that the
// unit Text declares; empty when the unit cannot be read (opening the module says why).
String UnitAncestorClassName(std::string_view Text, const String& ClassName);

// The routines of a piece of source that holds only routines (the handlers copied from a
// unit): those whose name is qualified by a class ("TForm1.Button1Click"), in order.
std::vector<TUnitRoutine> ReadUnitRoutines(const TUnitCursor& Tokens);

// The parameters of a declaration whose "(" is at token Open; Close receives the ")".
std::vector<TParamInfo> ReadUnitParams(const TUnitCursor& Tokens, size_t Open, size_t& Close);

}  // namespace formwright
