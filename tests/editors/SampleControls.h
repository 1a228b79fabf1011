// Stand-ins for the framework's font and control classes.
#pragma once

#include "platform/runtime/Classes.h"

namespace formwright::testing {

class TSampleFont : public TPersistent {
  FW_CLASS(TSampleFont, TPersistent)
 public:
  TSampleFont() = default;
};

class TSampleControl : public TComponent {
  FW_CLASS(TSampleControl, TComponent)
 public:
  explicit TSampleControl(TComponent* AOwner) : TComponent(AOwner) {}
  static void DeclarePublished(TClassBuilder<TSampleControl>& C);
  TSampleFont* Font() const noexcept { return FFont.get(); }
  TOwned<TSampleFont> FFont{new TSampleFont};
  String FCaption;
  String FHint;
};

class TSampleButton : public TSampleControl {
  FW_CLASS(TSampleButton, TSampleControl)
 public:
  using TSampleControl::TSampleControl;
};

class TSampleLabel : public TSampleControl {
  FW_CLASS(TSampleLabel, TSampleControl)
 public:
  using TSampleControl::TSampleControl;
};

}  // namespace formwright::testing
