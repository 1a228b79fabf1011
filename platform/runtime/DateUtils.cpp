#include "platform/runtime/DateUtils.h"

#include <chrono>
#include <cmath>

#include "platform/runtime/RtlConsts.h"

namespace formwright {

namespace {
using namespace std::chrono;
constexpr sys_days Epoch = sys_days(year{1899} / December / 30);
constexpr double MSecsPerDay = 86400000.0;

// Splits a text at the separator into numbers; false when a part is not a plain number.
bool Numbers(std::string_view S, char Sep, std::vector<int>& Out) {
  Out.clear();
  for (const String& Part : SplitString(S, Sep)) {
    const String T = Trim(Part);
    if (T.empty() || T.size() > 9) return false;
    for (char C : T)
      if (C < '0' || C > '9') return false;
    Out.push_back(std::stoi(T));
  }
  return true;
}

// The order of year, month and day in the short date format ("yyyy-mm-dd" → Y M D).
String DateOrder() {
  String Order;
  for (char C : LowerCase(FormatSettings().ShortDateFormat))
    if ((C == 'y' || C == 'm' || C == 'd') && Order.find(C) == String::npos) Order += C;
  return Order.size() == 3 ? Order : "ymd";
}
}  // namespace

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value) noexcept {
  const year_month_day Ymd{year{Year}, month{unsigned(Month)}, day{unsigned(Day)}};
  if (Year < 1 || Year > 9999 || !Ymd.ok()) return false;
  Value = TDateTime(double((sys_days(Ymd) - Epoch).count()));
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime V;
  if (!TryEncodeDate(Year, Month, Day, V))
    throw EConvertError(Format(SInvalidDate, Format("%d-%d-%d", Year, Month, Day)));
  return V;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value) noexcept {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
    return false;
  Value = TDateTime((((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / MSecsPerDay);
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime V;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, V))
    throw EConvertError(Format(SInvalidTime, Format("%d:%d:%d.%d", Hour, Min, Sec, MSec)));
  return V;
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) noexcept {
  const year_month_day Ymd{Epoch + days{static_cast<long>(std::floor(Value.Value))}};
  Year = int(Ymd.year());
  Month = int(unsigned(Ymd.month()));
  Day = int(unsigned(Ymd.day()));
}

void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) noexcept {
  double Frac = std::fabs(Value.Value - std::trunc(Value.Value));
  long long Ms = std::llround(Frac * MSecsPerDay);
  if (Ms >= 86400000LL) Ms = 86399999LL;
  Hour = int(Ms / 3600000);
  Min = int(Ms / 60000 % 60);
  Sec = int(Ms / 1000 % 60);
  MSec = int(Ms % 1000);
}

String DateToStr(TDateTime Value) {
  int Y, M, D;
  DecodeDate(Value, Y, M, D);
  const char Sep = FormatSettings().DateSeparator;
  String R;
  for (char Part : DateOrder()) {
    if (!R.empty()) R += Sep;
    R += Part == 'y' ? Format("%04d", Y) : Format("%02d", Part == 'm' ? M : D);
  }
  return R;
}

String TimeToStr(TDateTime Value) {
  int H, N, S, Ms;
  DecodeTime(Value, H, N, S, Ms);
  const char Sep = FormatSettings().TimeSeparator;
  return Format("%02d%c%02d%c%02d", H, Sep, N, Sep, S);
}

String DateTimeToStr(TDateTime Value) {
  const bool HasTime = Value.Value != std::trunc(Value.Value);
  return HasTime ? DateToStr(Value) + " " + TimeToStr(Value) : DateToStr(Value);
}

bool TryStrToDate(std::string_view S, TDateTime& Value) noexcept {
  std::vector<int> N;
  if (!Numbers(S, FormatSettings().DateSeparator, N) || N.size() != 3) return false;
  const String Order = DateOrder();
  int Y = 0, M = 0, D = 0;
  for (size_t I = 0; I < 3; ++I) (Order[I] == 'y' ? Y : Order[I] == 'm' ? M : D) = N[I];
  return TryEncodeDate(Y, M, D, Value);
}

bool TryStrToTime(std::string_view S, TDateTime& Value) noexcept {
  std::vector<int> N;
  if (!Numbers(S, FormatSettings().TimeSeparator, N) || N.size() < 2 || N.size() > 3) return false;
  return TryEncodeTime(N[0], N[1], N.size() == 3 ? N[2] : 0, 0, Value);
}

bool TryStrToDateTime(std::string_view S, TDateTime& Value) noexcept {
  const String T = Trim(S);
  const size_t Space = T.find(' ');
  if (Space == String::npos) {
    if (TryStrToDate(T, Value)) return true;
    return TryStrToTime(T, Value);
  }
  TDateTime D, Tm;
  if (!TryStrToDate(T.substr(0, Space), D) || !TryStrToTime(T.substr(Space + 1), Tm)) return false;
  Value = TDateTime(D.Value + Tm.Value);
  return true;
}

TDateTime StrToDate(std::string_view S) {
  TDateTime V;
  if (!TryStrToDate(S, V)) throw EConvertError(Format(SInvalidDate, String(S)));
  return V;
}

TDateTime StrToTime(std::string_view S) {
  TDateTime V;
  if (!TryStrToTime(S, V)) throw EConvertError(Format(SInvalidTime, String(S)));
  return V;
}

TDateTime StrToDateTime(std::string_view S) {
  TDateTime V;
  if (!TryStrToDateTime(S, V)) throw EConvertError(Format(SInvalidDateTime, String(S)));
  return V;
}

}  // namespace formwright
