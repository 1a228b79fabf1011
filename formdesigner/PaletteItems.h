// Palette items: what the host's component palette hands the designer when a component is to
// be created, and the package's own item for a known component class.
#pragma once

#include "contracts/HostIntf.h"

namespace formwright {

// A palette entry of the tools interface. The designer asks whether it is available before
// creating from it.
struct IOTABasePaletteItem : virtual IInterface {
  FW_INTERFACE(IOTABasePaletteItem, IInterface, "{F9D448F0-50BC-11D1-9FB5-0020AF3D82DA}")
  virtual String GetIDString() = 0;
  // False when the item cannot create anything now.
  virtual bool GetEnabled() = 0;
};

// Creates one component for the designer. Parent and Rect say where it will go; the designer
// itself parents, names and places the result afterwards. Returns null when nothing was made.
struct IInternalPaletteItem : virtual IInterface {
  FW_INTERFACE(IInternalPaletteItem, IInterface, "{F9D448F1-50BC-11D1-9FB5-0020AF3D82DA}")
  virtual TComponent* CreateComponent(TComponent* Owner, TComponent* Parent, const TRect& Rect,
                                      const IPtr<IDesignEnvironment>& Environment) = 0;
};

// The palette item of a known component class: creates an instance owned by Owner and leaves
// parent and bounds to the designer.
class TClassPaletteItem : public TInterfacedObject, public IInternalPaletteItem {
  FW_CLASS(TClassPaletteItem, TInterfacedObject)
 public:
  explicit TClassPaletteItem(TComponentClass ComponentClass) : FComponentClass(ComponentClass) {}
  TComponent* CreateComponent(TComponent* Owner, TComponent* Parent, const TRect& Rect,
                              const IPtr<IDesignEnvironment>& Environment) override;
  TComponentClass ComponentClass() const noexcept { return FComponentClass; }

 private:
  TComponentClass FComponentClass;
};

}  // namespace formwright
