// Identifier tables: the tables that give integer values of the framework (colours, cursors,
// character sets, modal results) their identifiers, as the property inspector shows them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "platform/runtime/SysUtils.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::orx {

struct TIdentMapEntry {
  int32_t Value;
  const char* Name;
};
using TIdentMap = std::span<const TIdentMapEntry>;
// Called once per identifier by the value enumerations.
using TGetStrProc = std::function<void(const String&)>;

// How a table writes a value that has no identifier.
enum class TIdentFallback : uint8_t {
  ifDecimal,  // the number in decimal ("-5")
  ifHex8,     // "$" and eight hexadecimal digits ("$00FF8000")
};

// One family of identified values: its identifiers in the order the inspector lists them, how
// a value without one is written, and which numbers may be typed instead of an identifier.
// Identifiers compare ignoring case; each value has one identifier (the first entry wins).
class TIdentTable {
 public:
  // `Invalid` is the message (one %s: the text) raised for text that is neither an identifier
  // nor a number from Min to Max. A number above INT32_MAX (up to UINT32_MAX) stands for the
  // negative value of the same 32 bits, so "$FF000019" types back to what it shows.
  constexpr TIdentTable(TIdentMap Entries, int64_t Min, int64_t Max, const char* Invalid,
                        TIdentFallback Fallback = TIdentFallback::ifDecimal) noexcept
      : FEntries(Entries), FMin(Min), FMax(Max), FInvalid(Invalid), FFallback(Fallback) {}

  TIdentMap Entries() const noexcept { return FEntries; }
  // The identifier of a value; false when the table has none.
  bool ToIdent(int32_t Value, String& Ident) const;
  // The value of an identifier (surrounding blanks allowed); false when the table has none.
  bool ToValue(std::string_view Ident, int32_t& Value) const;
  // Calls `Proc` with every identifier, in table order.
  void GetValues(const TGetStrProc& Proc) const;
  // The identifier, else the value in the table's fallback form.
  String ToString(int32_t Value) const;
  // An identifier or a number in range (decimal or "$" hexadecimal); raises EConvertError with
  // the table's message for any other text.
  int32_t FromString(std::string_view Text) const;
  // FromString without the exception: false for text it would refuse.
  bool TryFromString(std::string_view Text, int32_t& Value) const;
  // The message for refused text (one %s: the text).
  const char* Invalid() const noexcept { return FInvalid; }
  // Whether Text reads as a number at all (in range or not): text that does not is a mistyped
  // identifier rather than a wrong number.
  static bool IsNumber(std::string_view Text) noexcept;

 private:
  TIdentMap FEntries;
  int64_t FMin, FMax;
  const char* FInvalid;
  TIdentFallback FFallback;
};

// The stream hooks of a table (`Table()` gives it): how the reader takes an identifier in place
// of the number and how the writer names a value.
template <const TIdentTable& (*Table)() noexcept>
bool TableIdentToInt(std::string_view Ident, int32_t& Value) {
  return Table().ToValue(Ident, Value);
}
template <const TIdentTable& (*Table)() noexcept>
bool TableIntToIdent(int32_t Value, String& Ident) {
  return Table().ToIdent(Value, Ident);
}

// Declares a framework integer type `Name` stored as `Base` whose values have the identifiers of
// the table `Table()`: forms read and write them by name ("Color = clFace"), as people write them.
#define FW_ORX_IDENT_TYPE(Name, Base, Min, Max, Table) \
  enum Name : Base {};                                 \
  const TIdentTable& Table() noexcept;                 \
  FW_INT_TYPE_IDENTS(Name, Base, Min, Max, &TableIdentToInt<Table>, &TableIntToIdent<Table>)

}  // namespace formwright::orx
