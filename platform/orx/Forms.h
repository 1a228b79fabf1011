// Forms, frames, scroll boxes and data modules: the roots of designed modules. The headless
// screen that gives forms their coordinates is in Screen.h.
#pragma once

#include "platform/orx/Menus.h"
#include "platform/orx/Screen.h"
#include "platform/runtime/Lists.h"

namespace formwright::orx {

class TCustomForm;
class TDataModule;

FW_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
FW_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
FW_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
        poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
FW_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
FW_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
FW_SET(TBorderIcons, TBorderIcon)
FW_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
FW_EVENT(TCloseEvent, void(TObject*, TCloseAction&), "(Sender: TObject; var Action: TCloseAction)")
FW_EVENT(TCloseQueryEvent, void(TObject*, bool&), "(Sender: TObject; var CanClose: Boolean)")

// One scroll bar of a scrolling control: the scrolled extent (Range) and the position.
class TControlScrollBar : public TPersistent {
  FW_CLASS(TControlScrollBar, TPersistent)
 public:
  TControlScrollBar(TWinControl* Control = nullptr, bool Horizontal = true)
      : FControl(Control), FHorizontal(Horizontal) {}
  static void DeclarePublished(TClassBuilder<TControlScrollBar>& C);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FControl; }
  int32_t Range() const noexcept { return FRange; }
  void SetRange(int32_t Value);
  // Whether the range is written: a control that scrolls automatically works it out from its
  // children whenever it is read or laid out, so only a range of one that does not is kept.
  bool IsRangeStored() const;
  // Scrolling moves the children by the difference; the position stays within the range.
  int32_t Position() const noexcept { return FPosition; }
  void SetPosition(int32_t Value);
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool Value) noexcept { FVisible = Value; }
  // The largest position: the range beyond the control's client extent.
  int32_t MaxPosition() const noexcept;

 private:
  TWinControl* FControl;
  bool FHorizontal;
  int32_t FRange = 0;
  int32_t FPosition = 0;
  bool FVisible = true;
};

// A windowed control with scroll bars. With AutoScroll the ranges cover every child.
class TScrollingWinControl : public TWinControl {
  FW_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  TControlScrollBar* HorzScrollBar() const noexcept { return FHorzScrollBar.get(); }
  void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
  TControlScrollBar* VertScrollBar() const noexcept { return FVertScrollBar.get(); }
  void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
  bool AutoScroll() const noexcept { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // Sets the ranges to the extent of the children (scroll positions included). Does nothing
  // while the automatic range is suspended.
  void CalcAutoRange();
  // Suspends the automatic range (nestable): while suspended, moving or sizing children
  // leaves the ranges as they are. The last EnableAutoRange brings the ranges up to date when
  // AutoScroll is on.
  void DisableAutoRange() noexcept { ++FAutoRangeCount; }
  void EnableAutoRange();
  bool AutoRangeSuspended() const noexcept { return FAutoRangeCount > 0; }
  // Moves every child by (DeltaX, DeltaY).
  void ScrollBy(int32_t DeltaX, int32_t DeltaY);
  // Scrolls so that `AControl` (a child at any level) is inside the client area.
  void ScrollInView(TControl* AControl);

 protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  TOwned<TControlScrollBar> FHorzScrollBar;
  TOwned<TControlScrollBar> FVertScrollBar;
  bool FAutoScroll = true;
  int FAutoRangeCount = 0;
};

class TScrollBox : public TScrollingWinControl {
  FW_CLASS(TScrollBox, TScrollingWinControl)
 public:
  explicit TScrollBox(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TScrollBox>& C);
  TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;

 private:
  TFormBorderStyle FBorderStyle = bsSingle;
};

// A designed, reusable group of controls. Placed on another module it is an inline instance
// (csInline): its components stay owned by the frame.
class TCustomFrame : public TScrollingWinControl {
  FW_CLASS(TCustomFrame, TScrollingWinControl)
 public:
  explicit TCustomFrame(TComponent* AOwner);
  // As a root: its owned components in creation order, controls under their parents.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // An inline frame owns the components read as its children.
  TComponent* GetChildOwner() override;
};

class TFrame : public TCustomFrame {
  FW_CLASS(TFrame, TCustomFrame)
 public:
  explicit TFrame(TComponent* AOwner) : TCustomFrame(AOwner) {}
  static void DeclarePublished(TClassBuilder<TFrame>& C);
};

// A top-level window: caption, borders, position on the screen, the active control, the
// main menu, and the create/destroy/show/close events of the module it is the root of.
class TCustomForm : public TScrollingWinControl {
  FW_CLASS(TCustomForm, TScrollingWinControl)
 public:
  explicit TCustomForm(TComponent* AOwner);

  TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const noexcept { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value) noexcept { FBorderIcons = Value; }
  TFormStyle FormStyle() const noexcept { return FFormStyle; }
  void SetFormStyle(TFormStyle Value) noexcept { FFormStyle = Value; }
  TPosition Position() const noexcept { return FPosition; }
  void SetPosition(TPosition Value) noexcept { FPosition = Value; }
  TWindowState WindowState() const noexcept { return FWindowState; }
  void SetWindowState(TWindowState Value) noexcept { FWindowState = Value; }
  bool KeyPreview() const noexcept { return FKeyPreview; }
  void SetKeyPreview(bool Value) noexcept { FKeyPreview = Value; }
  TMainMenu* Menu() const noexcept { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TModalResult ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(TModalResult Value) noexcept { FModalResult = Value; }

  // The control with the focus (a windowed control on this form). Raises EInvalidOperation
  // for a control of another form or one that cannot take the focus (checked only when the
  // form is neither loading nor designed); the active control stays then.
  TWinControl* ActiveControl() const noexcept { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);

  // While loading, the client size is applied in Loaded, once the menu bar is known.
  void SetClientWidth(int32_t Value);
  void SetClientHeight(int32_t Value);
  void Loaded() override;

  // The non-client frame (borders, caption and menu bar) around the client area.
  TRect NonClientMargins() const noexcept;
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  // The frame, the caption bar with the caption and border icons, the menu bar, the client area.
  void PaintTo(TCanvas& Canvas) override;

  // Shows or hides the form, placing it by Position when it appears.
  void Show();
  void Hide() { SetVisible(false); }
  void SetVisible(bool Value) override;
  // Asks OnCloseQuery, then OnClose; hides the form unless the action is caNone.
  // Returns the action taken. (A caFree form is hidden; its owner frees it.)
  TCloseAction Close();
  // Runs OnCreate (not while designing).
  void DoCreate();

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // WM_CLOSE closes the form (Close).
  void WndProc(TMessage& Message) override;

  TNotifyEvent FOnActivate;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDeactivate;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnHide;
  TNotifyEvent FOnShow;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;

 protected:
  void BeforeDestruction() override;

 private:
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDefaultPosOnly;
  TWindowState FWindowState = wsNormal;
  bool FKeyPreview = false;
  TMainMenu* FMenu = nullptr;
  TModalResult FModalResult = mrNone;
  TWinControl* FActiveControl = nullptr;
  TSize FPendingClientSize{-1, -1};
};

class TForm : public TCustomForm {
  FW_CLASS(TForm, TCustomForm)
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  static void DeclarePublished(TClassBuilder<TForm>& C);
};

// A module of non-visual components. It has no bounds of its own; the designer keeps its
// window size (DesignSize) and scroll offset (DesignOffset) with it.
class TDataModule : public TComponent {
  FW_CLASS(TDataModule, TComponent)
 public:
  explicit TDataModule(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TDataModule>& C);
  TPoint DesignOffset() const noexcept { return FDesignOffset; }
  void SetDesignOffset(TPoint Value) noexcept { FDesignOffset = Value; }
  TPoint DesignSize() const noexcept { return FDesignSize; }
  void SetDesignSize(TPoint Value) noexcept { FDesignSize = Value; }
  // The class group the module's components are meant for, as the qualified name of its
  // class ("Orx.Controls.TControl"); empty for the framework's own group. The designer sets it.
  const String& ClassGroup() const noexcept { return FClassGroup; }
  void SetClassGroup(String Value) { FClassGroup = std::move(Value); }
  // Runs OnCreate (not while designing).
  void DoCreate();
  // Its owned components in creation order (those with a parent under it).
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // Streams the design size as "Width"/"Height", the design offset as
  // "HorizontalOffset"/"VerticalOffset" and the class group as "ClassGroup", each when it
  // differs from the ancestor's.
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;

 protected:
  void BeforeDestruction() override;

 private:
  static constexpr TPoint DefaultDesignSize{215, 150};
  TPoint FDesignOffset;
  TPoint FDesignSize = DefaultDesignSize;
  String FClassGroup;
};

// The form a control sits on: its topmost parent when that is a form; null otherwise.
TCustomForm* GetParentForm(const TControl* Control) noexcept;

}  // namespace formwright::orx
