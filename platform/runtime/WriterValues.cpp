// The writer's less frequent values: characters, floating-point numbers, dates, currency,
// wide strings, binary data, sets and variants, each in its canonical encoding.
#include "platform/runtime/FilerInternals.h"
#include "platform/runtime/StreamCoding.h"

namespace formwright {

using namespace streamcoding;

void TWriter::WriteChar(char Value) {
  String S;
  AppendUtf8(S, static_cast<unsigned char>(Value));
  WriteString(S);
}

void TWriter::WriteWideChar(char16_t Value) {
  String S;
  if (AppendUtf8(S, Value))
    WriteString(S);
  else
    WriteInteger(Value);  // a lone surrogate has no text form
}

void TWriter::WriteFloat(long double Value) {
  uint8_t B[11] = {vaExtended};
  PutExtended(B + 1, CanonicalFloat(Value));
  Write(B, 11);
}

void TWriter::WriteSingle(float Value) {
  uint8_t B[5] = {vaSingle};
  PutFloat(B + 1, CanonicalFloat(Value));
  Write(B, 5);
}

void TWriter::WriteDouble(double Value) {
  uint8_t B[9] = {vaDouble};
  PutDouble(B + 1, CanonicalFloat(Value));
  Write(B, 9);
}

void TWriter::WriteDate(TDateTime Value) {
  uint8_t B[9] = {vaDate};
  PutDouble(B + 1, CanonicalFloat(Value.Value));
  Write(B, 9);
}

void TWriter::WriteCurrency(Currency Value) {
  uint8_t B[9] = {vaCurrency};
  PutLE<int64_t>(B + 1, Value.Scaled);
  Write(B, 9);
}

void TWriter::WriteWideString(const WideString& Value) { WriteString(WideToUtf8(Value)); }

void TWriter::WriteBinary(const void* Data, int64_t Count) {
  if (Count < 0 || Count > int64_t(UINT32_MAX)) throw EWriteError(SWriteError);
  uint8_t B[5] = {vaBinary};
  PutLE<uint32_t>(B + 1, static_cast<uint32_t>(Count));
  Write(B, 5);
  Write(Data, Count);
}

void TWriter::WriteSet(const std::vector<String>& Names) {
  WriteValue(vaSet);
  for (const String& N : Names) WriteStr(N);
  WriteStr(String());
}

void TWriter::WriteVariant(const Variant& Value) {
  switch (Value.VarType()) {
    case varEmpty:
      WriteValue(vaNil);
      return;
    case varNull:
      WriteValue(vaNull);
      return;
    case varBoolean:
      WriteBoolean(Value.AsBoolean());
      return;
    case varShortInt:
    case varByte:
    case varSmallint:
    case varWord:
    case varInteger:
    case varLongWord:
    case varInt64:
    case varUInt64:
      WriteInteger(Value.AsInt64());
      return;
    case varSingle:
      WriteSingle(static_cast<float>(Value.AsFloat()));
      return;
    case varDouble:
      WriteDouble(static_cast<double>(Value.AsFloat()));
      return;
    case varDate:
      WriteDate(TDateTime(static_cast<double>(Value.AsFloat())));
      return;
    case varCurrency:
      WriteCurrency(Currency::FromDouble(Value.AsFloat()));
      return;
    case varString:
    case varUString:
    case varOleStr:
      WriteString(Value.AsString());
      return;
    default:
      throw EWriteError(Format(SInvalidPropertyType, VarTypeName(Value.VarType())));
  }
}

}  // namespace formwright
