// A package whose registration registers a class and editors, then raises.
#include "contracts/PackageEntry.h"
#include "editors/CompEditors.h"
#include "editors/StdPropEditors.h"
#include "platform/orx/StdCtrls.h"

namespace raising {
using namespace formwright;

class TDial : public orx::TGraphicControl {
  FW_CLASS(TDial, orx::TGraphicControl)
 public:
  using orx::TGraphicControl::TGraphicControl;
};
FW_REGISTER_CLASS(TDial, "Raising")

class TDialEditor : public TComponentEditor {
  FW_CLASS(TDialEditor, TComponentEditor)
 public:
  using TComponentEditor::TComponentEditor;
  static void DeclarePublished(TClassBuilder<TDialEditor>& C) { DeclareEditorFactory(C); }
  int GetVerbCount() override { return 1; }
  String GetVerb(int) override { return "Turn"; }
};
FW_REGISTER_CLASS(TDialEditor, "Raising")

void Register() {
  RegisterClass(TDial::StaticClass());
  RegisterComponentEditor(orx::TButton::StaticClass(), TDialEditor::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<String>(), nullptr, "Caption", TIntegerProperty::StaticClass());
  throw EInvalidOperation("the dial needs a licence key");
}
}  // namespace raising

FW_DESIGN_PACKAGE("Raising", raising::Register)
