// Where the blocks and properties of a module's text form stand, for merging an edit into the
// author's file (FormTextMerge): offsets into the text rather than values.
#pragma once

#include <vector>

#include "platform/runtime/SysUtils.h"
#include "platform/runtime/TextParser.h"

namespace formwright::formtext {

// A property of a block: its name and where its line and value stand in the text.
struct TProp {
  String Key;             // the name in lower case
  size_t LineBegin = 0;   // start of the line its name is on
  size_t ValueBegin = 0;  // first character of its value
  size_t ValueEnd = 0;    // just past its value
  size_t LineEnd = 0;     // just past the line its value ends on
};

// An object, inherited or inline block: its header's parts, properties and children.
struct TBlock {
  size_t Begin = 0;  // start of the header line
  size_t KindBegin = 0, KindEnd = 0;
  size_t NameBegin = 0, NameEnd = 0;  // equal for a block without a name
  size_t ClassBegin = 0, ClassEnd = 0;
  size_t IndexEnd = 0;   // just past the order index (` [2]`) after the class; ClassEnd without one
  size_t HeadEnd = 0;    // just past the header line
  bool Indexed = false;  // the header gives an order index
  std::vector<TProp> Props;
  std::vector<TBlock> Children;
  size_t EndBegin = 0;  // start of the line of its `end`
  size_t End = 0;       // just past that line
};

// Thrown when the file and the module as loaded do not correspond, or when the file's layout
// cannot be kept (a block, property or end sharing a line with what comes before it).
struct TMismatch {};

// Where the blocks and properties of a text form stand: the runtime's tokenizer, walked the way
// the text-to-binary conversion walks it, keeping offsets instead of values.
class TFormText {
 public:
  explicit TFormText(const String& Text) : FText(Text), FParser(Text) {}

  const String& Text() const noexcept { return FText; }
  String Slice(size_t Begin, size_t End) const { return FText.substr(Begin, End - Begin); }
  size_t LineBegin(size_t At) const {
    const size_t Eol = At == 0 ? String::npos : FText.rfind('\n', At - 1);
    return Eol == String::npos ? 0 : Eol + 1;
  }
  size_t LineEnd(size_t At) const {
    const size_t Eol = FText.find('\n', At);
    return Eol == String::npos ? FText.size() : Eol + 1;
  }
  String IndentOf(size_t LineStart) const {
    size_t I = LineStart;
    while (I < FText.size() && (FText[I] == ' ' || FText[I] == '\t')) ++I;
    return Slice(LineStart, I);
  }

  TBlock Parse() {
    TBlock Root = Block();
    if (FParser.Token() != toEOF) FParser.Error("text after the module");
    return Root;
  }

 private:
  bool AtBlock() const {
    return FParser.TokenSymbolIs("object") || FParser.TokenSymbolIs("inherited") ||
           FParser.TokenSymbolIs("inline");
  }
  size_t Start() const {
    size_t S = FEnd;
    while (S < FText.size() && (FText[S] == ' ' || FText[S] == '\t' || FText[S] == '\r' || FText[S] == '\n'))
      ++S;
    return S;
  }
  void Next() {
    FEnd = FParser.TokenEnd();
    FParser.NextToken();
  }
  // An order index in brackets after a block's header or a collection's `item`; whether there
  // was one.
  bool SkipIndex() {
    if (FParser.TokenChar() != '[') return false;
    Next();
    Next();
    FParser.CheckChar(']');
    Next();
    return true;
  }
  // The start of the current token, which must begin its own line.
  size_t LineStart() const {
    const size_t At = Start();
    if (LineBegin(At) < FEnd) throw TMismatch();
    return At;
  }
  // The block at the current token, its children with it.
  TBlock Block();
  // The property at the current token.
  TProp Property();
  // Steps over a property's value, of any kind.
  void Value();

  const String& FText;
  TParser FParser;
  size_t FEnd = 0;  // just past the last token read
};

}  // namespace formwright::formtext
