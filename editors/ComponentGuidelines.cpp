#include "editors/ComponentGuidelines.h"

namespace formwright {

FW_REGISTER_CLASS(TComponentGuidelines, "DesignEditors")

void TComponentGuidelines::DeclarePublished(TClassBuilder<TComponentGuidelines>& C) {
  DeclareEditorFactory(C);
}

void TComponentGuidelines::Initialize(TComponent* AComponent, TComponent* AContainer) {
  FComponent = AComponent;
  FContainer = AContainer;
}

}  // namespace formwright
