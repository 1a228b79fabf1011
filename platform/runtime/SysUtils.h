// Strings, exceptions and formatting of the host runtime library.
//
// Strings are UTF-8 `String`s; `WideString` is UTF-16 for the wide property kinds. Names of
// components, classes, properties and methods are compared ignoring ASCII letter case, as the
// component model requires (`CompareText`, `SameText`).
#pragma once

#include <fmt/printf.h>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace formwright {

using String = std::string;
using WideString = std::u16string;
using AnsiChar = char;
using WideChar = char16_t;

// Base of every exception the runtime and the package raise. The message is what the host
// shows to the user; `what()` returns the same text.
class Exception : public std::exception {
 public:
  explicit Exception(String AMessage) : FMessage(std::move(AMessage)) {}
  const String& Message() const noexcept { return FMessage; }
  void SetMessage(String AMessage) { FMessage = std::move(AMessage); }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  String FMessage;
};

// Declares an exception class `Name` derived from `Parent` that takes the message.
#define FW_EXCEPTION(Name, Parent) \
  class Name : public Parent {     \
   public:                         \
    using Parent::Parent;          \
  }

FW_EXCEPTION(EAbort, Exception);
FW_EXCEPTION(EConvertError, Exception);
FW_EXCEPTION(EInvalidOperation, Exception);
FW_EXCEPTION(EInvalidCast, Exception);
FW_EXCEPTION(EInvalidArgument, Exception);
FW_EXCEPTION(ERangeError, Exception);
FW_EXCEPTION(EListError, Exception);
FW_EXCEPTION(EStringListError, EListError);
FW_EXCEPTION(EComponentError, Exception);
FW_EXCEPTION(EIntfCastError, Exception);
FW_EXCEPTION(EVariantError, Exception);
FW_EXCEPTION(EPropertyError, Exception);
FW_EXCEPTION(EPropReadOnly, EPropertyError);
FW_EXCEPTION(EPropWriteOnly, EPropertyError);
FW_EXCEPTION(EStreamError, Exception);
FW_EXCEPTION(EFilerError, EStreamError);
FW_EXCEPTION(EReadError, EFilerError);
FW_EXCEPTION(EWriteError, EFilerError);
FW_EXCEPTION(EClassNotFound, EFilerError);
FW_EXCEPTION(EInOutError, Exception);
FW_EXCEPTION(EFOpenError, EStreamError);
FW_EXCEPTION(EFCreateError, EStreamError);

// printf-style formatting (`%s`, `%d`, `%x`, `%.2f` …) of the runtime's message texts.
template <class... Args>
String Format(std::string_view AFormat, const Args&... AArgs) {
  return fmt::sprintf(AFormat, AArgs...);
}

// Case-insensitive (ASCII) comparison: <0, 0, >0.
int CompareText(std::string_view A, std::string_view B) noexcept;
bool SameText(std::string_view A, std::string_view B) noexcept;
// Case-sensitive comparison: <0, 0, >0.
int CompareStr(std::string_view A, std::string_view B) noexcept;
String UpperCase(std::string_view S);
String LowerCase(std::string_view S);
String Trim(std::string_view S);
bool StartsText(std::string_view Prefix, std::string_view S) noexcept;
bool EndsText(std::string_view Suffix, std::string_view S) noexcept;

// True for an identifier: a letter or underscore followed by letters, digits or underscores.
// With `AllowDots`, dot-separated identifiers are accepted too.
bool IsValidIdent(std::string_view Ident, bool AllowDots = false) noexcept;

String IntToStr(int64_t Value);
String UIntToStr(uint64_t Value);
String IntToHex(uint64_t Value, int Digits);
// The runtime's 64-bit integer parser: optional sign, decimal digits, or hexadecimal after
// `$` or `0x`. Surrounding blanks are allowed. Raises EConvertError with SInvalidInteger.
int64_t StrToInt64(std::string_view S);
bool TryStrToInt64(std::string_view S, int64_t& Value) noexcept;
int StrToInt(std::string_view S);
int StrToIntDef(std::string_view S, int Default) noexcept;

// Locale-dependent parts of number and date texts.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char DateSeparator = '-';
  char TimeSeparator = ':';
  String ShortDateFormat = "yyyy-mm-dd";
  String LongTimeFormat = "hh:nn:ss";
};
// The current settings, used where a text is "in the current locale".
TFormatSettings& FormatSettings();

// General float format with the given significant digits (7 for single, 15 for double, 18
// for extended), using the decimal separator of the current settings.
String FloatToStrG(long double Value, int Precision);
bool TryStrToFloat(std::string_view S, long double& Value) noexcept;
long double StrToFloat(std::string_view S);

String QuotedStr(std::string_view S, char Quote = '\'');
String StringReplaceAll(std::string_view S, std::string_view From, std::string_view To);
std::vector<String> SplitString(std::string_view S, char Separator);

// UTF-8 ↔ UTF-16 for the wide string kinds.
WideString Utf8ToWide(std::string_view S);
String WideToUtf8(std::u16string_view S);

}  // namespace formwright
