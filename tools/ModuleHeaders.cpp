#include "tools/ModuleHeaders.h"

#include <algorithm>

#include "platform/runtime/StreamCoding.h"

namespace formwright::tool {

namespace {

bool IsIdentStart(char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; }
bool IsIdentChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; }
bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\r'; }

// A cursor over one line of a form text.
struct TLine {
  const String& Text;
  size_t Pos;
  size_t End;

  void SkipBlanks() {
    while (Pos < End && IsBlank(Text[Pos])) ++Pos;
  }
  String Ident() {
    SkipBlanks();
    const size_t From = Pos;
    if (Pos < End && IsIdentStart(Text[Pos]))
      while (Pos < End && IsIdentChar(Text[Pos])) ++Pos;
    return Text.substr(From, Pos - From);
  }
  bool Take(char C) {
    SkipBlanks();
    if (Pos >= End || Text[Pos] != C) return false;
    ++Pos;
    return true;
  }
};

bool IsHeadingWord(const String& W) {
  return SameText(W, "object") || SameText(W, "inherited") || SameText(W, "inline");
}

// The heading on the line [From, End) of Text, when it is one.
bool HeadingAt(const String& Text, size_t From, size_t End, TObjectHeading& H) {
  TLine L{Text, From, End};
  H.Kind = L.Ident();
  if (!IsHeadingWord(H.Kind)) return false;
  H.Name = L.Ident();
  // "object TPanel" (a component without a name) names only the class.
  if (!L.Take(':')) {
    H.ClassName = H.Name;
    H.Name.clear();
    return !H.ClassName.empty();
  }
  H.ClassName = L.Ident();
  return !H.ClassName.empty();
}

size_t LineEnd(const String& Text, size_t From) {
  const size_t E = Text.find('\n', From);
  return E == String::npos ? Text.size() : E;
}

}  // namespace

bool RootHeading(const String& Text, TObjectHeading& Heading) {
  size_t P = 0;
  while (P < Text.size() && (IsBlank(Text[P]) || Text[P] == '\n')) ++P;
  return HeadingAt(Text, P, LineEnd(Text, P), Heading);
}

std::vector<String> InlineClasses(const String& Text) {
  constexpr std::string_view Inline = "inline";
  std::vector<String> Classes;
  for (size_t P = 0; P < Text.size();) {
    const size_t E = LineEnd(Text, P);
    // Only a line that starts with the word is read as a heading: a large form has a line per
    // property and a heading per component, and only a few of them are frames.
    TLine L{Text, P, E};
    L.SkipBlanks();
    const size_t After = L.Pos + Inline.size();
    TObjectHeading H;
    if (After <= E && SameText(std::string_view(Text).substr(L.Pos, Inline.size()), Inline) &&
        (After == E || !IsIdentChar(Text[After])) && HeadingAt(Text, P, E, H))
      Classes.push_back(std::move(H.ClassName));
    P = E + 1;
  }
  return Classes;
}

String RenameUnitHeading(const String& Text, const String& NewName) {
  size_t P = streamcoding::Utf8MarkLength(Text);
  // Blanks and comments in their three forms may come before the heading.
  for (;;) {
    while (P < Text.size() && std::isspace(static_cast<unsigned char>(Text[P]))) ++P;
    size_t Close = String::npos;
    if (Text.compare(P, 2, "//") == 0)
      Close = LineEnd(Text, P);
    else if (Text.compare(P, 2, "(*") == 0 && (Close = Text.find("*)", P + 2)) != String::npos)
      Close += 2;
    else if (Text.compare(P, 1, "{") == 0 && (Close = Text.find('}', P + 1)) != String::npos)
      Close += 1;
    if (Close == String::npos) break;
    P = Close;
  }
  TLine L{Text, P, Text.size()};
  if (SameText(L.Ident(), "unit")) {
    L.SkipBlanks();
    const size_t From = L.Pos;
    // A dotted unit name is one name.
    while (L.Pos < L.End && (IsIdentChar(Text[L.Pos]) || Text[L.Pos] == '.')) ++L.Pos;
    const size_t NameEnd = L.Pos;
    if (NameEnd > From && L.Take(';')) return Text.substr(0, From) + NewName + Text.substr(NameEnd);
  }
  throw Exception("the unit does not start with its heading (unit NAME;)");
}

}  // namespace formwright::tool
