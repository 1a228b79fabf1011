#include "tests/platform/runtime/TestClasses.h"

namespace formwright::testing {

FW_REGISTER_CLASS(TTestFont, "TestUnit")
FW_REGISTER_CLASS(TTestItem, "TestUnit")
FW_REGISTER_CLASS(TTestWidget, "TestUnit")
FW_REGISTER_CLASS(TTestForm, "TestUnit")
FW_REGISTER_CLASS(TTestDataSet, "TestData")

void TTestFont::DeclarePublished(TClassBuilder<TTestFont>& C) {
  C.Property("Name", &TTestFont::FName);
  C.Property("Size", &TTestFont::FSize).Default(8);
}

void TTestFont::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TTestFont*>(Source)) {
    FName = F->FName;
    FSize = F->FSize;
    return;
  }
  TPersistent::Assign(Source);
}

void TTestItem::DeclarePublished(TClassBuilder<TTestItem>& C) {
  C.Property("Caption", &TTestItem::FCaption);
  C.Property("Width", &TTestItem::FWidth).Default(50);
}

void TTestItem::Assign(TPersistent* Source) {
  if (auto* I = dynamic_cast<TTestItem*>(Source)) {
    FCaption = I->FCaption;
    FWidth = I->FWidth;
    return;
  }
  TCollectionItem::Assign(Source);
}

TTestWidget::TTestWidget(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(new TTestFont(this)),
      FItems(new TOwnedCollection(this, TTestItem::StaticClass())) {}

TTestWidget::~TTestWidget() {
  FFont->Free();
  FItems->Free();
}

void TTestWidget::SetBuddy(TComponent* Value) {
  if (FBuddy) FBuddy->RemoveFreeNotification(this);
  FBuddy = Value;
  if (FBuddy) FBuddy->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  FNotifications.emplace_back(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
  // An interface reference to a component must not outlive it.
  if (Operation == opRemove && FLink && FLink.Identity() == static_cast<IInterface*>(AComponent)) FLink.Reset();
}

void TTestWidget::DeclarePublished(TClassBuilder<TTestWidget>& C) {
  C.Property("Width", &TTestWidget::FWidth).Default(100).Stored(&TTestWidget::IsWidthStored);
  C.Property("Small", &TTestWidget::FSmall).Default(0);
  C.Property("Big", &TTestWidget::FBig);
  C.Property("Unsigned", &TTestWidget::FUnsigned);
  C.Property("Letter", &TTestWidget::FLetter).Default('A');
  C.Property("WideLetter", &TTestWidget::FWideLetter);
  C.Property("Enabled", &TTestWidget::FEnabled).Default(true);
  C.Property("Shape", &TTestWidget::FShape).Default(tsSquare);
  C.Property("Shapes", &TTestWidget::FShapes).Default(TTestShapes{tsCircle});
  C.Property("Ratio", &TTestWidget::FRatio);
  C.Property("Single", &TTestWidget::FSingle);
  C.Property("When", &TTestWidget::FWhen);
  C.Property("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption);
  C.Property("Wide", &TTestWidget::FWide);
  C.Property("Value", &TTestWidget::FValue);
  C.Property("Color", &TTestWidget::FColor).Default(0);
  C.Property("Font", &TTestWidget::Font, &TTestWidget::SetFont);
  C.Property("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy);
  C.Property("Items", &TTestWidget::Items, &TTestWidget::SetItems);
  C.Property("Link", &TTestWidget::FLink);
  C.Property("ReadOnlyCount", &TTestWidget::ReadOnlyCount, nullptr);
  C.Property("Transient", nullptr, &TTestWidget::SetCaption);
  C.Property("OnClick", &TTestWidget::FOnClick);
  C.Property("OnKey", &TTestWidget::FOnKey);
  C.Method<&TTestWidget::Click>("Click");
}

void TTestForm::DeclarePublished(TClassBuilder<TTestForm>& C) {
  C.Method<&TTestForm::WidgetClick>("WidgetClick");
}

}  // namespace formwright::testing
