// A module's views: variants of the same form for different devices, each kept in its own form
// file beside the module's form file and designed in its own root. The module's own root is the
// master view; each view root inherits from the master and shares its module (so one unit
// serves every view). The master keeps the views by name, in the order the module lists them;
// the module keeps the same list as name=value entries (view name, the device's form-factor
// value).
//
// Every view operation asked of a view root is carried out by its master.
#pragma once

#include <vector>

#include "moduledesigner/RootState.h"
#include "platform/runtime/Devices.h"

namespace formwright {

class TStrings;

// A module's view support: the list of its views as name=value entries (view name, the
// device's value of the form-factor attribute, or a single blank), read, changed and written
// back as a whole, and the name of the attribute the module's framework designs by. A module
// without it has no views.
struct IDesignerModuleViews : virtual IInterface {
  FW_INTERFACE(IDesignerModuleViews, IInterface, "{5E0B3D20-3101-4C6A-9F21-77AA00000101}")
  // Replaces List's lines with the module's view list.
  virtual void GetViewList(TStrings* List) = 0;
  // The module's view list becomes List's lines.
  virtual void SetViewList(TStrings* List) = 0;
  virtual String GetFormFactorAttribute() = 0;
};

// A view's form file content with the time it was last modified.
struct TDatedStream {
  TStream* Stream = nullptr;
  int64_t ModifyTime = 0;
};

// A view's stored content, as a module with views hands it over when it is opened.
struct TViewContent {
  String Name;
  String FormFactor;  // empty when the module stores none
  String Content;     // the view's form file
  int64_t ModifyTime = 0;
};

// The view operations of a module root. On a view root every one is passed to its master.
struct IRootViews : virtual IInterface {
  FW_INTERFACE(IRootViews, IInterface, "{5E0B3D20-3102-4C6A-9F21-77AA00000102}")
  // The master of a view root (its ancestor when that ancestor's module is its own); none for a
  // master or an ordinary module.
  virtual IPtr<IInternalRoot> GetMasterView() = 0;
  // This root's view name; empty for the master.
  virtual String GetViewName() = 0;
  virtual String GetViewName(int Index) = 0;
  virtual int GetViewCount() = 0;
  virtual IPtr<IInternalRoot> GetView(int Index) = 0;
  // The position of the view named Name (same text, or equal regardless of letter case); -1
  // when none.
  virtual int GetViewIndex(const String& Name) = 0;
  // Adds the view Name: the module's list gets Name=the device's form-factor value (" " for
  // an unknown device or one without that attribute), a new view root inherits from the
  // master, and the view-added notification goes out. Returns the view's index, or -1 when the
  // module has no view support. A name the module lists already raises "View "%s" already
  // exists in module"; a refusal changes neither the views nor the module's list.
  virtual int AddView(const String& Name) = 0;
  // Opens the root of the view Name: from Stream when given (the view's stored content), else
  // a new root inheriting from the master (Existing: the view's form file exists and is read).
  // Appends it to the views and returns its index.
  virtual int InternalAddView(const String& Name, bool Existing, const TDatedStream* Stream) = 0;
  // Removes the view Name ("View "%s" does not exist in module" when there is none) or the one
  // at Index: its entry leaves the module's list, its root is closed, and the view-removed
  // notification goes out. The view's form file stays where it is.
  virtual void RemoveView(const String& Name) = 0;
  virtual void RemoveView(int Index) = 0;
  // Opens the views of a module that was just opened: from Source when given, else every view
  // the module lists that is not open yet. Nothing happens without view support.
  virtual void CreateDesignerViews(const std::vector<TViewContent>* Source) = 0;
  // Closes every view's root, the last first.
  virtual void CloseViews() = 0;
  // The view being designed: the master itself, or one of its views.
  virtual IPtr<IInternalRoot> GetActiveView() = 0;
  // Root is the master or one of its views; any other raises EInvalidArgument.
  virtual void SetActiveView(const IPtr<IInternalRoot>& Root) = 0;
  // The master's component that Component of a view stands for (same name; the master's root
  // component for the view's). On the master, Component itself; null when the master has no
  // such component.
  virtual TComponent* GetMasterViewComponent(TComponent* Component) = 0;
  // A view of this master was modified: the module counts as modified.
  virtual void ViewChanged(const IPtr<IInternalRoot>& View) = 0;
  // The module was renamed: its form file becomes NewFileName with the form file's extension,
  // and each view's form file follows (Unit2.Tablet.fwf for Unit2). On a view, its master is
  // renamed.
  virtual void Rename(const String& NewFileName) = 0;
  // This root's form file is now FileName (a view hears it when its master is renamed).
  virtual void FileNameChanged(const String& FileName) = 0;
};

inline constexpr const char* SViewExists = "View \"%s\" already exists in module";
inline constexpr const char* SViewNotFound = "View \"%s\" does not exist in module";
inline constexpr const char* SNotAView = "The root is neither the master nor one of its views";

// Where FileName's extension starts (its length when it has none).
size_t ExtensionPos(const String& FileName);
// The form file of view ViewName beside FileName ("Unit1.fwf", "Tablet" -> "Unit1.Tablet.fwf").
String ViewFileName(const String& FileName, const String& ViewName);

// The device registry of the current package: the standard devices until a package changes it.
TDeviceInfos& DeviceRegistry();

// The views of one root, over the root's state (TRootState::Views, ViewName, ActiveView).
class TRootViews {
 public:
  explicit TRootViews(TRootState& State) : FState(State) {}
  TRootViews(const TRootViews&) = delete;
  TRootViews& operator=(const TRootViews&) = delete;

  IPtr<IInternalRoot> GetMasterView() const;
  bool IsView() const { return bool(GetMasterView()); }
  String GetViewName(int Index);
  int GetViewCount();
  IPtr<IInternalRoot> GetView(int Index);
  int GetViewIndex(const String& Name);
  int AddView(const String& Name);
  int InternalAddView(const String& Name, bool Existing, const TDatedStream* Stream);
  void RemoveView(const String& Name);
  void RemoveView(int Index);
  void CreateDesignerViews(const std::vector<TViewContent>* Source);
  void CloseViews();
  IPtr<IInternalRoot> GetActiveView();
  void SetActiveView(const IPtr<IInternalRoot>& Root);
  TComponent* GetMasterViewComponent(TComponent* Component);

  // The master saves every view after itself and sends every view to sleep before itself.
  void SaveViews();
  void ViewsGoDormant();
  // The module's form file was renamed: every view's form file follows.
  void FileRenamed(const String& NewFileName);

 private:
  // The master's view operations when this root is a view; none on the master.
  IPtr<IRootViews> Master() const;
  IPtr<IDesignerModuleViews> Support() const;

  TRootState& FState;
};

}  // namespace formwright
