#include "platform/orx/Idents.h"

namespace formwright::orx {

bool TIdentTable::ToIdent(int32_t Value, String& Ident) const {
  for (const TIdentMapEntry& E : FEntries)
    if (E.Value == Value) {
      Ident = E.Name;
      return true;
    }
  return false;
}

bool TIdentTable::ToValue(std::string_view Ident, int32_t& Value) const {
  const String Name = Trim(Ident);
  for (const TIdentMapEntry& E : FEntries)
    if (SameText(E.Name, Name)) {
      Value = E.Value;
      return true;
    }
  return false;
}

void TIdentTable::GetValues(const TGetStrProc& Proc) const {
  for (const TIdentMapEntry& E : FEntries) Proc(E.Name);
}

String TIdentTable::ToString(int32_t Value) const {
  String Ident;
  if (ToIdent(Value, Ident)) return Ident;
  return FFallback == TIdentFallback::ifHex8 ? Format("$%.8X", uint32_t(Value)) : IntToStr(Value);
}

bool TIdentTable::TryFromString(std::string_view Text, int32_t& Value) const {
  if (ToValue(Text, Value)) return true;
  int64_t N = 0;
  if (!TryStrToInt64(Text, N) || N < FMin || N > FMax) return false;
  Value = static_cast<int32_t>(static_cast<uint32_t>(N));
  return true;
}

int32_t TIdentTable::FromString(std::string_view Text) const {
  int32_t Value = 0;
  if (!TryFromString(Text, Value)) throw EConvertError(Format(FInvalid, String(Text)));
  return Value;
}

bool TIdentTable::IsNumber(std::string_view Text) noexcept {
  int64_t N = 0;
  return TryStrToInt64(Text, N);
}

}  // namespace formwright::orx
