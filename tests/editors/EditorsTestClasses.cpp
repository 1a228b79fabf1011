#include "tests/editors/EditorsTestClasses.h"

namespace formwright::testing {

FW_REGISTER_CLASS(TSampleFont, "EditorsTest")
FW_REGISTER_CLASS(TSampleControl, "EditorsTest")
FW_REGISTER_CLASS(TSampleButton, "EditorsTest")
FW_REGISTER_CLASS(TSampleLabel, "EditorsTest")
FW_REGISTER_CLASS(TSampleLinks, "EditorsTest")
FW_REGISTER_CLASS(TGroupedWidget, "EditorsTest")
FW_REGISTER_CLASS(TSamplePropertyEditor, "EditorsTest")
FW_REGISTER_CLASS(TEditorA, "EditorsTest")
FW_REGISTER_CLASS(TEditorB, "EditorsTest")
FW_REGISTER_CLASS(TEditorC, "EditorsTest")
FW_REGISTER_CLASS(TEditorD, "EditorsTest")
FW_REGISTER_CLASS(TSampleComponentEditor, "EditorsTest")
FW_REGISTER_CLASS(TComponentEditorA, "EditorsTest")
FW_REGISTER_CLASS(TComponentEditorB, "EditorsTest")
FW_REGISTER_CLASS(TComponentEditorC, "EditorsTest")
FW_REGISTER_CLASS(TSampleSelectionEditor, "EditorsTest")
FW_REGISTER_CLASS(TSelectionEditorA, "EditorsTest")
FW_REGISTER_CLASS(TSelectionEditorB, "EditorsTest")
FW_REGISTER_CLASS(TSelectionEditorC, "EditorsTest")
FW_REGISTER_CLASS(TSelectionEditorD, "EditorsTest")
FW_REGISTER_CLASS(TSampleGuidelines, "EditorsTest")
FW_REGISTER_CLASS(TBaselineGuidelines, "EditorsTest")
FW_REGISTER_CLASS(TMarginGuidelines, "EditorsTest")

void TSampleControl::DeclarePublished(TClassBuilder<TSampleControl>& C) {
  C.Property("Caption", &TSampleControl::FCaption);
  C.Property("Font", &TSampleControl::Font, nullptr);
  C.Property("Hint", &TSampleControl::FHint);
}

void TSampleLinks::DeclarePublished(TClassBuilder<TSampleLinks>& C) {
  C.Property("Base", &TSampleLinks::FBase);
  C.Property("Buddy", &TSampleLinks::FBuddy);
  C.Property("Caption", &TSampleLinks::FCaption);
  C.Property("Derived", &TSampleLinks::FDerived);
}

void TGroupedWidget::DeclarePublished(TClassBuilder<TGroupedWidget>& C) {
  C.Property("Caption", &TGroupedWidget::FCaption);
}

}  // namespace formwright::testing
