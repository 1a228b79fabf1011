// Small framework-style classes and editor classes for the contract tests.
#pragma once

#include "contracts/DesignIntf.h"

namespace formwright::testing {

FW_EVENT(TWidgetNotify, void(TObject*), "(Sender: TObject)")
FW_EVENT(TWidgetKeyEvent, bool(TObject*, char16_t&), "(Sender: TObject; var Key: WideChar): Boolean")

// A persistent that is not a component.
class TWidgetFont : public TPersistent {
  FW_CLASS(TWidgetFont, TPersistent)
 public:
  TWidgetFont() = default;
};

// A component with a caption and two events.
class TWidget : public TComponent {
  FW_CLASS(TWidget, TComponent)
 public:
  explicit TWidget(TComponent* AOwner) : TComponent(AOwner) {}
  static void DeclarePublished(TClassBuilder<TWidget>& C);
  String FCaption;
  TWidgetNotify FOnClick;
  TWidgetKeyEvent FOnKey;
};

// Counts the editor objects alive, to prove that refused editors are freed.
inline int GEditorsAlive = 0;

// A selection editor with one verb.
class TRecordingSelectionEditor : public TBaseSelectionEditor, public ISelectionEditor {
  FW_CLASS(TRecordingSelectionEditor, TBaseSelectionEditor)
 public:
  explicit TRecordingSelectionEditor(const IPtr<IDesigner>& ADesigner) : TBaseSelectionEditor(ADesigner) {
    ++GEditorsAlive;
  }
  ~TRecordingSelectionEditor() override { --GEditorsAlive; }
  static void DeclarePublished(TClassBuilder<TRecordingSelectionEditor>& C) { DeclareEditorFactory(C); }
  void ExecuteVerb(int, const IPtr<IDesignerSelections>&) override {}
  String GetVerb(int Index) override { return "Verb" + IntToStr(Index); }
  int GetVerbCount() override { return 1; }
  void PrepareItem(int, const IPtr<IMenuItem>&) override {}
  void RequiresUnits(const TGetStrProc&) override {}
};

// A component editor class that forgot to implement IComponentEditor.
class TIncompleteComponentEditor : public TBaseComponentEditor {
  FW_CLASS(TIncompleteComponentEditor, TBaseComponentEditor)
 public:
  TIncompleteComponentEditor(TComponent* AComponent, const IPtr<IDesigner>& ADesigner)
      : TBaseComponentEditor(AComponent, ADesigner) {
    ++GEditorsAlive;
  }
  ~TIncompleteComponentEditor() override { --GEditorsAlive; }
  static void DeclarePublished(TClassBuilder<TIncompleteComponentEditor>& C) { DeclareEditorFactory(C); }
};

// A selection editor class that registered no factory.
class TFactorylessSelectionEditor : public TRecordingSelectionEditor {
  FW_CLASS(TFactorylessSelectionEditor, TRecordingSelectionEditor)
 public:
  using TRecordingSelectionEditor::TRecordingSelectionEditor;
};

// A property editor that keeps the count it was made for.
class TRecordingPropertyEditor : public TBasePropertyEditor {
  FW_CLASS(TRecordingPropertyEditor, TBasePropertyEditor)
 public:
  TRecordingPropertyEditor(const IPtr<IDesigner>& ADesigner, int APropCount)
      : TBasePropertyEditor(ADesigner, APropCount), FPropCount(APropCount) {}
  static void DeclarePublished(TClassBuilder<TRecordingPropertyEditor>& C) { DeclareEditorFactory(C); }
  void Initialize() override {}
  void SetPropEntry(int, TPersistent*, PPropInfo) override {}
  int FPropCount;
};

// A drag target accepting drops right of x = 10.
class TRightHalfDragTarget : public TDragTarget {
  FW_CLASS(TRightHalfDragTarget, TDragTarget)
 public:
  using TDragTarget::TDragTarget;
  static void DeclarePublished(TClassBuilder<TRightHalfDragTarget>& C) { DeclareEditorFactory(C); }
  bool DragOver(TObject*, TObject*, int X, int) override { return X > 10; }
  void DragDrop(TObject*, TObject*, int, int) override {}
};

}  // namespace formwright::testing
