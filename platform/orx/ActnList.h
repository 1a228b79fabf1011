// Actions: commands kept apart from the controls and menu items that invoke them. An action
// is a component owned by the module (the form or data module); an action list groups
// actions without owning them (the list's owner does). Clients follow an action through an
// action link: they take the action's caption, enabled state, hint and so on, and keep
// following each value for as long as they still show the action's value.
#pragma once

#include <vector>

#include "platform/orx/Controls.h"
#include "platform/orx/ShortCuts.h"

namespace formwright::orx {

class TBasicAction;
class TContainedActionList;

FW_EVENT(TActionEvent, void(TBasicAction*, bool&), "(Action: TBasicAction; var Handled: Boolean)")

// The connection of one client (a control, a menu item) to its action. The action tells the
// link before it changes a value; the link passes the value on where the client still shows
// the action's current one (the Is…Linked tests).
class TBasicActionLink : public TObject {
  FW_CLASS(TBasicActionLink, TObject)
 public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicAction* Action() const noexcept { return FAction; }
  // Moves the link to another action (or none).
  void SetAction(TBasicAction* Value);
  // Runs the action; false when it has no handler or is disabled.
  virtual bool Execute(TComponent* Target = nullptr);
  virtual bool Update();

  virtual bool IsCaptionLinked() const { return false; }
  virtual bool IsCheckedLinked() const { return false; }
  virtual bool IsEnabledLinked() const { return false; }
  virtual bool IsHelpContextLinked() const { return false; }
  virtual bool IsHintLinked() const { return false; }
  virtual bool IsImageIndexLinked() const { return false; }
  virtual bool IsShortCutLinked() const { return false; }
  virtual bool IsVisibleLinked() const { return false; }
  virtual bool IsOnExecuteLinked() const { return false; }
  virtual void SetCaption(const String& Value) {}
  virtual void SetChecked(bool Value) {}
  virtual void SetEnabled(bool Value) {}
  virtual void SetHelpContext(THelpContext Value) {}
  virtual void SetHint(const String& Value) {}
  virtual void SetImageIndex(TImageIndex Value) {}
  virtual void SetShortCut(TShortCut Value) {}
  virtual void SetVisible(bool Value) {}
  virtual void SetOnExecute(const TNotifyEvent& Value) {}

 private:
  TBasicAction* FAction = nullptr;
};

// An action: a command with an execute and an update handler and the clients linked to it.
class TBasicAction : public TComponent {
  FW_CLASS(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TBasicAction>& C);
  // Calls OnExecute; false when there is none or the action is being designed.
  virtual bool Execute();
  // Calls OnUpdate; false when there is none or the action is being designed.
  virtual bool Update();
  int ClientCount() const noexcept { return static_cast<int>(FClients.size()); }
  TBasicActionLink* Clients(int Index) const { return FClients.at(static_cast<size_t>(Index)); }

  TNotifyEvent FOnExecute;
  TNotifyEvent FOnUpdate;

 protected:
  void BeforeDestruction() override;
  // Calls `Proc` for every link, last registered first, so a link may leave during the call.
  template <class F>
  void ForEachClient(F&& Proc) {
    for (size_t I = FClients.size(); I-- > 0;)
      if (I < FClients.size()) Proc(FClients[I]);
  }

 private:
  friend class TBasicActionLink;
  std::vector<TBasicActionLink*> FClients;
};

// An action that belongs to an action list, with the values its clients show.
class TContainedAction : public TBasicAction {
  FW_CLASS(TContainedAction, TBasicAction)
 public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  static void DeclarePublished(TClassBuilder<TContainedAction>& C);

  TContainedActionList* ActionList() const noexcept { return FActionList; }
  // Moves the action into another list (or none); the owner does not change.
  void SetActionList(TContainedActionList* Value);
  // Position in the action list (-1 without list).
  int Index() const noexcept;
  void SetIndex(int Value);
  const String& Category() const noexcept { return FCategory; }
  void SetCategory(const String& Value) { FCategory = Value; }

  const String& Caption() const noexcept { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const noexcept { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool Value);
  THelpContext HelpContext() const noexcept { return FHelpContext; }
  void SetHelpContext(THelpContext Value);
  const String& Hint() const noexcept { return FHint; }
  void SetHint(const String& Value);
  TImageIndex ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(TImageIndex Value);
  TShortCut ShortCut() const noexcept { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool Value);
  bool AutoCheck() const noexcept { return FAutoCheck; }
  void SetAutoCheck(bool Value) noexcept { FAutoCheck = Value; }
  void SetOnExecute(const TNotifyEvent& Value);

  // The list asks first (its OnExecute / OnUpdate may handle the action).
  bool Execute() override;
  bool Update() override;

  bool HasParent() const override { return FActionList != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  void BeforeDestruction() override;

 private:
  friend class TContainedActionList;
  // Tells every client (through `Tell`) before the field takes the new value.
  template <class T, class A>
  void Propagate(T& Field, const T& Value, void (TBasicActionLink::*Tell)(A)) {
    if (Field == Value) return;
    ForEachClient([&](TBasicActionLink* L) { (L->*Tell)(Value); });
    Field = Value;
  }
  TContainedActionList* FActionList = nullptr;
  String FCategory;
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  THelpContext FHelpContext = THelpContext(0);
  String FHint;
  TImageIndex FImageIndex = TImageIndex(-1);
  TShortCut FShortCut = TShortCut(0);
  bool FVisible = true;
  bool FAutoCheck = false;
};

// An action whose execution first brings it up to date and respects its enabled state.
class TCustomAction : public TContainedAction {
  FW_CLASS(TCustomAction, TContainedAction)
 public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
  // Updates the action, then executes it when enabled (toggling Checked with AutoCheck).
  bool Execute() override;
};

class TAction : public TCustomAction {
  FW_CLASS(TAction, TCustomAction)
 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
  static void DeclarePublished(TClassBuilder<TAction>& C);
};

// A list of actions. It does not own them; freeing the list frees its actions, as the
// framework always did (they have no place without it).
class TContainedActionList : public TComponent {
  FW_CLASS(TContainedActionList, TComponent)
 public:
  explicit TContainedActionList(TComponent* AOwner) : TComponent(AOwner) {}
  static void DeclarePublished(TClassBuilder<TContainedActionList>& C);

  int ActionCount() const noexcept { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int Index) const;
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  // Gives OnExecute / OnUpdate the chance to handle the action; true when handled.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // Lists the actions owned by `Root`, in list order.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

  TActionEvent FOnExecute;
  TActionEvent FOnUpdate;
  TNotifyEvent FOnChange;

 protected:
  void BeforeDestruction() override;
  void Change();

 private:
  friend class TContainedAction;
  std::vector<TContainedAction*> FActions;
};

class TCustomActionList : public TContainedActionList {
  FW_CLASS(TCustomActionList, TContainedActionList)
 public:
  explicit TCustomActionList(TComponent* AOwner) : TContainedActionList(AOwner) {}
};

class TActionList : public TCustomActionList {
  FW_CLASS(TActionList, TCustomActionList)
 public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// The link of a control: caption, enabled state, hint, visibility, help context and the
// click handler follow the action.
class TControlActionLink : public TBasicActionLink {
  FW_CLASS(TControlActionLink, TBasicActionLink)
 public:
  explicit TControlActionLink(TControl* Client) : FClient(Client) {}
  TControl* Client() const noexcept { return FClient; }
  bool IsCaptionLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHelpContextLinked() const override;
  bool IsHintLinked() const override;
  bool IsVisibleLinked() const override;
  bool IsOnExecuteLinked() const override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(THelpContext Value) override;
  void SetHint(const String& Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(const TNotifyEvent& Value) override;

 protected:
  TContainedAction* Contained() const noexcept;

 private:
  TControl* FClient;
};

// Runs the click of an action client: its own handler when that differs from the action's
// OnExecute, otherwise the action, otherwise the handler.
void ClickClient(TComponent* Sender, const TNotifyEvent& OnClick, TBasicActionLink* Link);

// Hooks through which the designer package registers standard action classes with the
// framework (installed and cleared by that package; calls while unset do nothing).
using TRegisterActionsProc = void (*)(const String& CategoryName, const std::vector<TClass>& AClasses,
                                      TClass Resource);
using TUnRegisterActionsProc = void (*)(const std::vector<TClass>& AClasses);
using TEnumActionProc = std::function<void(const String& Category, TClass ActionClass, void* Info)>;
using TEnumActionsProc = void (*)(const TEnumActionProc& Proc, void* Info);
using TCreateActionProc = TBasicAction* (*)(TComponent* AOwner, TClass ActionClass);
struct TActionRegistrationHooks {
  TRegisterActionsProc RegisterActionsProc = nullptr;
  TUnRegisterActionsProc UnRegisterActionsProc = nullptr;
  TEnumActionsProc EnumRegisteredActionsProc = nullptr;
  TCreateActionProc CreateActionProc = nullptr;
};
TActionRegistrationHooks& ActionRegistrationHooks() noexcept;
void RegisterActions(const String& CategoryName, const std::vector<TClass>& AClasses, TClass Resource);
void UnRegisterActions(const std::vector<TClass>& AClasses);
void EnumRegisteredActions(const TEnumActionProc& Proc, void* Info);
// Creates an action through the hook, or directly when no hook is installed.
TBasicAction* CreateAction(TComponent* AOwner, TClass ActionClass);

}  // namespace formwright::orx
