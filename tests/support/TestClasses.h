// Framework-style classes used by the runtime tests: a root with owned components,
// sub-objects, collections, events, component references, enums, sets, floats and strings.
#pragma once

#include "platform/runtime/Collections.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/Streams.h"

namespace formwright::testing {

FW_ENUM(TTestShape, tsCircle, tsSquare, tsTriangle)
FW_SET(TTestShapes, TTestShape)
FW_EVENT(TTestNotify, void(TObject*), "(Sender: TObject)")
FW_EVENT(TTestKeyEvent, bool(TObject*, char16_t&), "(Sender: TObject; var Key: WideChar): Boolean")
FW_INT_TYPE(TTestColor, int32_t, INT32_MIN, INT32_MAX)

// A persistent sub-object owned by its component (like a font).
class TTestFont : public TPersistent {
  FW_CLASS(TTestFont, TPersistent)
 public:
  TTestFont() = default;
  explicit TTestFont(TPersistent* Owner) : FOwner(Owner) {}
  static void DeclarePublished(TClassBuilder<TTestFont>& C);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  String FName = "Sans";
  int32_t FSize = 8;

 private:
  TPersistent* FOwner = nullptr;
};

class TTestItem : public TCollectionItem {
  FW_CLASS(TTestItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  static void DeclarePublished(TClassBuilder<TTestItem>& C);
  String GetDisplayName() const override {
    return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption;
  }
  void Assign(TPersistent* Source) override;
  String FCaption;
  int32_t FWidth = 50;
};

// A component exercising every property kind.
class TTestWidget : public TComponent {
  FW_CLASS(TTestWidget, TComponent)
 public:
  explicit TTestWidget(TComponent* AOwner);
  ~TTestWidget() override;
  static void DeclarePublished(TClassBuilder<TTestWidget>& C);

  TTestFont* Font() const { return FFont; }
  void SetFont(TTestFont* Value) { FFont->Assign(Value); }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* Value);
  TCollection* Items() const { return FItems; }
  void SetItems(TCollection* Value) { FItems->Assign(Value); }
  String Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  bool IsWidthStored() const { return FWidth != 100; }
  int32_t ReadOnlyCount() const { return 42; }
  void Click() { ++FClicks; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  uint8_t FSmall = 0;
  int32_t FWidth = 100;
  int64_t FBig = 0;
  uint32_t FUnsigned = 0;
  char FLetter = 'A';
  char16_t FWideLetter = u'Z';
  bool FEnabled = true;
  TTestShape FShape = tsSquare;
  TTestShapes FShapes{tsCircle};
  double FRatio = 0;
  float FSingle = 0;
  TDateTime FWhen;
  String FCaption;
  WideString FWide;
  Variant FValue;
  TTestColor FColor = TTestColor(0);
  TTestNotify FOnClick;
  TTestKeyEvent FOnKey;
  IPtr<IInterface> FLink;
  int FClicks = 0;
  std::vector<std::pair<TComponent*, TOperation>> FNotifications;

 private:
  TTestFont* FFont;
  TComponent* FBuddy = nullptr;
  TCollection* FItems;
};

// A root that publishes a handler method.
class TTestForm : public TComponent {
  FW_CLASS(TTestForm, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TTestForm>& C);
  void WidgetClick(TObject* Sender) { LastSender = Sender; }
  TObject* LastSender = nullptr;
};

// A component class outside every framework group.
class TTestDataSet : public TComponent {
  FW_CLASS(TTestDataSet, TComponent)
 public:
  using TComponent::TComponent;
};

// A non-visual component used as a sub-component (streamed as nested properties).
class TTestTimer : public TComponent {
  FW_CLASS(TTestTimer, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TTestTimer>& C);
  int32_t FInterval = 1000;
  bool FActive = false;
};

class TTestContainer;

// A visual control: it has a parent container, which streams it as its child.
class TTestControl : public TTestWidget {
  FW_CLASS(TTestControl, TTestWidget)
 public:
  explicit TTestControl(TComponent* AOwner) : TTestWidget(AOwner) {}
  ~TTestControl() override;
  static void DeclarePublished(TClassBuilder<TTestControl>& C);
  TTestContainer* Parent() const noexcept { return FParent; }
  void SetParent(TTestContainer* Value);
  bool HasParent() const override { return FParent != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  int32_t FLeft = 0;
  int32_t FTop = 0;
  int LoadedCalls = 0;
  void Loaded() override;

 private:
  TTestContainer* FParent = nullptr;
};

// A control that holds child controls in order (its z-order / tab order).
class TTestContainer : public TTestControl {
  FW_CLASS(TTestContainer, TTestControl)
 public:
  explicit TTestContainer(TComponent* AOwner) : TTestControl(AOwner) {}
  ~TTestContainer() override;
  const std::vector<TTestControl*>& Controls() const noexcept { return FControls; }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

 private:
  friend class TTestControl;
  std::vector<TTestControl*> FControls;
};

// A designed module (a form): streams its non-visual components, then its controls. It
// publishes handlers and carries a string list, binary data and a sub-component.
class TTestModule : public TTestContainer {
  FW_CLASS(TTestModule, TTestContainer)
 public:
  explicit TTestModule(TComponent* AOwner);
  ~TTestModule() override;
  static void DeclarePublished(TClassBuilder<TTestModule>& C);
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void DefineProperties(TFiler* Filer) override;
  TStringList* Lines() const { return FLines; }
  void SetLines(TStringList* Value) { FLines->Assign(Value); }
  TTestTimer* Timer() const { return FTimer; }
  void WidgetClick(TObject* Sender) { LastSender = Sender; }
  bool WidgetKey(TObject*, char16_t& Key) { return Key != 0; }
  TObject* LastSender = nullptr;
  std::vector<uint8_t> Data;

 private:
  TStringList* FLines;
  TTestTimer* FTimer;
};

// An embeddable module (a frame): the components it reads as children are its own.
class TTestFrame : public TTestModule {
  FW_CLASS(TTestFrame, TTestModule)
 public:
  explicit TTestFrame(TComponent* AOwner) : TTestModule(AOwner) {}
  TComponent* GetChildOwner() override { return this; }
};

// Sample modules and stream helpers shared by the streaming tests.
class TStreamSamples {
 public:
  // Registers the test component classes for stream reading.
  static void RegisterClasses();
  // "Form1": a module with every property kind set, non-visual components, nested controls,
  // handlers, references between its components, a sub-component, a string list and binary data.
  static TOwned<TTestModule> BuildModule();
  // The module stream of `Root` written against `Ancestor`.
  static std::vector<uint8_t> Write(TComponent* Root, TComponent* Ancestor = nullptr);
  // A memory stream holding `Bytes`, positioned at 0.
  static TOwned<TMemoryStream> StreamOf(const std::vector<uint8_t>& Bytes);
  static std::vector<uint8_t> BinaryToText(const std::vector<uint8_t>& Binary);
  static std::vector<uint8_t> TextToBinary(const std::vector<uint8_t>& Text);
  static String AsString(const std::vector<uint8_t>& Bytes) { return String(Bytes.begin(), Bytes.end()); }
  static std::vector<uint8_t> AsBytes(const String& S) { return std::vector<uint8_t>(S.begin(), S.end()); }
};

}  // namespace formwright::testing
