#include "platform/orx/ShortCuts.h"

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

namespace {
String KeyName(uint16_t Key) {
  switch (Key) {
    case vkBack:
      return "BkSp";
    case vkTab:
      return "Tab";
    case vkReturn:
      return "Enter";
    case vkEscape:
      return "Esc";
    case vkSpace:
      return "Space";
    case vkPrior:
      return "PgUp";
    case vkNext:
      return "PgDn";
    case vkEnd:
      return "End";
    case vkHome:
      return "Home";
    case vkLeft:
      return "Left";
    case vkUp:
      return "Up";
    case vkRight:
      return "Right";
    case vkDown:
      return "Down";
    case vkInsert:
      return "Ins";
    case vkDelete:
      return "Del";
    default:
      break;
  }
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, static_cast<char>(Key));
  String R;
  if (Key >= 0x60 && Key <= 0x69) R.append("Num ").append(IntToStr(Key - 0x60));
  if (Key >= vkF1 && Key < vkF1 + 24) R.append("F").append(IntToStr(Key - vkF1 + 1));
  return R;
}
}  // namespace

TShortCut ShortCut(uint16_t Key, TShiftState Shift) noexcept {
  if (Key & 0xFF00) return TShortCut(0);
  uint16_t R = Key;
  if (Shift.Contains(ssShift)) R |= scShift;
  if (Shift.Contains(ssCtrl)) R |= scCtrl;
  if (Shift.Contains(ssAlt)) R |= scAlt;
  return TShortCut(R);
}

void ShortCutToKey(TShortCut S, uint16_t& Key, TShiftState& Shift) noexcept {
  Key = S & 0xFF;
  Shift = TShiftState();
  if (S & scShift) Shift.Include(ssShift);
  if (S & scCtrl) Shift.Include(ssCtrl);
  if (S & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut S) {
  const String Name = KeyName(S & 0xFF);
  if (Name.empty()) return String();
  String R;
  if (S & scShift) R += SmkcShift;
  if (S & scCtrl) R += SmkcCtrl;
  if (S & scAlt) R += SmkcAlt;
  R += Name;
  return R;
}

TShortCut TextToShortCut(std::string_view Text) {
  uint16_t Mods = 0;
  std::string_view Rest = Text;
  for (bool Found = true; Found;) {
    Found = false;
    for (auto [Prefix, Bit] : {std::pair{SmkcShift, scShift}, {SmkcCtrl, scCtrl}, {SmkcAlt, scAlt}}) {
      if (StartsText(Prefix, Rest) && Rest.size() > std::char_traits<char>::length(Prefix)) {
        Mods |= Bit;
        Rest.remove_prefix(std::char_traits<char>::length(Prefix));
        Found = true;
      }
    }
  }
  if (Rest.empty()) return TShortCut(0);
  for (uint16_t Key = 8; Key <= 255; ++Key)
    if (SameText(KeyName(Key), Rest)) return TShortCut(Key | Mods);
  return TShortCut(0);
}

}  // namespace formwright::orx
