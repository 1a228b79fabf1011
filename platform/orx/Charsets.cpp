#include "platform/orx/Charsets.h"

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

namespace {
constexpr TIdentMapEntry Charsets[] = {
    {chAnsi, "chAnsi"},         {chDefault, "chDefault"},   {chSymbol, "chSymbol"},
    {chMac, "chMac"},           {chShiftJis, "chShiftJis"}, {chHangul, "chHangul"},
    {chJohab, "chJohab"},       {chGb2312, "chGb2312"},     {chBig5, "chBig5"},
    {chGreek, "chGreek"},       {chTurkish, "chTurkish"},   {chVietnamese, "chVietnamese"},
    {chHebrew, "chHebrew"},     {chArabic, "chArabic"},     {chBaltic, "chBaltic"},
    {chCyrillic, "chCyrillic"}, {chThai, "chThai"},         {chEastEurope, "chEastEurope"},
    {chOem, "chOem"},
};
}  // namespace

const TIdentTable& CharsetIdents() noexcept {
  static constexpr TIdentTable Table(Charsets, 0, 255, SInvalidCharset);
  return Table;
}

}  // namespace formwright::orx
