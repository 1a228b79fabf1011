// The reader's value layer: buffering, tags, numbers, strings, sets, binary data and skipping.
#include <algorithm>
#include <cstring>

#include "platform/runtime/Filer.h"
#include "platform/runtime/StreamCoding.h"

namespace formwright {

using namespace streamcoding;

FW_REGISTER_CLASS(TFiler, "Classes")
FW_REGISTER_CLASS(TReader, "Classes")

namespace {
// Deepest nesting of components, lists and collections a reader follows.
constexpr int MaxNesting = 200;
}  // namespace

TFiler::TFiler(TStream* Stream, int BufSize)
    : FStream(Stream), FBuffer(static_cast<size_t>(std::max(BufSize, 16))) {}

TReader::TNesting::TNesting(TReader& AReader) : R(AReader) {
  if (++R.FNesting > MaxNesting) {
    --R.FNesting;
    Corrupt(Format(SNestingTooDeep, R.Where(R.Position()), MaxNesting));
  }
}

TReader::TNesting::~TNesting() { --R.FNesting; }

TReader::TReader(TStream* Stream, int BufSize) : TFiler(Stream, BufSize) { FBufStart = Stream->Position(); }

TReader::~TReader() {
  try {
    FlushBuffer();
  } catch (...) {
    // A stream that cannot seek back keeps the position of its last buffer fill.
  }
}

void TReader::Corrupt(const String& Message) { throw EInvalidImage(Message); }

String TReader::Where(int64_t Offset) const {
  String S = FStream->SourcePosition(Offset);
  return S.empty() ? Format("offset %d", Offset) : S;
}

namespace {
String MoreBytes(int64_t Count) {
  return Count == 1 ? String("1 more byte") : Format("%d more bytes", Count);
}
}  // namespace

void TReader::FlushBuffer() {
  const int64_t P = Position();
  FStream->SetPosition(P);
  FBufStart = P;
  FBufPos = FBufEnd = 0;
}

int64_t TReader::Position() const { return FBufStart + FBufPos; }

void TReader::SetPosition(int64_t Value) {
  FStream->SetPosition(Value);
  FBufStart = Value;
  FBufPos = FBufEnd = 0;
}

void TReader::Fill() {
  FBufStart += FBufEnd;
  FBufPos = 0;
  FBufEnd = static_cast<int>(FStream->Read(FBuffer.data(), static_cast<int64_t>(FBuffer.size())));
}

uint8_t TReader::PeekByte() {
  if (FBufPos == FBufEnd) {
    Fill();
    if (FBufEnd == 0) Corrupt(Format(STruncatedStream, Where(Position()), MoreBytes(1)));
  }
  return FBuffer[static_cast<size_t>(FBufPos)];
}

void TReader::Read(void* Buf, int64_t Count) {
  auto* P = static_cast<uint8_t*>(Buf);
  while (Count > 0) {
    if (FBufPos == FBufEnd) {
      Fill();
      if (FBufEnd == 0) Corrupt(Format(STruncatedStream, Where(Position()), MoreBytes(Count)));
    }
    const int64_t N = std::min<int64_t>(Count, FBufEnd - FBufPos);
    std::memcpy(P, FBuffer.data() + FBufPos, static_cast<size_t>(N));
    FBufPos += static_cast<int>(N);
    P += N;
    Count -= N;
  }
}

void TReader::CheckAvailable(int64_t Count) {
  if (Count >= 0 && Count <= FBufEnd - FBufPos) return;
  const int64_t Left = FStream->Size() - Position();
  if (Count < 0 || Count > Left) Corrupt(Format(SInvalidLength, Count, Where(Position()), Left));
}

void TReader::SkipBytes(int64_t Count) {
  CheckAvailable(Count);
  const int64_t InBuffer = std::min<int64_t>(Count, FBufEnd - FBufPos);
  FBufPos += static_cast<int>(InBuffer);
  if (Count > InBuffer) SetPosition(Position() + Count - InBuffer);
}

// ----- Tags -----------------------------------------------------------------------------------

TValueType TReader::ReadValue() {
  const int64_t At = Position();
  uint8_t B;
  Read(&B, 1);
  if (B > vaLastValueType) Corrupt(Format(SInvalidValueTag, int(B), Where(At), "a value"));
  return static_cast<TValueType>(B);
}

TValueType TReader::NextValue() { return static_cast<TValueType>(PeekByte()); }

bool TReader::EndOfList() { return PeekByte() == vaNull; }

void TReader::CheckValue(TValueType Value) {
  const int64_t At = Position();
  const TValueType V = ReadValue();
  if (V != Value)
    throw EReadError(Format(SUnexpectedValue, Where(At), Value == vaNull ? "end of list" : "list"));
}

void TReader::ReadSignature() {
  uint8_t S[4];
  const int64_t At = Position();
  Read(S, 4);
  if (std::memcmp(S, FilerSignature, 4) != 0) Corrupt(Format(SSignatureExpected, Where(At)));
}

void TReader::ReadPrefix(TFilerFlags& Flags, int& AChildPos) {
  Flags = TFilerFlags();
  const uint8_t B = PeekByte();
  if ((B & 0xF0) != 0xF0) return;
  if ((B & 0x0F) > 7) Corrupt(Format(SInvalidPrefix, IntToHex(B, 2), Where(Position())));
  SkipBytes(1);
  Flags = TFilerFlags::FromBits(B & 0x0F);
  if (Flags.Contains(ffChildPos)) {
    const TValueType T = ReadValue();
    if (T != vaInt8 && T != vaInt16 && T != vaInt32)
      Corrupt(Format(SInvalidValueTag, int(T), Where(Position() - 1), "a child position (integer)"));
    AChildPos = static_cast<int>(ReadIntegerData(T));
  }
}

String TReader::ReadStr() {
  uint8_t L;
  Read(&L, 1);
  String S(L, '\0');
  Read(S.data(), L);
  return S;
}

// ----- Numbers --------------------------------------------------------------------------------

int64_t TReader::ReadIntegerData(TValueType Tag) {
  uint8_t B[8];
  switch (Tag) {
    case vaInt8:
      Read(B, 1);
      return static_cast<int8_t>(B[0]);
    case vaInt16:
      Read(B, 2);
      return GetLE<int16_t>(B);
    case vaInt32:
      Read(B, 4);
      return GetLE<int32_t>(B);
    case vaInt64:
      Read(B, 8);
      return GetLE<int64_t>(B);
    default:
      throw EReadError(Format(SUnexpectedValue, Where(Position() - 1), "Integer"));
  }
}

int64_t TReader::ReadInt64() { return ReadIntegerData(ReadValue()); }

int32_t TReader::ReadInteger() {
  const int64_t V = ReadInt64();
  if (V < INT32_MIN || V > INT32_MAX) throw EReadError(Format(SOutOfRange, INT32_MIN, INT32_MAX));
  return static_cast<int32_t>(V);
}

bool TReader::ReadBoolean() {
  const TValueType T = ReadValue();
  if (T != vaTrue && T != vaFalse)
    throw EReadError(Format(SUnexpectedValue, Where(Position() - 1), "Boolean"));
  return T == vaTrue;
}

long double TReader::ReadFloatData(TValueType Tag) {
  uint8_t B[10];
  switch (Tag) {
    case vaExtended:
      Read(B, 10);
      return GetExtended(B);
    case vaSingle:
      Read(B, 4);
      return GetFloat(B);
    case vaDouble:
    case vaDate:
      Read(B, 8);
      return GetDouble(B);
    case vaCurrency:
      Read(B, 8);
      return Currency::FromScaled(GetLE<int64_t>(B)).ToDouble();
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      return static_cast<long double>(ReadIntegerData(Tag));
    default:
      throw EReadError(Format(SUnexpectedValue, Where(Position() - 1), "Float"));
  }
}

long double TReader::ReadFloat() { return ReadFloatData(ReadValue()); }

float TReader::ReadSingle() { return static_cast<float>(ReadFloat()); }

double TReader::ReadDouble() { return static_cast<double>(ReadFloat()); }

Currency TReader::ReadCurrency() {
  const TValueType T = ReadValue();
  if (T == vaCurrency) {
    uint8_t B[8];
    Read(B, 8);
    return Currency::FromScaled(GetLE<int64_t>(B));
  }
  return Currency::FromDouble(ReadFloatData(T));
}

TDateTime TReader::ReadDate() { return TDateTime(ReadDouble()); }

// ----- Strings --------------------------------------------------------------------------------

String TReader::ReadStringData(TValueType Tag) {
  uint8_t B[4];
  int64_t Len = 0;
  switch (Tag) {
    case vaString:
    case vaIdent:
      Read(B, 1);
      Len = B[0];
      break;
    case vaLString:
    case vaUTF8String:
    case vaWString:
      Read(B, 4);
      Len = GetLE<uint32_t>(B);
      break;
    default:
      throw EReadError(Format(SUnexpectedValue, Where(Position() - 1), "String"));
  }
  const int64_t At = Position();
  if (Tag == vaWString) {
    CheckAvailable(Len * 2);
    std::vector<uint8_t> Raw(static_cast<size_t>(Len * 2));
    Read(Raw.data(), Len * 2);
    WideString W(static_cast<size_t>(Len), u'\0');
    for (int64_t I = 0; I < Len; ++I)
      W[static_cast<size_t>(I)] = GetLE<uint16_t>(&Raw[static_cast<size_t>(I * 2)]);
    return WideToUtf8(W);
  }
  CheckAvailable(Len);
  String S(static_cast<size_t>(Len), '\0');
  Read(S.data(), Len);
  if (Tag == vaUTF8String) {
    if (!IsValidUtf8(S)) Corrupt(Format(SInvalidUtf8, Where(At)));
    return S;
  }
  return Tag == vaIdent ? S : Latin1ToUtf8(S);
}

String TReader::ReadString() { return ReadStringData(ReadValue()); }

WideString TReader::ReadWideString() { return Utf8ToWide(ReadString()); }

namespace {
// The single code point of a one-character string, or -1.
int32_t SingleCodePoint(const String& S) {
  size_t I = 0;
  const int32_t C = NextCodePoint(S, I);
  return I == S.size() ? C : -1;
}
}  // namespace

// A character: a one-character string or its code as an integer, up to `Max`.
static int64_t ReadCharCode(TReader& R, int64_t Max) {
  const TValueType T = R.ReadValue();
  const int64_t C = T == vaString || T == vaUTF8String || T == vaLString || T == vaWString
                        ? SingleCodePoint(R.ReadStringData(T))
                        : R.ReadIntegerData(T);
  if (C < 0 || C > Max) throw EReadError(SInvalidPropertyValue);
  return C;
}

char TReader::ReadChar() { return static_cast<char>(ReadCharCode(*this, 255)); }

char16_t TReader::ReadWideChar() { return static_cast<char16_t>(ReadCharCode(*this, 0xFFFF)); }

String TReader::ReadIdent() {
  const TValueType T = ReadValue();
  switch (T) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      throw EReadError(Format(SUnexpectedValue, Where(Position() - 1), "Identifier"));
  }
}

// ----- Compound values ------------------------------------------------------------------------

std::vector<uint8_t> TReader::ReadBinary() {
  CheckValue(vaBinary);
  uint8_t B[4];
  Read(B, 4);
  const int64_t Len = GetLE<uint32_t>(B);
  CheckAvailable(Len);
  std::vector<uint8_t> Data(static_cast<size_t>(Len));
  Read(Data.data(), Len);
  return Data;
}

std::vector<String> TReader::ReadSetNames() {
  const TValueType T = ReadValue();
  if (T != vaSet) throw EReadError(Format(SUnexpectedValue, Where(Position() - 1), "Set"));
  std::vector<String> Names;
  for (String S = ReadStr(); !S.empty(); S = ReadStr()) Names.push_back(std::move(S));
  return Names;
}

Variant TReader::ReadVariant() {
  const TValueType T = ReadValue();
  switch (T) {
    case vaNil:
      return Variant();
    case vaNull:
      return Variant::Null();
    case vaFalse:
      return Variant(false);
    case vaTrue:
      return Variant(true);
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Variant(static_cast<int32_t>(ReadIntegerData(T)));
    case vaInt64: {
      const int64_t V = ReadIntegerData(T);
      if (V >= INT32_MIN && V <= INT32_MAX) return Variant(static_cast<int32_t>(V));
      return Variant(V);
    }
    case vaSingle:
      return Variant(static_cast<float>(ReadFloatData(T)));
    case vaDouble:
    case vaExtended:
      return Variant(static_cast<double>(ReadFloatData(T)));
    case vaDate:
      return Variant(TDateTime(static_cast<double>(ReadFloatData(T))));
    case vaCurrency: {
      uint8_t B[8];
      Read(B, 8);
      return Variant(Currency::FromScaled(GetLE<int64_t>(B)));
    }
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString:
      return Variant(ReadStringData(T));
    default:
      throw EReadError(Format(SUnexpectedValue, Where(Position() - 1), "Variant"));
  }
}

// ----- Skipping -------------------------------------------------------------------------------

void TReader::SkipSetBody() {
  for (uint8_t L = 1; L != 0;) {
    Read(&L, 1);
    SkipBytes(L);
  }
}

void TReader::SkipValue() {
  TNesting Guard(*this);
  uint8_t B[4];
  switch (const TValueType T = ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      return;
    case vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      return;
    case vaInt8:
      SkipBytes(1);
      return;
    case vaInt16:
      SkipBytes(2);
      return;
    case vaInt32:
    case vaSingle:
      SkipBytes(4);
      return;
    case vaInt64:
    case vaDouble:
    case vaDate:
    case vaCurrency:
      SkipBytes(8);
      return;
    case vaExtended:
      SkipBytes(10);
      return;
    case vaString:
    case vaIdent:
      Read(B, 1);
      SkipBytes(B[0]);
      return;
    case vaLString:
    case vaUTF8String:
    case vaBinary:
      Read(B, 4);
      SkipBytes(GetLE<uint32_t>(B));
      return;
    case vaWString:
      Read(B, 4);
      SkipBytes(int64_t(GetLE<uint32_t>(B)) * 2);
      return;
    case vaSet:
      SkipSetBody();
      return;
    case vaCollection:
      while (!EndOfList()) {
        const TValueType N = NextValue();
        if (N == vaInt8 || N == vaInt16 || N == vaInt32) SkipValue();
        if (ReadValue() != vaList)
          Corrupt(Format(SUnexpectedValue, Where(Position() - 1), "collection item"));
        while (!EndOfList()) SkipProperty();
        ReadListEnd();
      }
      ReadListEnd();
      return;
    default:
      Corrupt(Format(SInvalidValueTag, int(T), Where(Position() - 1), "a value"));
  }
}

void TReader::SkipProperty() {
  ReadStr();
  SkipValue();
}

void TReader::SkipComponent(bool SkipHeader) {
  TNesting Guard(*this);
  if (SkipHeader) {
    TFilerFlags Flags;
    int Pos = 0;
    ReadPrefix(Flags, Pos);
    ReadStr();
    ReadStr();
  }
  while (!EndOfList()) SkipProperty();
  ReadListEnd();
  while (!EndOfList()) SkipComponent(true);
  ReadListEnd();
}

}  // namespace formwright
