// Binary to text conversion of component streams, and the stream format test.
#include "platform/runtime/ObjectText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/runtime/Filer.h"
#include "platform/runtime/StreamCoding.h"

namespace formwright {

using namespace streamcoding;

namespace {

constexpr size_t LineWidth = 64;  // characters of string or hex data per text line
constexpr int MaxDepth = 200;

template <class F>
String ShortestFloat(F V) {
  char Buf[64];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, V);
  String S(Buf, R.ptr);
  if (S.find_first_of(".e") == String::npos) S += ".0";
  return S;
}

// Whether a string is written as one quoted part: short, printable ASCII and free of quotes.
bool IsPlainString(std::string_view S) {
  return S.size() <= LineWidth &&
         std::all_of(S.begin(), S.end(), [](char C) { return C >= 32 && C < 127 && C != '\''; });
}

// A reader that takes what a conversion reads most (tags, short strings, small integers)
// straight from its buffer when it is whole there; everything else, and every error, goes
// through the reader's own checked methods.
class TConvertReader : public TReader {
 public:
  using TReader::TReader;
  // The next tag, not consumed.
  TValueType Next() { return FBufPos < FBufEnd ? static_cast<TValueType>(FBuffer[Index()]) : NextValue(); }
  bool AtListEnd() { return Next() == vaNull; }
  // A short string (a length byte and the bytes), valid until the next read.
  std::string_view Short() {
    if (FBufPos < FBufEnd) {
      const int L = FBuffer[Index()];
      if (FBufPos + 1 + L <= FBufEnd) {
        const std::string_view V(reinterpret_cast<const char*>(FBuffer.data()) + FBufPos + 1,
                                 static_cast<size_t>(L));
        FBufPos += 1 + L;
        return V;
      }
    }
    FScratch = ReadStr();
    return FScratch;
  }
  // An integer of one or two bytes whole in the buffer, else any integer value.
  int64_t Integer() {
    if (FBufPos + 3 <= FBufEnd) {
      const uint8_t* P = FBuffer.data() + FBufPos;
      if (P[0] == vaInt8) {
        FBufPos += 2;
        return static_cast<int8_t>(P[1]);
      }
      if (P[0] == vaInt16) {
        FBufPos += 3;
        return GetLE<int16_t>(P + 1);
      }
    }
    return ReadInt64();
  }
  // A Latin-1 string (vaString) that is plain ASCII and whole in the buffer, consumed; false
  // (nothing consumed) otherwise.
  bool PlainString(std::string_view& Value) {
    if (FBufPos + 2 > FBufEnd || FBuffer[Index()] != vaString) return false;
    const int L = FBuffer[Index() + 1];
    if (FBufPos + 2 + L > FBufEnd) return false;
    const std::string_view V(reinterpret_cast<const char*>(FBuffer.data()) + FBufPos + 2,
                             static_cast<size_t>(L));
    if (!IsPlainString(V)) return false;
    FBufPos += 2 + L;
    Value = V;
    return true;
  }

 private:
  size_t Index() const { return static_cast<size_t>(FBufPos); }
  String FScratch;
};

// The text being made: appended to the end of a memory stream's own bytes when the output is
// one positioned at its end (a large module's text is then neither built apart nor copied), else
// to bytes of its own, written out at once. Until Commit, the output is as it was.
class TTextBuffer {
 public:
  explicit TTextBuffer(TStream* Output)
      : FStream(dynamic_cast<TMemoryStream*>(Output)),
        FBytes(FStream && FStream->Position() == FStream->Size() ? FStream->Storage() : FOwn),
        FStart(FBytes.size()) {
    if (&FBytes == &FOwn) FStream = nullptr;
  }
  ~TTextBuffer() {
    if (FStream) FBytes.resize(FStart);  // not committed: the stream's bytes are as they were
  }
  TTextBuffer(const TTextBuffer&) = delete;
  TTextBuffer& operator=(const TTextBuffer&) = delete;

  TTextBuffer& operator+=(char C) {
    FBytes.push_back(static_cast<uint8_t>(C));
    return *this;
  }
  TTextBuffer& operator+=(std::string_view S) {
    FBytes.insert(FBytes.end(), S.begin(), S.end());
    return *this;
  }
  void append(size_t N, char C) { FBytes.insert(FBytes.end(), N, static_cast<uint8_t>(C)); }
  void append(const char* First, const char* Last) { FBytes.insert(FBytes.end(), First, Last); }
  bool empty() const noexcept { return FBytes.size() == FStart; }
  char back() const noexcept { return static_cast<char>(FBytes.back()); }
  void pop_back() noexcept { FBytes.pop_back(); }
  void reserve(size_t N) {
    if (FStart + N > FBytes.capacity()) FBytes.reserve(FStart + N);
  }
  // Hands the text to Output: in place, by moving the stream's position past it.
  void Commit(TStream* Output) {
    if (FStream) {
      FStream->SetPosition(static_cast<int64_t>(FBytes.size()));
      FStream = nullptr;
    } else {
      Output->WriteBuffer(FBytes.data() + FStart, static_cast<int64_t>(FBytes.size() - FStart));
      FBytes.clear();
    }
  }

 private:
  TMemoryStream* FStream;
  std::vector<uint8_t> FOwn;
  std::vector<uint8_t>& FBytes;
  size_t FStart;
};

class TBinaryToText {
 public:
  // A large buffer: most values are then whole in it and taken without a call.
  TBinaryToText(TStream* Input, TStream* Output)
      : FReader(Input, 65536), FOutput(Output), FEnd(Input->Size()), FText(Output) {
    // The text is about twice the size of the binary form: growing it once is enough (memory
    // reserved and not written is not taken from the system).
    const int64_t Left = FEnd - Input->Position();
    if (Left > 0) FText.reserve(static_cast<size_t>(std::min<int64_t>(Left, int64_t(1) << 28)) * 2);
  }

  void Convert() {
    FReader.ReadSignature();
    ConvertObject(0);
    Flush();
  }
  // Components one after the other up to a 0 byte or the end of the input, each behind its
  // own signature; one reader serves them all.
  void ConvertList() {
    while (FReader.Position() < FEnd && FReader.NextValue() != vaNull) {
      FReader.ReadSignature();
      ConvertObject(0);
    }
    Flush();
  }

 private:
  void Flush() { FText.Commit(FOutput); }
  void Indent(int N) { FText.append(static_cast<size_t>(N), ' '); }
  void Enter() {
    if (++FDepth > MaxDepth)
      throw EInvalidImage(Format(SNestingTooDeep, FReader.Where(FReader.Position()), MaxDepth));
  }
  void NewLine() { FText += '\n'; }
  void AppendInt(int64_t V) {
    char Buf[24];
    FText.append(Buf, std::to_chars(Buf, Buf + sizeof Buf, V).ptr);
  }

  std::string_view CheckedIdent(std::string_view S, bool AllowDots, bool AllowEmpty) const {
    if ((S.empty() && AllowEmpty) || IsValidIdent(S, AllowDots)) return S;
    throw EInvalidImage(
        Format(SInvalidIdentBytes, PrintableText(String(S)), FReader.Where(FReader.Position())));
  }

  void ConvertObject(int Ind) {
    Enter();
    TFilerFlags Flags;
    int Pos = 0;
    FReader.ReadPrefix(Flags, Pos);
    const String ClassName(CheckedIdent(FReader.Short(), false, false));
    const std::string_view Name = CheckedIdent(FReader.Short(), false, true);
    Indent(Ind);
    FText += Flags.Contains(ffInherited) ? "inherited " : Flags.Contains(ffInline) ? "inline " : "object ";
    if (Flags.Contains(ffInherited) && Flags.Contains(ffInline)) FText += "inline ";
    if (!Name.empty()) {
      FText += Name;
      FText += ": ";
    }
    FText += ClassName;
    if (Flags.Contains(ffChildPos)) FText += Format(" [%d]", Pos);
    NewLine();
    while (!FReader.AtListEnd()) ConvertProperty(Ind + 2);
    FReader.ReadListEnd();
    while (!FReader.AtListEnd()) ConvertObject(Ind + 2);
    FReader.ReadListEnd();
    Indent(Ind);
    FText += "end";
    NewLine();
    --FDepth;
  }

  void ConvertProperty(int Ind) {
    Indent(Ind);
    FText += CheckedIdent(FReader.Short(), true, false);
    FText += " = ";
    ConvertValue(Ind);
    NewLine();
  }

  // Renders a string as quoted parts and #nn codes, broken into lines of about LineWidth.
  void ConvertString(const String& S, int Ind) {
    // Most strings are short, printable ASCII and free of quotes: one quoted part.
    if (IsPlainString(S)) {
      FText += '\'';
      FText += S;
      FText += '\'';
      return;
    }
    std::vector<String> Lines(1);
    bool Quoted = false;
    for (size_t I = 0; I < S.size();) {
      const size_t Start = I;
      const int32_t C = NextCodePoint(S, I);
      const bool Printable = C >= 32 && C != 127 && !(C >= 0x80 && C < 0xA0);
      String& L = Lines.back();
      if (Printable) {
        if (!Quoted) L += '\'';
        Quoted = true;
        L.append(S, Start, I - Start);
        if (C == '\'') L += '\'';
      } else {
        if (Quoted) L += '\'';
        Quoted = false;
        L += '#';
        L += IntToStr(C);
      }
      if (L.size() > LineWidth && I < S.size()) {
        if (Quoted) L += '\'';
        Quoted = false;
        Lines.emplace_back();
      }
    }
    if (Quoted) Lines.back() += '\'';
    if (Lines.back().empty()) Lines.back() = "''";
    if (Lines.size() == 1) {
      FText += Lines[0];
      return;
    }
    while (!FText.empty() && FText.back() == ' ') FText.pop_back();
    for (size_t I = 0; I < Lines.size(); ++I) {
      NewLine();
      Indent(Ind + 2);
      FText += Lines[I];
      if (I + 1 < Lines.size()) FText += " +";
    }
  }

  void ConvertBinary(int Ind) {
    const std::vector<uint8_t> Data = FReader.ReadBinary();
    static const char Hex[] = "0123456789ABCDEF";
    FText += '{';
    for (size_t I = 0; I < Data.size(); ++I) {
      if (I % (LineWidth / 2) == 0) {
        NewLine();
        Indent(Ind + 2);
      }
      FText += Hex[Data[I] >> 4];
      FText += Hex[Data[I] & 15];
    }
    FText += '}';
  }

  void ConvertFloat(TValueType T) {
    uint8_t B[10];
    auto Special = [&](auto V, const char* Suffix) {
      if (std::isnan(V))
        FText += std::signbit(V) ? "-NAN" : "NAN";
      else if (std::isinf(V))
        FText += V < 0 ? "-INF" : "INF";
      else
        FText += ShortestFloat(V);
      FText += Suffix;
    };
    switch (T) {
      case vaSingle:
        FReader.Read(B, 4);
        Special(GetFloat(B), "s");
        return;
      case vaDouble:
        FReader.Read(B, 8);
        Special(GetDouble(B), "");
        return;
      case vaDate:
        FReader.Read(B, 8);
        Special(GetDouble(B), "d");
        return;
      case vaExtended:
        FReader.Read(B, 10);
        Special(GetExtended(B), "x");
        return;
      default: {
        FReader.Read(B, 8);
        const int64_t Scaled = GetLE<int64_t>(B);
        const uint64_t Abs = Scaled < 0 ? uint64_t(0) - uint64_t(Scaled) : uint64_t(Scaled);
        String Frac = Format("%04d", int(Abs % 10000));
        while (Frac.size() > 1 && Frac.back() == '0') Frac.pop_back();
        FText += (Scaled < 0 ? "-" : "") + UIntToStr(Abs / 10000) + "." + Frac + "c";
      }
    }
  }

  void ConvertValue(int Ind) {
    Enter();
    std::string_view Plain;
    if (FReader.PlainString(Plain)) {
      FText += '\'';
      FText += Plain;
      FText += '\'';
      --FDepth;
      return;
    }
    switch (const TValueType T = FReader.Next()) {
      case vaList:
        FReader.ReadValue();
        FText += '(';
        while (!FReader.EndOfList()) {
          NewLine();
          Indent(Ind + 2);
          ConvertValue(Ind + 2);
        }
        FReader.ReadListEnd();
        FText += ')';
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        AppendInt(FReader.Integer());
        break;
      case vaExtended:
      case vaSingle:
      case vaDouble:
      case vaDate:
      case vaCurrency:
        FReader.ReadValue();
        ConvertFloat(T);
        break;
      case vaString:
      case vaLString:
      case vaUTF8String:
      case vaWString:
        ConvertString(FReader.ReadString(), Ind);
        break;
      case vaIdent:
        FReader.ReadValue();
        FText += CheckedIdent(FReader.Short(), true, false);
        break;
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        FText += FReader.ReadIdent();
        break;
      case vaBinary:
        ConvertBinary(Ind);
        break;
      case vaSet: {
        FText += '[';
        bool First = true;
        for (const String& N : FReader.ReadSetNames()) {
          if (!First) FText += ", ";
          FText += CheckedIdent(N, false, false);
          First = false;
        }
        FText += ']';
        break;
      }
      case vaCollection:
        FReader.ReadValue();
        FText += '<';
        while (!FReader.EndOfList()) {
          NewLine();
          Indent(Ind + 2);
          FText += "item";
          const TValueType N = FReader.NextValue();
          if (N == vaInt8 || N == vaInt16 || N == vaInt32) FText += Format(" [%d]", FReader.ReadInteger());
          NewLine();
          FReader.ReadListBegin();
          while (!FReader.EndOfList()) ConvertProperty(Ind + 4);
          FReader.ReadListEnd();
          Indent(Ind + 2);
          FText += "end";
        }
        FReader.ReadListEnd();
        FText += '>';
        break;
      default:
        FReader.ReadValue();
        throw EInvalidImage(
            Format(SInvalidValueTag, int(T), FReader.Where(FReader.Position() - 1), "a value"));
    }
    --FDepth;
  }

  TConvertReader FReader;
  TStream* FOutput;
  int64_t FEnd;
  TTextBuffer FText;
  int FDepth = 0;
};

bool StartsWithKeyword(const uint8_t* P, size_t N) {
  size_t I = 0;
  while (I < N && (P[I] == ' ' || P[I] == '\t' || P[I] == '\r' || P[I] == '\n')) ++I;
  for (const char* K : {"object", "inherited", "inline"}) {
    const size_t L = std::strlen(K);
    if (I + L < N && SameText(std::string_view(reinterpret_cast<const char*>(P + I), L), K)) {
      const char C = static_cast<char>(P[I + L]);
      if (C == ' ' || C == '\t' || C == '\r' || C == '\n') return true;
    }
  }
  return false;
}

}  // namespace

namespace {
// Converts one component or a list of them; bad input leaves `Output` and the position of
// `Input` as they were (the text is written only once all of it converted).
void BinaryToText(TStream* Input, TStream* Output, bool List) {
  const int64_t Start = Input->Position();
  try {
    TBinaryToText Converter(Input, Output);
    if (List)
      Converter.ConvertList();
    else
      Converter.Convert();
  } catch (...) {
    Input->SetPosition(Start);
    throw;
  }
}
}  // namespace

void ObjectBinaryToText(TStream* Input, TStream* Output) { BinaryToText(Input, Output, false); }

void ObjectListBinaryToText(TStream* Input, TStream* Output) { BinaryToText(Input, Output, true); }

void ObjectResourceToText(TStream* Input, TStream* Output) {
  Input->ReadResHeader();
  ObjectBinaryToText(Input, Output);
}

TStreamOriginalFormat TestStreamFormat(TStream* Stream) {
  const int64_t Pos = Stream->Position();
  uint8_t Buf[256];
  const size_t N = static_cast<size_t>(Stream->Read(Buf, sizeof Buf));
  Stream->SetPosition(Pos);
  if (N >= 2 && Buf[0] == 0xFF && Buf[1] == 0x0A) return sofBinary;
  if (N >= 4 && std::memcmp(Buf, FilerSignature, 4) == 0) return sofBinary;
  if (N >= 3 && Buf[0] == 0xEF && Buf[1] == 0xBB && Buf[2] == 0xBF)
    return StartsWithKeyword(Buf + 3, N - 3) ? sofUTF8Text : sofUnknown;
  return StartsWithKeyword(Buf, N) ? sofText : sofUnknown;
}

}  // namespace formwright
