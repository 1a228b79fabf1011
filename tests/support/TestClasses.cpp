#include "tests/support/TestClasses.h"

#include <algorithm>

#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"

namespace formwright::testing {

FW_REGISTER_CLASS(TTestFont, "TestUnit")
FW_REGISTER_CLASS(TTestItem, "TestUnit")
FW_REGISTER_CLASS(TTestWidget, "TestUnit")
FW_REGISTER_CLASS(TTestForm, "TestUnit")
FW_REGISTER_CLASS(TTestDataSet, "TestData")
FW_REGISTER_CLASS(TTestTimer, "TestUnit")
FW_REGISTER_CLASS(TTestControl, "TestUnit")
FW_REGISTER_CLASS(TTestContainer, "TestUnit")
FW_REGISTER_CLASS(TTestModule, "TestUnit")
FW_REGISTER_CLASS(TTestFrame, "TestUnit")

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
  if (Operation == opRemove && FLink && FLink.Identity() == static_cast<IInterface*>(AComponent))
    FLink.Reset();
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

void TTestTimer::DeclarePublished(TClassBuilder<TTestTimer>& C) {
  C.Property("Interval", &TTestTimer::FInterval).Default(1000);
  C.Property("Active", &TTestTimer::FActive).Default(false);
}

void TTestControl::DeclarePublished(TClassBuilder<TTestControl>& C) {
  C.Property("Left", &TTestControl::FLeft).Default(0);
  C.Property("Top", &TTestControl::FTop).Default(0);
}

TTestControl::~TTestControl() { SetParent(nullptr); }

void TTestControl::SetParent(TTestContainer* Value) {
  if (FParent == Value) return;
  if (FParent) std::erase(FParent->FControls, this);
  FParent = Value;
  if (FParent) FParent->FControls.push_back(this);
}

TComponent* TTestControl::GetParentComponent() const { return FParent; }

void TTestControl::SetParentComponent(TComponent* Value) {
  if (auto* C = dynamic_cast<TTestContainer*>(Value)) SetParent(C);
}

void TTestControl::Loaded() {
  TTestWidget::Loaded();
  ++LoadedCalls;
}

TTestContainer::~TTestContainer() {
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
}

void TTestContainer::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  const auto Controls = FControls;
  for (TTestControl* C : Controls)
    if (C->Owner() == Root) Proc(C);
}

void TTestContainer::SetChildOrder(TComponent* Child, int Order) {
  auto It = std::find(FControls.begin(), FControls.end(), Child);
  if (It == FControls.end()) return;
  auto* C = *It;
  FControls.erase(It);
  Order = std::clamp(Order, 0, static_cast<int>(FControls.size()));
  FControls.insert(FControls.begin() + Order, C);
}

TTestModule::TTestModule(TComponent* AOwner)
    : TTestContainer(AOwner), FLines(new TStringList), FTimer(new TTestTimer(this)) {
  FTimer->SetName("Timer");
  FTimer->SetSubComponent(true);
}

TTestModule::~TTestModule() { FLines->Free(); }

void TTestModule::DeclarePublished(TClassBuilder<TTestModule>& C) {
  C.Property("Lines", &TTestModule::Lines, &TTestModule::SetLines);
  C.Property("Timer", &TTestModule::Timer, nullptr);
  C.Method<&TTestModule::WidgetClick>("WidgetClick");
  C.Method<&TTestModule::WidgetKey>("WidgetKey");
}

void TTestModule::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  const auto Owned = ComponentList();
  for (TComponent* C : Owned)
    if (!C->HasParent() && !C->ComponentStyle().Contains(csSubComponent)) Proc(C);
  TTestContainer::GetChildren(Proc, Root);
}

void TTestModule::DefineProperties(TFiler* Filer) {
  TTestContainer::DefineProperties(Filer);
  auto* A = dynamic_cast<TTestModule*>(Filer->Ancestor());
  Filer->DefineBinaryProperty(
      "Data",
      [this](TStream* S) {
        Data.resize(static_cast<size_t>(S->Size()));
        S->ReadBuffer(Data.data(), S->Size());
      },
      [this](TStream* S) { S->WriteBuffer(Data.data(), static_cast<int64_t>(Data.size())); },
      A ? A->Data != Data : !Data.empty());
}

void TStreamSamples::RegisterClasses() {
  formwright::RegisterClasses({TTestWidget::StaticClass(), TTestControl::StaticClass(),
                               TTestContainer::StaticClass(), TTestModule::StaticClass(),
                               TTestFrame::StaticClass(), TTestTimer::StaticClass(),
                               TTestDataSet::StaticClass()});
}

TOwned<TTestModule> TStreamSamples::BuildModule() {
  TOwned<TTestModule> Form(new TTestModule(nullptr));
  Form->SetName("Form1");
  Form->SetCaption("H\xC3\xA9llo w\xC3\xB6rld \xE2\x9C\x93");
  Form->Lines()->Add("one");
  Form->Lines()->Add("two 'quoted'");
  for (int I = 0; I < 300; ++I) Form->Data.push_back(static_cast<uint8_t>(I * 7));
  Form->Timer()->FInterval = 250;
  Form->FWidth = 640;

  auto* Widget = new TTestWidget(Form.get());
  Widget->SetName("Widget1");
  Widget->FSmall = 7;
  Widget->FWidth = 300;
  Widget->FBig = int64_t(1) << 40;
  Widget->FUnsigned = 4000000000u;
  Widget->FLetter = 'Z';
  Widget->FWideLetter = u'\x416';
  Widget->FEnabled = false;
  Widget->FShape = tsTriangle;
  Widget->FShapes = TTestShapes{tsSquare, tsTriangle};
  Widget->FRatio = 0.1;
  Widget->FSingle = 1.5f;
  Widget->FWhen = TDateTime(45000.25);
  Widget->FWide = u"wide \x2713";
  Widget->FValue = Variant(int32_t(42));
  Widget->FColor = TTestColor(0xFF00FF);
  Widget->Font()->FName = "Mono";
  Widget->Font()->FSize = 12;
  for (int I = 0; I < 3; ++I) {
    auto* Item = static_cast<TTestItem*>(Widget->Items()->Add());
    Item->FCaption = "Item " + IntToStr(I);
    Item->FWidth = 10 * I;
  }
  Widget->FOnClick = TTestNotify(TMethod{Form->MethodAddress("WidgetClick"), Form.get()});
  Widget->FOnKey = TTestKeyEvent(TMethod{Form->MethodAddress("WidgetKey"), Form.get()});
  Widget->SetDesignInfo((20 << 16) | 10);

  auto* Panel = new TTestContainer(Form.get());
  Panel->SetName("Panel1");
  Panel->SetParent(Form.get());
  Panel->FLeft = 5;
  Panel->FTop = 6;
  auto* Button = new TTestControl(Form.get());
  Button->SetName("Button1");
  Button->SetParent(Panel);
  Button->SetCaption("OK");
  Button->SetBuddy(Widget);
  auto* Button2 = new TTestControl(Form.get());
  Button2->SetName("Button2");
  Button2->SetParent(Panel);
  Button2->FLeft = 80;
  Button2->FValue = Variant(String("text"));
  Widget->SetBuddy(Button);
  Widget->FLink = IPtr<IInterface>(static_cast<IInterface*>(Form.get()));
  return Form;
}

std::vector<uint8_t> TStreamSamples::Write(TComponent* Root, TComponent* Ancestor) {
  TOwned<TMemoryStream> S(new TMemoryStream);
  TOwned<TWriter> W(new TWriter(S.get(), 4096));
  W->WriteDescendent(Root, Ancestor);
  return S->Bytes();
}

TOwned<TMemoryStream> TStreamSamples::StreamOf(const std::vector<uint8_t>& Bytes) {
  TOwned<TMemoryStream> S(new TMemoryStream);
  S->WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
  S->SetPosition(0);
  return S;
}

std::vector<uint8_t> TStreamSamples::BinaryToText(const std::vector<uint8_t>& Binary) {
  auto In = StreamOf(Binary);
  TOwned<TMemoryStream> Out(new TMemoryStream);
  ObjectBinaryToText(In.get(), Out.get());
  return Out->Bytes();
}

std::vector<uint8_t> TStreamSamples::TextToBinary(const std::vector<uint8_t>& Text) {
  auto In = StreamOf(Text);
  TOwned<TMemoryStream> Out(new TMemoryStream);
  ObjectTextToBinary(In.get(), Out.get());
  return Out->Bytes();
}

}  // namespace formwright::testing
