// Editor classes for the registry tests: property editors that are only told apart by their
// class, and component, selection and guidelines editors that record how they were made.
#pragma once

#include "contracts/DesignIntf.h"
#include "editors/CompEditors.h"
#include "platform/runtime/Classes.h"

namespace formwright::testing {

// Stand-ins for the framework's font and control classes.
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

// Interfaces for the interface-inheritance rules of the property editor registry.
struct ISampleBase : virtual IInterface {
  FW_INTERFACE(ISampleBase, IInterface, "{7A0C51E4-3B2D-4E10-8F11-0000000000B1}")
};
struct ISampleMiddle : virtual ISampleBase {
  FW_INTERFACE(ISampleMiddle, ISampleBase, "{7A0C51E4-3B2D-4E10-8F11-0000000000B2}")
};
struct ISampleDerived : virtual ISampleMiddle {
  FW_INTERFACE(ISampleDerived, ISampleMiddle, "{7A0C51E4-3B2D-4E10-8F11-0000000000B3}")
};

// A component outside the control hierarchy with interface-typed properties, a reference to a
// button and a caption.
class TSampleLinks : public TComponent {
  FW_CLASS(TSampleLinks, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TSampleLinks>& C);
  IPtr<ISampleBase> FBase;
  IPtr<ISampleDerived> FDerived;
  TSampleButton* FBuddy = nullptr;
  String FCaption;
};

// The class group test: a component whose class starts a class group of its own.
class TGroupedWidget : public TComponent {
  FW_CLASS(TGroupedWidget, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TGroupedWidget>& C);
  String FCaption;
};

// ---------------------------------------------------------------------------------------------
// Property editors

class TSamplePropertyEditor : public TBasePropertyEditor {
  FW_CLASS(TSamplePropertyEditor, TBasePropertyEditor)
 public:
  using TBasePropertyEditor::TBasePropertyEditor;
  static void DeclarePublished(TClassBuilder<TSamplePropertyEditor>& C) { DeclareEditorFactory(C); }
  void Initialize() override {}
  void SetPropEntry(int, TPersistent*, PPropInfo) override {}
};

#define FW_SAMPLE_PROPERTY_EDITOR(Name)                                               \
  class Name : public TSamplePropertyEditor {                                         \
    FW_CLASS(Name, TSamplePropertyEditor)                                             \
   public:                                                                            \
    using TSamplePropertyEditor::TSamplePropertyEditor;                               \
    static void DeclarePublished(TClassBuilder<Name>& C) { DeclareEditorFactory(C); } \
  };
FW_SAMPLE_PROPERTY_EDITOR(TEditorA)
FW_SAMPLE_PROPERTY_EDITOR(TEditorB)
FW_SAMPLE_PROPERTY_EDITOR(TEditorC)
FW_SAMPLE_PROPERTY_EDITOR(TEditorD)

// ---------------------------------------------------------------------------------------------
// Component editors

// A component editor whose one verb names its class.
class TSampleComponentEditor : public TComponentEditor {
  FW_CLASS(TSampleComponentEditor, TComponentEditor)
 public:
  using TComponentEditor::TComponentEditor;
  static void DeclarePublished(TClassBuilder<TSampleComponentEditor>& C) { DeclareEditorFactory(C); }
  String GetVerb(int) override { return ClassName(); }
  int GetVerbCount() override { return 1; }
};

#define FW_SAMPLE_COMPONENT_EDITOR(Name)                                              \
  class Name : public TSampleComponentEditor {                                        \
    FW_CLASS(Name, TSampleComponentEditor)                                            \
   public:                                                                            \
    using TSampleComponentEditor::TSampleComponentEditor;                             \
    static void DeclarePublished(TClassBuilder<Name>& C) { DeclareEditorFactory(C); } \
  };
FW_SAMPLE_COMPONENT_EDITOR(TComponentEditorA)
FW_SAMPLE_COMPONENT_EDITOR(TComponentEditorB)
FW_SAMPLE_COMPONENT_EDITOR(TComponentEditorC)

// ---------------------------------------------------------------------------------------------
// Selection editors

// A selection editor whose one verb names its class.
class TSampleSelectionEditor : public TSelectionEditor {
  FW_CLASS(TSampleSelectionEditor, TSelectionEditor)
 public:
  using TSelectionEditor::TSelectionEditor;
  static void DeclarePublished(TClassBuilder<TSampleSelectionEditor>& C) { DeclareEditorFactory(C); }
  String GetVerb(int) override { return ClassName(); }
  int GetVerbCount() override { return 1; }
};

#define FW_SAMPLE_SELECTION_EDITOR(Name)                                              \
  class Name : public TSampleSelectionEditor {                                        \
    FW_CLASS(Name, TSampleSelectionEditor)                                            \
   public:                                                                            \
    using TSampleSelectionEditor::TSampleSelectionEditor;                             \
    static void DeclarePublished(TClassBuilder<Name>& C) { DeclareEditorFactory(C); } \
  };
FW_SAMPLE_SELECTION_EDITOR(TSelectionEditorA)
FW_SAMPLE_SELECTION_EDITOR(TSelectionEditorB)
FW_SAMPLE_SELECTION_EDITOR(TSelectionEditorC)
FW_SAMPLE_SELECTION_EDITOR(TSelectionEditorD)

// ---------------------------------------------------------------------------------------------
// Guidelines

// One guideline of the type the class stands for, at offset 4.
class TSampleGuidelines : public TBaseComponentGuidelines, public IComponentGuidelines {
  FW_CLASS(TSampleGuidelines, TBaseComponentGuidelines)
 public:
  using TBaseComponentGuidelines::TBaseComponentGuidelines;
  static void DeclarePublished(TClassBuilder<TSampleGuidelines>& C) { DeclareEditorFactory(C); }
  void Initialize(TComponent* AComponent, TComponent* AContainer) override {
    FComponent = AComponent;
    FContainer = AContainer;
  }
  int GetCount() override { return 1; }
  TDesignerGuideType GetDesignerGuideType(int) override { return Type(); }
  int GetDesignerGuideOffset(int) override { return 4; }
  virtual TDesignerGuideType Type() const { return gtAlignLeft; }
  TComponent* FComponent = nullptr;
  TComponent* FContainer = nullptr;
};

class TBaselineGuidelines : public TSampleGuidelines {
  FW_CLASS(TBaselineGuidelines, TSampleGuidelines)
 public:
  using TSampleGuidelines::TSampleGuidelines;
  static void DeclarePublished(TClassBuilder<TBaselineGuidelines>& C) { DeclareEditorFactory(C); }
  TDesignerGuideType Type() const override { return gtBaseline; }
};

class TMarginGuidelines : public TSampleGuidelines {
  FW_CLASS(TMarginGuidelines, TSampleGuidelines)
 public:
  using TSampleGuidelines::TSampleGuidelines;
  static void DeclarePublished(TClassBuilder<TMarginGuidelines>& C) { DeclareEditorFactory(C); }
  TDesignerGuideType Type() const override { return gtMarginTop; }
};

}  // namespace formwright::testing
