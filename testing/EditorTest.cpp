#include "formwright/testing/EditorTest.h"

#include "formwright/testing/Inspector.h"

namespace formwright::testing {

TEditorTest::TEditorTest() : FForm(new orx::TForm(nullptr)) {
  FForm->SetName("Form1");
  FDesigner = MakeIntf<TRecordingDesigner>(FForm.get());
}

TEditorTest::~TEditorTest() { FDesigner->Detach(); }

std::vector<IPtr<IProperty>> TEditorTest::Properties(std::initializer_list<TPersistent*> Objects,
                                                     TTypeKinds Filter) {
  return PropertiesOf(Designer(), Objects, Filter);
}

std::vector<String> TEditorTest::Names(std::initializer_list<TPersistent*> Objects, TTypeKinds Filter) {
  return PropertyNames(Designer(), Objects, Filter);
}

IPtr<IProperty> TEditorTest::Prop(std::initializer_list<TPersistent*> Objects, const String& Name) {
  return PropertyOf(Designer(), Objects, Name);
}

IPtr<IComponentEditor> TEditorTest::EditorOf(TComponent* Component) const {
  return GetComponentEditor(Component, Designer());
}

}  // namespace formwright::testing
