#include "host/FormTextBlocks.h"

namespace formwright::formtext {

TBlock TFormText::Block() {
  if (!AtBlock()) FParser.Error("object expected");
  TBlock B;
  B.KindBegin = LineStart();
  B.Begin = LineBegin(B.KindBegin);
  B.KindEnd = FParser.TokenEnd();
  Next();
  FParser.CheckToken(toSymbol);
  B.NameBegin = B.NameEnd = B.ClassBegin = Start();
  B.ClassEnd = FParser.TokenEnd();
  Next();
  if (FParser.TokenChar() == ':') {
    B.NameEnd = B.ClassEnd;
    Next();
    FParser.CheckToken(toSymbol);
    B.ClassBegin = Start();
    B.ClassEnd = FParser.TokenEnd();
    Next();
  }
  B.Indexed = SkipIndex();
  B.IndexEnd = B.Indexed ? FEnd : B.ClassEnd;
  B.HeadEnd = LineEnd(FEnd);
  while (!FParser.TokenSymbolIs("end")) {
    if (AtBlock()) {
      B.Children.push_back(Block());
    } else {
      B.Props.push_back(Property());
    }
  }
  B.EndBegin = LineBegin(LineStart());
  Next();
  B.End = LineEnd(FEnd);
  return B;
}

TProp TFormText::Property() {
  FParser.CheckToken(toSymbol);
  TProp P;
  P.Key = LowerCase(FParser.TokenString());
  P.LineBegin = LineBegin(LineStart());
  Next();
  FParser.CheckChar('=');
  Next();
  P.ValueBegin = Start();
  Value();
  P.ValueEnd = FEnd;
  P.LineEnd = LineEnd(FEnd);
  return P;
}

void TFormText::Value() {
  switch (FParser.Token()) {
    case toString:
      Next();
      while (FParser.TokenChar() == '+') {
        Next();
        FParser.CheckToken(toString);
        Next();
      }
      return;
    case toInteger:
    case toFloat:
    case toSymbol:
      Next();
      return;
    case toChar:
      break;
    default:
      FParser.Error("value expected");
  }
  switch (FParser.TokenChar()) {
    case '-':
      Next();
      Next();
      return;
    case '[':
      while (FParser.TokenChar() != ']') {
        if (FParser.Token() == toEOF) FParser.Error("] expected");
        Next();
      }
      Next();
      return;
    case '(':
      Next();
      while (FParser.TokenChar() != ')') Value();
      Next();
      return;
    case '{':
      FParser.HexToBinary();
      Next();
      return;
    case '<':
      Next();
      while (FParser.TokenChar() != '>') {
        FParser.CheckSymbol("item");
        Next();
        SkipIndex();
        while (!FParser.TokenSymbolIs("end")) Property();
        Next();
      }
      Next();
      return;
    default:
      FParser.Error("value expected");
  }
}

}  // namespace formwright::formtext
