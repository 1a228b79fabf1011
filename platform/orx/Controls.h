// Controls of the Orx framework: the control tree beside ownership, bounds and client
// coordinates, alignment with margins and paddings, anchors, fonts and colours that follow the
// parent, tab order, z-order, action links and the standard events.
//
// A control has an owner (which frees it) and a parent (the windowed control it sits in).
// They are independent: a button owned by a form may sit in a panel. A windowed control frees
// every control it parents when it is freed, whoever owns them, as the framework always did;
// each freed control leaves its owner's component list on the way.
#pragma once

#include <memory>
#include <vector>

#include "platform/orx/Canvas.h"
#include "platform/orx/Cursors.h"
#include "platform/orx/Messages.h"
#include "platform/orx/ModalResults.h"

namespace formwright::orx {

class TWinControl;
class TControl;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

// ---------------------------------------------------------------------------------------------
// Types

FW_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
FW_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
FW_SET(TAnchors, TAnchorKind)
FW_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
        csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
        csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
        csNeedsBorderPaint, csParentBackground, csPannable, csAlignWithMargins, csGestures)
FW_SET(TControlStyle, TControlStyleItem)
FW_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)
FW_STRING_TYPE(TCaption)
FW_INT_TYPE(TTabOrder, int16_t, -1, 32767)
FW_INT_TYPE(THelpContext, int32_t, INT32_MIN, INT32_MAX)
FW_INT_TYPE(TImageIndex, int32_t, INT32_MIN, INT32_MAX)

inline const TAnchors AnchorAlign[] = {{akLeft, akTop},
                                       {akLeft, akTop, akRight},
                                       {akLeft, akRight, akBottom},
                                       {akLeft, akTop, akBottom},
                                       {akRight, akTop, akBottom},
                                       {akLeft, akTop, akRight, akBottom},
                                       {akLeft, akTop}};

FW_EVENT(TNotifyEvent, void(TObject*), "(Sender: TObject)")
FW_EVENT(TMouseEvent, void(TObject*, TMouseButton, TShiftState, int32_t, int32_t),
         "(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)")
FW_EVENT(TMouseMoveEvent, void(TObject*, TShiftState, int32_t, int32_t),
         "(Sender: TObject; Shift: TShiftState; X, Y: Integer)")
FW_EVENT(TKeyEvent, void(TObject*, uint16_t&, TShiftState),
         "(Sender: TObject; var Key: Word; Shift: TShiftState)")
FW_EVENT(TKeyPressEvent, void(TObject*, char16_t&), "(Sender: TObject; var Key: Char)")

// The streaming children of a container: the components owned by `Root` whose parent component
// is `Container` (and, with IncludeUnparented, those without one), in creation order, except
// that the controls of a windowed container come in z-order (back to front). Graphic controls
// always lie below windowed ones, so each kind keeps the places its controls take in creation
// order: a module read and written again keeps its order, and one whose controls changed their
// z-order writes them so that reading restores it.
void ListChildComponents(TComponent* Container, const TGetChildProc& Proc, TComponent* Root,
                         bool IncludeUnparented);

// ---------------------------------------------------------------------------------------------
// Margins, paddings and size constraints

// The four widths of margins or padding as plain values: what an align pass reads, without
// the object a control makes only once its margins or padding are set.
struct TEdgeWidths {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  // The rectangle moved outward (Inflate) or inward (Deflate) by the widths.
  TRect Inflate(TRect R) const noexcept {
    return {R.Left - Left, R.Top - Top, R.Right + Right, R.Bottom + Bottom};
  }
  TRect Deflate(TRect R) const noexcept {
    return {R.Left + Left, R.Top + Top, R.Right - Right, R.Bottom - Bottom};
  }
};

// The space kept around a control by an align pass when the control aligns with margins
// (Margins, defaults 3), or inside a container around its aligned children (Padding,
// defaults 0). A change realigns the control's parent (margins) or the control (padding).
class TMargins : public TPersistent {
  FW_CLASS(TMargins, TPersistent)
 public:
  static constexpr int32_t DefaultWidth = 3;
  explicit TMargins(TControl* Control = nullptr, int32_t Default = DefaultWidth);
  static void DeclarePublished(TClassBuilder<TMargins>& C);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  TControl* Control() const noexcept { return FControl; }

  int32_t Left() const noexcept { return FLeft; }
  int32_t Top() const noexcept { return FTop; }
  int32_t Right() const noexcept { return FRight; }
  int32_t Bottom() const noexcept { return FBottom; }
  void SetLeft(int32_t Value) { SetMargin(FLeft, Value); }
  void SetTop(int32_t Value) { SetMargin(FTop, Value); }
  void SetRight(int32_t Value) { SetMargin(FRight, Value); }
  void SetBottom(int32_t Value) { SetMargin(FBottom, Value); }
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom);
  TEdgeWidths Widths() const noexcept { return {FLeft, FTop, FRight, FBottom}; }
  TRect Inflate(TRect R) const noexcept { return Widths().Inflate(R); }
  TRect Deflate(TRect R) const noexcept { return Widths().Deflate(R); }

 protected:
  // Told after every change: the control's parent realigns when the control aligns with
  // margins. Padding overrides it to realign the control itself.
  virtual void Changed();

 private:
  void SetMargin(int32_t& Field, int32_t Value);
  TControl* FControl;
  int32_t FLeft, FTop, FRight, FBottom;
};

class TPadding : public TMargins {
  FW_CLASS(TPadding, TMargins)
 public:
  explicit TPadding(TControl* Control = nullptr) : TMargins(Control, 0) {}
  static void DeclarePublished(TClassBuilder<TPadding>& C);

 protected:
  void Changed() override;
};

// Smallest and largest width and height a control accepts (0: no limit).
class TSizeConstraints : public TPersistent {
  FW_CLASS(TSizeConstraints, TPersistent)
 public:
  explicit TSizeConstraints(TControl* Control = nullptr) : FControl(Control) {}
  static void DeclarePublished(TClassBuilder<TSizeConstraints>& C);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  int32_t MinWidth() const noexcept { return FMinWidth; }
  int32_t MinHeight() const noexcept { return FMinHeight; }
  int32_t MaxWidth() const noexcept { return FMaxWidth; }
  int32_t MaxHeight() const noexcept { return FMaxHeight; }
  void SetMinWidth(int32_t Value);
  void SetMinHeight(int32_t Value);
  void SetMaxWidth(int32_t Value);
  void SetMaxHeight(int32_t Value);
  // The size limited to the constraints.
  int32_t ConstrainWidth(int32_t W) const noexcept;
  int32_t ConstrainHeight(int32_t H) const noexcept;

 private:
  void Changed();
  TControl* FControl;
  int32_t FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

// ---------------------------------------------------------------------------------------------
// TControl

// The largest position or size a control takes, either way. Bounds are added up through the
// parents (a control's right edge, its place on the screen), so they are kept well inside 32
// bits: eight levels of the largest bounds still add up without overflow.
inline constexpr int32_t MaxControlCoord = (1 << 28) - 1;
// Value when it lies within MaxControlCoord either way; raises ERangeError otherwise.
int32_t CheckedCoord(int64_t Value);

// Base of every visual element. Publishes its bounds and the help and hint settings; the
// layout, appearance and events are published by the descendants that show them.
class TControl : public TComponent {
  FW_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  static void DeclarePublished(TClassBuilder<TControl>& C);

  // ----- tree
  TWinControl* Parent() const noexcept { return FParent; }
  // This control as a windowed control, or null: what a cast tells, without a search of the
  // type's ancestry (the framework asks it of every control it frees or parents).
  TWinControl* AsWinControl() noexcept;
  const TWinControl* AsWinControl() const noexcept;
  // Moves the control into `AParent` (null: out of any parent). Raises EInvalidOperation for
  // the control itself or one of its own children; nothing changes then.
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // ----- bounds (in the parent's client coordinates)
  int32_t Left() const noexcept { return FLeft; }
  int32_t Top() const noexcept { return FTop; }
  int32_t Width() const noexcept { return FWidth; }
  int32_t Height() const noexcept { return FHeight; }
  void SetLeft(int32_t Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int32_t Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int32_t Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int32_t Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Moves and sizes the control; the size is limited by its constraints. A change of an
  // aligned control realigns its parent; a resized container realigns its children.
  // Positions and sizes beyond MaxControlCoord either way raise ERangeError.
  virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  TRect BoundsRect() const noexcept { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  // The client area in client coordinates; the whole control unless a descendant has a frame.
  virtual TRect ClientRect() const;
  int32_t ClientWidth() const { return ClientRect().Width(); }
  int32_t ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int32_t Value) {
    SetWidth(CheckedCoord(int64_t{FWidth} - ClientWidth() + CheckedCoord(Value)));
  }
  void SetClientHeight(int32_t Value) {
    SetHeight(CheckedCoord(int64_t{FHeight} - ClientHeight() + CheckedCoord(Value)));
  }
  // Screen position of the client area's origin: the parent's client origin plus the
  // control's position plus its frame; a control without parent stands at its position.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;
  // Client coordinates of this control ↔ client coordinates of `AParent` (the direct parent
  // by default); raises EInvalidOperation when `AParent` is not an ancestor.
  TPoint ClientToParent(TPoint P, TWinControl* AParent = nullptr) const;
  TPoint ParentToClient(TPoint P, TWinControl* AParent = nullptr) const;
  // The nested objects below are made the first time they are asked for: most controls of a
  // large module keep their defaults, and a control without the object stores none of it.
  TSizeConstraints* Constraints() const;
  void SetConstraints(TSizeConstraints* Value) { Constraints()->Assign(Value); }
  bool IsConstraintsStored() const noexcept { return FConstraints != nullptr; }
  // The size limited to the constraints (any size not below 0 without them).
  int32_t ConstrainWidth(int32_t W) const noexcept;
  int32_t ConstrainHeight(int32_t H) const noexcept;

  // ----- layout
  TAlign Align() const noexcept { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const noexcept { return FAnchors; }
  void SetAnchors(TAnchors Value);
  bool IsAnchorsStored() const { return !(FAnchors == AnchorAlign[FAlign]); }
  TMargins* Margins() const;
  void SetMargins(TMargins* Value) { Margins()->Assign(Value); }
  bool IsMarginsStored() const noexcept { return FMargins != nullptr; }
  // The margins' widths, without making the margins object.
  TEdgeWidths MarginWidths() const noexcept;
  bool AlignWithMargins() const noexcept { return FControlStyle.Contains(csAlignWithMargins); }
  void SetAlignWithMargins(bool Value);
  // True when the control takes part in its parent's layout: visible, or shown by a designer.
  bool ShowsInLayout() const noexcept;

  // ----- state and appearance
  bool Visible() const noexcept { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const noexcept { return FEnabled; }
  virtual void SetEnabled(bool Value);
  const String& Caption() const noexcept { return FText; }
  void SetCaption(const String& Value) { SetText(Value); }
  const String& Text() const noexcept { return FText; }
  void SetText(const String& Value);
  TFont* Font() const noexcept { return &FFont; }
  void SetFont(TFont* Value) { FFont.Assign(Value); }
  bool ParentFont() const noexcept { return FParentFont; }
  void SetParentFont(bool Value);
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const noexcept { return FParentColor; }
  void SetParentColor(bool Value);
  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor Value) noexcept { FCursor = Value; }
  const String& Hint() const noexcept { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool ShowHint() const noexcept { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const noexcept { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  THelpContext HelpContext() const noexcept { return FHelpContext; }
  void SetHelpContext(THelpContext Value) noexcept { FHelpContext = Value; }
  TPopupMenu* PopupMenu() const noexcept { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TControlStyle ControlStyle() const noexcept { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) noexcept { FControlStyle = Value; }
  // The text baseline, from the control's top, that alignment guides snap to.
  virtual int32_t TextBaseline() const;
  // Paints the control's own look on Canvas, whose origin is the control's top-left corner and
  // whose font is the control's; children are painted after it by PaintControl (ControlPaint.h).
  // The base paints nothing: a control without a look of its own is invisible.
  virtual void PaintTo(TCanvas& Canvas);

  // ----- messages
  // Hands a message to WindowProc at once and answers its Result.
  intptr_t Perform(uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
  // Where the control's messages go; empty means the control's own WndProc. A designer or a
  // test that puts its handler here passes on what it does not take to the one it replaced
  // (to WndProc when that was empty).
  TWndMethod WindowProc;
  // Handles a message sent or posted to the control. The base answers 0 to every message;
  // overrides handle theirs and call the inherited one for the rest.
  virtual void WndProc(TMessage& Message);

  // ----- actions
  TBasicAction* Action() const noexcept;
  // Links the control to an action (null unlinks): the control takes the action's caption,
  // enabled state, hint, visibility and help context, and its click executes the action.
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const noexcept { return FActionLink.get(); }
  // Makes the link object of this control; descendants with more linked values (a checked
  // state) return their own link class.
  virtual TControlActionLink* CreateActionLink();
  // Takes the action's values; with CheckDefaults only into properties still at their default.
  virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);
  bool IsCaptionStored() const;
  bool IsEnabledStored() const;
  bool IsHintStored() const;
  bool IsVisibleStored() const;
  bool IsHelpContextStored() const;
  bool IsOnClickStored() const;
  bool IsFontStored() const { return !FParentFont; }
  bool IsColorStored() const { return !FParentColor; }
  // ShowHint is the parent's while ParentShowHint holds: only an own value is stored.
  bool IsShowHintStored() const { return !FParentShowHint; }

  // ----- z-order among the parent's children
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }
  virtual void SetZOrder(bool TopMost);
  // Puts the control at `Position` among its parent's controls of its kind (clamped).
  void SetZOrderPosition(int Position);

  // ----- events (fire only when the control is not being designed)
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  // Scales bounds, margins and font by M/D (a designer's Scale command, a resolution change).
  virtual void ChangeScale(int32_t M, int32_t D);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TNotifyEvent FOnResize;
  TMouseEvent FOnMouseDown;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;

 protected:
  void BeforeDestruction() override;
  void ChangeName(const String& NewName) override;
  // True when events may run (the control is not being designed).
  bool CanFire() const noexcept { return !ComponentState().Contains(csDesigning); }
  // Told after the text, the font, the size or the parent changed. The bases only keep
  // parent-dependent values current; overrides call the inherited one.
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void ParentChanged() {}
  virtual void Resize();
  // Told by the parent that its font, colour or hint setting changed.
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();
  virtual void ParentShowHintChanged();
  // Asks the parent to realign when the control takes part in alignment or anchoring.
  void RequestAlign();
  // Records the position relative to the parent's size for anchoring.
  void UpdateAnchorRules();
  // Applies the bounds without realigning or updating the anchor rules (used by align passes).
  void SetAlignedBounds(const TRect& R);

 private:
  friend class TWinControl;
  friend class TMargins;
  friend class TSizeConstraints;
  template <class C>
  friend void PublishLayout(TClassBuilder<C>& B);
  template <class C>
  friend void PublishAppearance(TClassBuilder<C>& B);
  template <class C>
  friend void PublishColor(TClassBuilder<C>& B, bool ParentColorDefault);
  void MarginsChanged();
  void ConstraintsChanged() { SetBounds(FLeft, FTop, FWidth, FHeight); }

  TWinControl* FParent = nullptr;
  int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  TRect FAnchorOrigin;
  TSize FAnchorParentSize;
  bool FAnchorRulesValid = false;
  bool FWindowed = false;  // a TWinControl (AsWinControl)
  bool FVisible = true;
  bool FEnabled = true;
  String FText;
  // The font lives inside the control (every control paints or measures with one): it is part of
  // its state, handed out by pointer for the property that publishes it, and never freed on its
  // own. Mutable: the const accessor hands it out for change.
  mutable TFont FFont;
  bool FParentFont = true;
  bool FUpdatingFromParent = false;
  TColor FColor = clWindow;
  bool FParentColor = true;
  TCursor FCursor = crDefault;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  THelpContext FHelpContext = THelpContext(0);
  TPopupMenu* FPopupMenu = nullptr;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  // Made on first use (Margins, Constraints); mutable for the const accessors that make them.
  mutable TOwned<TMargins> FMargins;
  mutable TOwned<TSizeConstraints> FConstraints;
  TOwned<TControlActionLink> FActionLink;
};

// ---------------------------------------------------------------------------------------------
// TWinControl

// A windowed control: it parents other controls, aligns them, keeps their tab order and
// takes the keyboard focus. Controls(i) lists the non-windowed children first, then the
// windowed ones, each group bottom-most first (the framework's z-order).
class TWinControl : public TControl {
  FW_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  static void DeclarePublished(TClassBuilder<TWinControl>& C);
  // Fills the client area with the control's colour.
  void PaintTo(TCanvas& Canvas) override;

  int ControlCount() const noexcept { return static_cast<int>(FControls.size() + FWinControls.size()); }
  // Raises EListError for a bad index.
  TControl* Controls(int Index) const;
  // True for this control itself and every control below it.
  bool ContainsControl(const TControl* Control) const noexcept;
  // The child (any level) at a client point, topmost first; null when none.
  TControl* ControlAtPos(TPoint P, bool AllowDisabled = true, bool AllLevels = false) const;
  // Makes this control the parent of `AControl` (same as AControl->SetParent(this)).
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);

  // ----- alignment
  // Made the first time it is asked for, as the margins are.
  TPadding* Padding() const;
  void SetPadding(TPadding* Value) { Padding()->Assign(Value); }
  bool IsPaddingStored() const noexcept { return FPadding != nullptr; }
  // The padding's widths, without making the padding object.
  TEdgeWidths PaddingWidths() const noexcept { return FPadding ? FPadding->Widths() : TEdgeWidths{}; }
  // Runs the align pass now, unless alignment is disabled or the control is loading or being
  // destroyed (then it runs when that ends).
  void Realign();
  void DisableAlign() noexcept { ++FAlignLevel; }
  void EnableAlign();
  bool AlignDisabled() const noexcept { return FAlignLevel > 0; }
  // The rectangle the align pass lays the children out in (the client rectangle less the
  // control's own frames); the padding is taken off afterwards.
  virtual void AdjustClientRect(TRect& Rect) const {}
  // Mirrors the children's horizontal positions (and, with AllLevels, inside nested
  // containers); left and right alignments and anchors swap.
  void FlipChildren(bool AllLevels);
  // Scales the control and all its children by M/D.
  void ScaleBy(int32_t M, int32_t D);
  void ChangeScale(int32_t M, int32_t D) override;

  // ----- focus and tab order
  TTabOrder TabOrder() const noexcept;
  // Moves the control in its parent's tab order (-1 or too large: last).
  void SetTabOrder(TTabOrder Value);
  bool TabStop() const noexcept { return FTabStop; }
  void SetTabStop(bool Value) noexcept { FTabStop = Value; }
  // Appends the windowed controls below this one in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The next (or previous) control after `CurControl` in the tab order of this container that
  // can take the focus, wrapping around; null when there is none.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  // Visible and enabled, as are all its parents.
  virtual bool CanFocus() const;
  bool Focused() const;
  // Makes this control the active control of its form; raises EInvalidOperation when it
  // cannot take the focus.
  void SetFocus();
  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);

  // ----- streaming
  // Lists the child controls owned by `Root` (see ListChildComponents).
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // Moves `Child` to position `Order` among the children GetChildren lists: a control takes the
  // z-order place of the control listed there; a component of another kind moves among its
  // owner's components.
  void SetChildOrder(TComponent* Child, int Order) override;
  void Loaded() override;

  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyPressEvent FOnKeyPress;
  TKeyEvent FOnKeyUp;

 protected:
  void BeforeDestruction() override;
  void Resize() override;
  void FontChanged() override;
  void ParentColorChanged() override;
  void ParentShowHintChanged() override;
  // Lays out the children inside `Rect` (already adjusted): aligned children by kind (top,
  // bottom, left, right, client, custom), then anchored ones. `AControl` is the child whose
  // change caused the pass; it goes first among children at the same position.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // Places an alCustom child; the base leaves it where it is.
  virtual void CustomAlignPosition(TControl* Control, int32_t& NewLeft, int32_t& NewTop, int32_t& NewWidth,
                                   int32_t& NewHeight, TRect& AlignRect) {}
  void RealignFor(TControl* AControl);

 private:
  friend class TControl;
  void Attach(TControl* AControl);
  void Detach(TControl* AControl);
  std::vector<TControl*>& ListOf(const TControl* AControl);
  // The controls of that kind (windowed or not) owned by `Root`, in z-order.
  std::vector<TControl*> OwnedControls(bool Windowed, const TComponent* Root) const;
  friend void ListChildComponents(TComponent*, const TGetChildProc&, TComponent*, bool);
  template <class C>
  friend void PublishFocusEvents(TClassBuilder<C>& B);
  void ApplyAnchors(TControl* Control, TSize ClientSize);

  std::vector<TControl*> FControls;
  std::vector<TControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  mutable TOwned<TPadding> FPadding;
  int FAlignLevel = 0;
  bool FAligning = false;
  bool FAlignPending = false;
  bool FTabStop = false;
  TTabOrder FTabOrder = TTabOrder(-1);
};

inline TWinControl* TControl::AsWinControl() noexcept {
  return FWindowed ? static_cast<TWinControl*>(this) : nullptr;
}
inline const TWinControl* TControl::AsWinControl() const noexcept {
  return FWindowed ? static_cast<const TWinControl*>(this) : nullptr;
}

// The recording canvas a control paints on by itself, made on first use.
class TOwnCanvas {
 public:
  TRecordingCanvas& Get() const {
    if (!FCanvas) FCanvas.reset(new TRecordingCanvas);
    return *FCanvas;
  }

 private:
  mutable TOwned<TRecordingCanvas> FCanvas;
};

// A control without a window of its own (labels, shapes, images): it cannot parent controls
// or take the focus. It paints on its canvas, which records what was drawn.
class TGraphicControl : public TControl {
  FW_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  // The canvas Paint draws on: the one PaintTo was given while it runs, else the control's
  // own recording canvas.
  TCanvas* Canvas() const;
  // The control's own recording canvas, made the first time it is needed (most controls of a
  // large module are never painted on their own).
  TRecordingCanvas* Recording() const { return &FCanvas.Get(); }
  // Clears the recording canvas, gives it the control's font and client rectangle, and paints.
  void Repaint();
  // Runs Paint on Canvas.
  void PaintTo(TCanvas& Canvas) override;

 protected:
  // Draws the control on Canvas(); the base draws nothing.
  virtual void Paint() {}

 private:
  TOwnCanvas FCanvas;
  TCanvas* FPaintCanvas = nullptr;
};

// A windowed control that paints itself (panels, custom controls) on its canvas.
class TCustomControl : public TWinControl {
  FW_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  // As TGraphicControl's: the canvas of PaintTo while it runs, else the recording one.
  TCanvas* Canvas() const;
  TRecordingCanvas* Recording() const { return &FCanvas.Get(); }
  // Clears the recording canvas, gives it the control's font and client rectangle, and paints.
  void Repaint();
  // Runs Paint on Canvas.
  void PaintTo(TCanvas& Canvas) override;

 protected:
  virtual void Paint() {}

 private:
  TOwnCanvas FCanvas;
  TCanvas* FPaintCanvas = nullptr;
};

// Prepares `Canvas` for painting `Control`: the control's font and colour (a solid brush), and
// its client rectangle as the clip rectangle.
void PrepareCanvas(TCanvas* Canvas, const TControl* Control);

// ---------------------------------------------------------------------------------------------
// Publishing groups: the property sets that framework classes publish together. The plain
// settings are read straight from their fields (a writer reads them without a call).

template <class C>
void PublishLayout(TClassBuilder<C>& B) {
  B.Property("Align", &TControl::FAlign, &C::SetAlign).Default(alNone);
  B.Property("AlignWithMargins", &C::AlignWithMargins, &C::SetAlignWithMargins).Default(false);
  B.Property("Anchors", &C::Anchors, &C::SetAnchors).Stored(&C::IsAnchorsStored);
  B.Property("Constraints", &C::Constraints, &C::SetConstraints).Stored(&C::IsConstraintsStored);
  B.Property("Enabled", &TControl::FEnabled, &C::SetEnabled).Default(true).Stored(&C::IsEnabledStored);
  B.Property("Visible", &TControl::FVisible, &C::SetVisible).Default(true).Stored(&C::IsVisibleStored);
}
template <class C>
void PublishAppearance(TClassBuilder<C>& B) {
  B.Property("Font", &C::Font, &C::SetFont).Stored(&C::IsFontStored);
  B.Property("ParentFont", &TControl::FParentFont, &C::SetParentFont).Default(true);
  B.Property("ParentShowHint", &TControl::FParentShowHint, &C::SetParentShowHint).Default(true);
  B.Property("PopupMenu", &C::PopupMenu, &C::SetPopupMenu);
  B.Property("ShowHint", &TControl::FShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored);
}
// `ParentColorDefault` is the class's initial ParentColor.
template <class C>
void PublishColor(TClassBuilder<C>& B, bool ParentColorDefault) {
  B.Property("Color", &TControl::FColor, &C::SetColor).Stored(&C::IsColorStored);
  B.Property("ParentColor", &TControl::FParentColor, &C::SetParentColor).Default(ParentColorDefault);
}
template <class C>
void PublishMouseEvents(TClassBuilder<C>& B) {
  B.Property("OnClick", &TControl::FOnClick, &TControl::FOnClick).Stored(&C::IsOnClickStored);
  B.Property("OnDblClick", &TControl::FOnDblClick, &TControl::FOnDblClick);
  B.Property("OnMouseDown", &TControl::FOnMouseDown, &TControl::FOnMouseDown);
  B.Property("OnMouseMove", &TControl::FOnMouseMove, &TControl::FOnMouseMove);
  B.Property("OnMouseUp", &TControl::FOnMouseUp, &TControl::FOnMouseUp);
}
template <class C>
void PublishFocusEvents(TClassBuilder<C>& B) {
  B.Property("TabOrder", &C::TabOrder, &C::SetTabOrder).Default(-1);
  B.Property("TabStop", &TWinControl::FTabStop, &C::SetTabStop);
  B.Property("OnEnter", &TWinControl::FOnEnter, &TWinControl::FOnEnter);
  B.Property("OnExit", &TWinControl::FOnExit, &TWinControl::FOnExit);
  B.Property("OnKeyDown", &TWinControl::FOnKeyDown, &TWinControl::FOnKeyDown);
  B.Property("OnKeyPress", &TWinControl::FOnKeyPress, &TWinControl::FOnKeyPress);
  B.Property("OnKeyUp", &TWinControl::FOnKeyUp, &TWinControl::FOnKeyUp);
}

}  // namespace formwright::orx
