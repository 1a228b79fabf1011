// Identifier maps: the tables that give integer values of the framework (colours, cursors,
// character sets, modal results) their identifiers, as the property inspector shows them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "platform/runtime/SysUtils.h"

namespace formwright::orx {

struct TIdentMapEntry {
  int32_t Value;
  const char* Name;
};
using TIdentMap = std::span<const TIdentMapEntry>;
// Called once per identifier by the Get…Values enumerations.
using TGetStrProc = std::function<void(const String&)>;

// The value of an identifier (compared ignoring case); false when the map has none.
bool IdentToInt(std::string_view Ident, int32_t& Value, TIdentMap Map) noexcept;
// The identifier of a value (the first entry with that value); false when the map has none.
bool IntToIdent(int32_t Value, String& Ident, TIdentMap Map);
// Calls `Proc` with every identifier of the map, in map order.
void GetIdentValues(const TGetStrProc& Proc, TIdentMap Map);

}  // namespace formwright::orx
