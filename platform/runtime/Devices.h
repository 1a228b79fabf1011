// The devices a form can be designed for: each has an identifier, a name to show, a class of
// device and form-factor attributes (name=value pairs such as FormFactor=Tablet). A module's
// views are named after devices; the module stores, for each view, the value of the attribute
// its framework designs by.
#pragma once

#include <utility>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

enum TDeviceClass : uint8_t { dcDesktop, dcTablet, dcPhone, dcWearable, dcLargeScreen, dcOther };

struct TDeviceInfo {
  String Id;
  String DisplayName;
  TDeviceClass DeviceClass = dcOther;
  // Form-factor attributes in the order they were given.
  std::vector<std::pair<String, String>> Attributes;

  // The attribute named Name (any letter case); null when the device has none.
  const String* Attribute(const String& Name) const;
};

// A list of devices, found by identifier regardless of letter case. Adding a device whose
// identifier is listed replaces that entry in place.
class TDeviceInfos {
 public:
  void Add(TDeviceInfo Info);
  // False when no device has that identifier.
  bool Remove(const String& Id);
  // The device of that identifier; null when none.
  const TDeviceInfo* Find(const String& Id) const;
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  const TDeviceInfo& Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }

 private:
  std::vector<TDeviceInfo> FItems;
};

// The attribute every standard device carries for its form factor.
inline constexpr const char* SFormFactorAttribute = "FormFactor";

// Adds the standard devices: Desktop, Tablet, Phone, Wearable and LargeScreen, each with
// FormFactor, Width, Height (in pixels) and PixelsPerInch attributes.
void AddStandardDevices(TDeviceInfos& List);

}  // namespace formwright
