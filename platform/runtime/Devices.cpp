#include "platform/runtime/Devices.h"

#include <algorithm>

namespace formwright {

const String* TDeviceInfo::Attribute(const String& Name) const {
  for (const auto& [Key, Value] : Attributes)
    if (SameText(Key, Name)) return &Value;
  return nullptr;
}

void TDeviceInfos::Add(TDeviceInfo Info) {
  for (TDeviceInfo& D : FItems)
    if (SameText(D.Id, Info.Id)) {
      D = std::move(Info);
      return;
    }
  FItems.push_back(std::move(Info));
}

bool TDeviceInfos::Remove(const String& Id) {
  auto It =
      std::find_if(FItems.begin(), FItems.end(), [&](const TDeviceInfo& D) { return SameText(D.Id, Id); });
  if (It == FItems.end()) return false;
  FItems.erase(It);
  return true;
}

const TDeviceInfo* TDeviceInfos::Find(const String& Id) const {
  for (const TDeviceInfo& D : FItems)
    if (SameText(D.Id, Id)) return &D;
  return nullptr;
}

void AddStandardDevices(TDeviceInfos& List) {
  struct TRow {
    const char* Id;
    const char* DisplayName;
    TDeviceClass Class;
    int Width, Height, PixelsPerInch;
  };
  static constexpr TRow Rows[] = {
      {"Desktop", "Desktop", dcDesktop, 1920, 1080, 96},
      {"Tablet", "Tablet", dcTablet, 1024, 768, 132},
      {"Phone", "Phone", dcPhone, 390, 844, 326},
      {"Wearable", "Wrist device", dcWearable, 198, 242, 326},
      {"LargeScreen", "Large screen", dcLargeScreen, 3840, 2160, 80},
  };
  for (const TRow& R : Rows)
    List.Add({R.Id,
              R.DisplayName,
              R.Class,
              {{SFormFactorAttribute, R.Id},
               {"Width", IntToStr(R.Width)},
               {"Height", IntToStr(R.Height)},
               {"PixelsPerInch", IntToStr(R.PixelsPerInch)}}});
}

}  // namespace formwright
