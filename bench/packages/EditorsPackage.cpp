// A design package for benchmarks, shaped like a component writer's: a component class of its
// own with a property editor for one of its properties, a property editor for a type of its own,
// a component editor and guidelines. It registers no class by name, so that many copies of the
// library load side by side; each copy is named after its file ("Editors7" for Editors7.so).
#include <dlfcn.h>

#include "contracts/PackageEntry.h"
#include "editors/CompEditors.h"
#include "editors/ComponentGuidelines.h"
#include "editors/StdPropEditors.h"

namespace bench_package {
using namespace formwright;

FW_ENUM(TDialStyle, dsPlain, dsRaised, dsSunken)

class TDial : public TComponent {
  FW_CLASS(TDial, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TDial>& C) {
    C.Property("Level", &TDial::FLevel, &TDial::FLevel);
    C.Property("Style", &TDial::FStyle, &TDial::FStyle);
  }
  int32_t FLevel = 0;
  TDialStyle FStyle = dsPlain;
};
FW_REGISTER_CLASS(TDial, "BenchDials")

class TLevelProperty : public TIntegerProperty {
  FW_PROPERTY_EDITOR(TLevelProperty, TIntegerProperty)
};
FW_REGISTER_CLASS(TLevelProperty, "BenchDials")

class TDialStyleProperty : public TEnumProperty {
  FW_PROPERTY_EDITOR(TDialStyleProperty, TEnumProperty)
};
FW_REGISTER_CLASS(TDialStyleProperty, "BenchDials")

class TDialEditor : public TComponentEditor {
  FW_CLASS(TDialEditor, TComponentEditor)
 public:
  using TComponentEditor::TComponentEditor;
  static void DeclarePublished(TClassBuilder<TDialEditor>& C) { DeclareEditorFactory(C); }
};
FW_REGISTER_CLASS(TDialEditor, "BenchDials")

class TDialGuidelines : public TComponentGuidelines {
  FW_CLASS(TDialGuidelines, TComponentGuidelines)
 public:
  using TComponentGuidelines::TComponentGuidelines;
  static void DeclarePublished(TClassBuilder<TDialGuidelines>& C) { DeclareEditorFactory(C); }
};
FW_REGISTER_CLASS(TDialGuidelines, "BenchDials")

void Register() {
  RegisterPropertyEditor(TypeInfoOf<int32_t>(), TDial::StaticClass(), "Level", TLevelProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TDialStyle>(), nullptr, "", TDialStyleProperty::StaticClass());
  RegisterComponentEditor(TDial::StaticClass(), TDialEditor::StaticClass());
  RegisterComponentGuidelines(TDial::StaticClass(), TDialGuidelines::StaticClass());
}

// The file's name without folder and extension.
String OwnName() {
  Dl_info Info{};
  if (!dladdr(reinterpret_cast<void*>(&Register), &Info) || !Info.dli_fname) return "Editors";
  String Name = Info.dli_fname;
  Name.erase(0, Name.find_last_of('/') + 1);
  return Name.substr(0, Name.find('.'));
}

}  // namespace bench_package

extern "C" __attribute__((visibility("default"))) const formwright::TDesignPackageEntry*
FormwrightDesignPackage() {
  static const formwright::String Name = bench_package::OwnName();
  static const formwright::TDesignPackageEntry Entry{formwright::DesignPackageAPIVersion, Name.c_str(),
                                                     &bench_package::Register};
  return &Entry;
}
