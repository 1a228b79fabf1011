// Text to binary conversion of component streams.
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>

#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/StreamCoding.h"
#include "platform/runtime/TextParser.h"

namespace formwright {

using streamcoding::PrintableText;

namespace {

constexpr int MaxDepth = 200;

bool IsKeyword(const TParser& P) {
  return P.TokenSymbolIs("object") || P.TokenSymbolIs("inherited") || P.TokenSymbolIs("inline");
}

class TTextToBinary {
 public:
  struct TMark {
    int64_t Offset;
    int Line;
    int Column;
  };

  // With Marked, each mark goes straight into that stream (the one written to) instead of the
  // list Marks() returns.
  TTextToBinary(std::string_view Text, TStream* Output, TMemoryStream* Marked = nullptr)
      : FParser(Text), FWriter(Output, 4096), FMarked(Marked) {}

  // Converts one object; returns the offset just past its closing `end`. With WholeText,
  // only blanks may follow that `end`.
  size_t Convert(bool WholeText) {
    FWriter.WriteSignature();
    const size_t End = ConvertObject(true);
    if (WholeText && !FParser.AtEndOfText()) FParser.Error(STrailingText);
    FWriter.FlushBuffer();
    return End;
  }
  // After Convert: converts the object that follows the last one's closing `end`, behind a
  // signature of its own; returns the offset just past its own `end`.
  size_t ConvertNext() {
    FParser.NextToken();
    return Convert(false);
  }
  // Where in the text each written part (object, property, value) starts, by output offset.
  const std::vector<TMark>& Marks() const noexcept { return FMarks; }

 private:
  void Enter() {
    if (++FDepth > MaxDepth) FParser.Error(Format(STextNestingTooDeep, MaxDepth));
    Mark();
  }
  void Mark() {
    if (FMarked)
      FMarked->MarkSource(FWriter.Position(), FParser.TokenLine(), FParser.TokenColumn());
    else
      FMarks.push_back({FWriter.Position(), FParser.TokenLine(), FParser.TokenColumn()});
  }

  String Symbol() {
    FParser.CheckToken(toSymbol);
    String S = FParser.TokenString();
    if (S.size() > 255) FParser.Error(Format(SStringTooLong, S.substr(0, 40)));
    FParser.NextToken();
    return S;
  }

  size_t ConvertObject(bool TopLevel) {
    Enter();
    TFilerFlags Flags;
    if (FParser.TokenSymbolIs("inherited")) {
      Flags.Include(ffInherited);
      FParser.NextToken();
      if (FParser.TokenSymbolIs("inline")) {
        Flags.Include(ffInline);
        FParser.NextToken();
      }
    } else if (FParser.TokenSymbolIs("inline")) {
      Flags.Include(ffInline);
      FParser.NextToken();
    } else {
      FParser.CheckSymbol("object");
      FParser.NextToken();
    }
    String Name, ClassName = Symbol();
    if (FParser.TokenChar() == ':') {
      FParser.NextToken();
      Name = ClassName;
      ClassName = Symbol();
    }
    if (ClassName.find('.') != String::npos || Name.find('.') != String::npos)
      FParser.Error(SIdentifierExpected);
    int Pos = 0;
    if (FParser.TokenChar() == '[') {
      FParser.NextToken();
      const int64_t V = FParser.TokenInt();
      if (V < INT32_MIN || V > INT32_MAX) FParser.Error(SInvalidNumber);
      Pos = static_cast<int>(V);
      Flags.Include(ffChildPos);
      FParser.NextToken();
      FParser.CheckChar(']');
      FParser.NextToken();
    }
    FWriter.WritePrefix(Flags, Pos);
    FWriter.WriteStr(ClassName);
    FWriter.WriteStr(Name);
    while (!FParser.TokenSymbolIs("end") && !IsKeyword(FParser)) ConvertProperty();
    FWriter.WriteListEnd();
    while (!FParser.TokenSymbolIs("end")) {
      if (!IsKeyword(FParser)) FParser.CheckSymbol("end");
      ConvertObject(false);
    }
    FWriter.WriteListEnd();
    const size_t End = FParser.TokenEnd();
    if (!TopLevel) FParser.NextToken();
    --FDepth;
    return End;
  }

  void ConvertProperty() {
    Mark();
    FWriter.WriteStr(Symbol());
    FParser.CheckChar('=');
    FParser.NextToken();
    ConvertValue();
  }

  template <class F>
  F ParseFloat(const String& Text, bool Negative) {
    F V{};
    auto [Ptr, Ec] = std::from_chars(Text.data(), Text.data() + Text.size(), V);
    if (Ec != std::errc() || Ptr != Text.data() + Text.size()) FParser.Error(SInvalidNumber);
    return Negative ? -V : V;
  }

  template <class F>
  F Special(const String& Word, bool Negative) {
    const F V =
        SameText(Word, "INF") ? std::numeric_limits<F>::infinity() : std::numeric_limits<F>::quiet_NaN();
    return Negative ? -V : V;
  }

  // Exact decimal to the four places of currency.
  Currency ParseCurrency(const String& Text, bool Negative) {
    const size_t Dot = Text.find('.');
    if (Text.find_first_of("eE") != String::npos) FParser.Error(SInvalidNumber);
    const String Whole = Text.substr(0, Dot);
    String Frac = Dot == String::npos ? String() : Text.substr(Dot + 1);
    if (Frac.size() > 4) FParser.Error(SInvalidNumber);
    Frac.append(4 - Frac.size(), '0');
    uint64_t W = 0, F = 0;
    auto R1 = std::from_chars(Whole.data(), Whole.data() + Whole.size(), W);
    std::from_chars(Frac.data(), Frac.data() + Frac.size(), F);
    if (R1.ec != std::errc() || W > uint64_t(INT64_MAX) / 10000) FParser.Error(SInvalidNumber);
    const int64_t Scaled = static_cast<int64_t>(W * 10000 + F);
    return Currency::FromScaled(Negative ? -Scaled : Scaled);
  }

  void WriteFloatValue(char Suffix, const String& Text, bool Negative, bool IsSpecial) {
    switch (Suffix) {
      case 's':
        FWriter.WriteSingle(IsSpecial ? Special<float>(Text, Negative) : ParseFloat<float>(Text, Negative));
        return;
      case 'x':
        FWriter.WriteFloat(IsSpecial ? Special<long double>(Text, Negative)
                                     : ParseFloat<long double>(Text, Negative));
        return;
      case 'c':
        if (IsSpecial) FParser.Error(SInvalidNumber);
        FWriter.WriteCurrency(ParseCurrency(Text, Negative));
        return;
      case 'd':
        FWriter.WriteDate(
            TDateTime(IsSpecial ? Special<double>(Text, Negative) : ParseFloat<double>(Text, Negative)));
        return;
      default:
        FWriter.WriteDouble(IsSpecial ? Special<double>(Text, Negative) : ParseFloat<double>(Text, Negative));
    }
  }

  // INF, NAN and their suffixed forms (INFs, NANd …); false for other symbols.
  bool SpecialFloat(const String& Symbol, bool Negative) {
    if (Symbol.size() < 3 || Symbol.size() > 4) return false;
    const String Word = Symbol.substr(0, 3);
    if (!SameText(Word, "INF") && !SameText(Word, "NAN")) return false;
    const char Suffix = Symbol.size() == 4 ? static_cast<char>(Symbol[3] | 0x20) : '\0';
    if (Suffix && Suffix != 's' && Suffix != 'd' && Suffix != 'x') return false;
    WriteFloatValue(Suffix, Word, Negative, true);
    return true;
  }

  void ConvertNumber(bool Negative) {
    if (FParser.Token() == toInteger) {
      int64_t V = FParser.TokenInt();
      if (Negative) V = -V;
      FWriter.WriteInteger(V);
    } else if (FParser.Token() == toFloat) {
      WriteFloatValue(FParser.FloatSuffix(), FParser.TokenString(), Negative, false);
    } else if (FParser.Token() != toSymbol || !SpecialFloat(FParser.TokenString(), Negative)) {
      FParser.Error(SNumberExpected);
    }
    FParser.NextToken();
  }

  void ConvertValue() {
    Enter();
    switch (FParser.Token()) {
      case toString: {
        String S = FParser.TokenString();
        FParser.NextToken();
        while (FParser.TokenChar() == '+') {
          FParser.NextToken();
          FParser.CheckToken(toString);
          S += FParser.TokenString();
          FParser.NextToken();
        }
        FWriter.WriteString(S);
        break;
      }
      case toInteger:
      case toFloat:
        ConvertNumber(false);
        break;
      case toSymbol: {
        const String S = FParser.TokenString();
        if (!SpecialFloat(S, false)) FWriter.WriteIdent(S);
        FParser.NextToken();
        break;
      }
      case toChar:
        ConvertCompound();
        break;
      default:
        FParser.Error(SInvalidPropertyValue);
    }
    --FDepth;
  }

  void ConvertCompound() {
    switch (FParser.TokenChar()) {
      case '-':
        FParser.NextToken();
        ConvertNumber(true);
        return;
      case '[': {
        FParser.NextToken();
        FWriter.WriteValue(vaSet);
        while (FParser.TokenChar() != ']') {
          const String N = Symbol();
          if (N.find('.') != String::npos) FParser.Error(SIdentifierExpected);
          FWriter.WriteStr(N);
          if (FParser.TokenChar() == ',') {
            FParser.NextToken();
            FParser.CheckToken(toSymbol);
          }
        }
        FWriter.WriteStr(String());
        FParser.NextToken();
        return;
      }
      case '(':
        FParser.NextToken();
        FWriter.WriteListBegin();
        while (FParser.TokenChar() != ')') ConvertValue();
        FWriter.WriteListEnd();
        FParser.NextToken();
        return;
      case '{': {
        const std::vector<uint8_t> Data = FParser.HexToBinary();
        FWriter.WriteBinary(Data.data(), static_cast<int64_t>(Data.size()));
        FParser.NextToken();
        return;
      }
      case '<':
        FParser.NextToken();
        FWriter.WriteValue(vaCollection);
        while (FParser.TokenChar() != '>') {
          FParser.CheckSymbol("item");
          FParser.NextToken();
          if (FParser.TokenChar() == '[') {
            FParser.NextToken();
            const int64_t Order = FParser.TokenInt();
            if (Order < INT32_MIN || Order > INT32_MAX) FParser.Error(SInvalidNumber);
            FWriter.WriteInteger(Order);
            FParser.NextToken();
            FParser.CheckChar(']');
            FParser.NextToken();
          }
          FWriter.WriteListBegin();
          while (!FParser.TokenSymbolIs("end")) ConvertProperty();
          FWriter.WriteListEnd();
          FParser.NextToken();
        }
        FWriter.WriteListEnd();
        FParser.NextToken();
        return;
      default:
        FParser.Error(SInvalidPropertyValue);
    }
  }

  TParser FParser;
  TWriter FWriter;
  int FDepth = 0;
  TMemoryStream* FMarked;
  std::vector<TMark> FMarks;
};

String RemainingText(TStream* Input, int64_t& Start) {
  Start = Input->Position();
  String Text(static_cast<size_t>(Input->Size() - Start), '\0');
  Input->ReadBuffer(Text.data(), static_cast<int64_t>(Text.size()));
  return Text;
}

}  // namespace

namespace {
// With Follows, the objects after the first are converted too for as long as it accepts the
// text after the last one.
void TextToBinary(TStream* Input, TStream* Output, bool WholeText,
                  const std::function<bool(std::string_view)>* Follows = nullptr) {
  int64_t Start = 0;
  const String Text = RemainingText(Input, Start);
  const size_t Skip = streamcoding::Utf8MarkLength(Text);
  const std::string_view Body = std::string_view(Text).substr(Skip);
  // A memory stream written at its end (a module being opened) takes the conversion in place,
  // and is cut back to where it was when the text is bad: a module's stream is copied once less
  // and its marks not at all. Any other stream gets the conversion only once it succeeded.
  auto* Direct = As<TMemoryStream>(Output);
  if (Direct && Direct->Position() != Direct->Size()) Direct = nullptr;
  TOwned<TMemoryStream> Buffer(Direct ? nullptr : new TMemoryStream);
  const int64_t Base = Output->Position();
  size_t End = 0;
  std::vector<TTextToBinary::TMark> Marks;
  const auto Undo = [&] {
    Input->SetPosition(Start);
    if (Direct) Direct->SetSize(Base);
  };
  try {
    // The binary form is shorter than its text: room for the text means no regrowth.
    if (Direct) Direct->Storage().reserve(static_cast<size_t>(Base) + Body.size());
    TTextToBinary Converter(Body, Direct ? Output : Buffer.get(), Direct);
    End = Converter.Convert(WholeText);
    if (Follows)
      while ((*Follows)(Body.substr(End))) End = Converter.ConvertNext();
    if (!Direct) Marks = Converter.Marks();
  } catch (EWriteError& E) {
    Undo();
    throw EParserError(PrintableText(E.Message()));
  } catch (...) {
    Undo();
    throw;
  }
  if (!Direct) {
    Output->WriteBuffer(Buffer->Memory(), static_cast<int64_t>(Buffer->Bytes().size()));
    if (auto* M = As<TMemoryStream>(Output))
      for (const auto& Mark : Marks) M->MarkSource(Base + Mark.Offset, Mark.Line, Mark.Column);
  }
  Input->SetPosition(Start + static_cast<int64_t>(Skip + End));
}
}  // namespace

void ObjectTextToBinary(TStream* Input, TStream* Output) { TextToBinary(Input, Output, false); }

void ModuleTextToBinary(TStream* Input, TStream* Output) { TextToBinary(Input, Output, true); }

void ObjectListTextToBinary(TStream* Input, TStream* Output,
                            const std::function<bool(std::string_view)>& Follows) {
  TextToBinary(Input, Output, false, &Follows);
}

void ObjectTextToResource(TStream* Input, TStream* Output) {
  TOwned<TMemoryStream> Binary(new TMemoryStream);
  ObjectTextToBinary(Input, Binary.get());
  Binary->SetPosition(0);
  String ClassName;
  {
    TOwned<TReader> R(new TReader(Binary.get(), 256));
    R->ReadSignature();
    TFilerFlags Flags;
    int Pos = 0;
    R->ReadPrefix(Flags, Pos);
    ClassName = R->ReadStr();
  }
  int64_t Fixup = 0;
  Output->WriteResourceHeader(ClassName, Fixup);
  Output->CopyFrom(Binary.get(), 0);
  Output->FixupResourceHeader(Fixup);
}

}  // namespace formwright
