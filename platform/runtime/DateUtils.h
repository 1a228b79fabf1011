// Date and time values as days since 1899-12-30 with the time of day as the fraction, and
// their texts in the current format settings (ShortDateFormat and LongTimeFormat).
#pragma once

#include "platform/runtime/SysUtils.h"
#include "platform/runtime/Types.h"

namespace formwright {

// Raises EConvertError when the parts do not make a valid date or time.
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value) noexcept;
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value) noexcept;
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) noexcept;
void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) noexcept;

// The date part, the time part, or both ("date time", the time left out at midnight).
String DateToStr(TDateTime Value);
String TimeToStr(TDateTime Value);
String DateTimeToStr(TDateTime Value);

// Parse texts in the current settings; the Try forms report failure, the others raise
// EConvertError with SInvalidDate, SInvalidTime or SInvalidDateTime.
bool TryStrToDate(std::string_view S, TDateTime& Value) noexcept;
bool TryStrToTime(std::string_view S, TDateTime& Value) noexcept;
bool TryStrToDateTime(std::string_view S, TDateTime& Value) noexcept;
TDateTime StrToDate(std::string_view S);
TDateTime StrToTime(std::string_view S);
TDateTime StrToDateTime(std::string_view S);

}  // namespace formwright
