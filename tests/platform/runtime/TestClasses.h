// Framework-style classes used by the runtime tests: a root with owned components,
// sub-objects, collections, events, component references, enums, sets, floats and strings.
#pragma once

#include "platform/runtime/Collections.h"
#include "platform/runtime/Lists.h"

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
  String GetDisplayName() const override { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }
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

}  // namespace formwright::testing
