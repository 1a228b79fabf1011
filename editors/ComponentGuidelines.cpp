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

int TComponentGuidelines::GetDesignerGuideOffset(int Index) {
  const int Raw = GetRawOffset(Index);
  if (Raw == NoGuideline) return Raw;
  return IsYGuide(GetDesignerGuideType(Index)) ? CalcVertPos(Raw) : CalcHorzPos(Raw);
}

}  // namespace formwright
