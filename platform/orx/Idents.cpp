#include "platform/orx/Idents.h"

namespace formwright::orx {

bool IdentToInt(std::string_view Ident, int32_t& Value, TIdentMap Map) noexcept {
  for (const TIdentMapEntry& E : Map)
    if (SameText(E.Name, Ident)) {
      Value = E.Value;
      return true;
    }
  return false;
}

bool IntToIdent(int32_t Value, String& Ident, TIdentMap Map) {
  for (const TIdentMapEntry& E : Map)
    if (E.Value == Value) {
      Ident = E.Name;
      return true;
    }
  return false;
}

void GetIdentValues(const TGetStrProc& Proc, TIdentMap Map) {
  for (const TIdentMapEntry& E : Map) Proc(E.Name);
}

}  // namespace formwright::orx
