// The tools-interface adapter of one persistent of a designed module: its class, its published
// properties as untyped buffers (ToolsIntf.h tells which buffer each kind uses), its place
// among the module's components and controls, and selecting, focusing and deleting it.
#pragma once

#include <optional>
#include <vector>

#include "moduledesigner/ToolsIntf.h"

namespace formwright {

class TComponentRoot;

class TOTAComponent : public TInterfacedObject, public IOTAComponent, public INTAComponent {
  FW_CLASS(TOTAComponent, TInterfacedObject)
 public:
  // Neither the persistent nor the root is owned: the adapter is valid while both live.
  TOTAComponent(TPersistent* Persistent, TComponentRoot* Root) noexcept
      : FPersistent(Persistent), FRoot(Root) {}

  // ----- IOTAComponent -----
  String GetComponentType() override;
  TPersistent* GetComponentHandle() override { return FPersistent; }
  IPtr<IOTAComponent> GetParent() override;
  bool IsTControl() override;
  int GetPropCount() override { return static_cast<int>(Props().size()); }
  String GetPropName(int Index) override;
  TTypeKind GetPropType(int Index) override;
  TTypeKind GetPropTypeByName(const String& Name) override;
  bool GetPropValue(int Index, void* Value) override { return ReadProp(Prop(Index), Value); }
  bool GetPropValueByName(const String& Name, void* Value) override { return ReadProp(Prop(Name), Value); }
  bool SetProp(int Index, const void* Value) override { return WriteProp(Prop(Index), Value); }
  bool SetPropByName(const String& Name, const void* Value) override { return WriteProp(Prop(Name), Value); }
  bool GetChildren(void* Param, const TOTAGetChildCallback& Proc) override;
  int GetControlCount() override;
  IPtr<IOTAComponent> GetControl(int Index) override;
  int GetComponentCount() override;
  IPtr<IOTAComponent> GetComponent(int Index) override;
  bool Select(bool AddToSelection) override;
  bool Focus(bool AddToSelection) override;
  bool Delete() override;

  // ----- INTAComponent -----
  TPersistent* GetPersistent() override { return FPersistent; }
  TComponent* GetComponent() override { return AsComponent(); }

 private:
  TComponent* AsComponent() const noexcept;
  bool IsRootComponent() const noexcept;
  IPtr<IOTAComponent> Adapter(TPersistent* Persistent) const;
  // The published property records, read from the type information on first use.
  const std::vector<PPropInfo>& Props();
  PPropInfo Prop(int Index);
  PPropInfo Prop(const String& Name);
  bool ReadProp(PPropInfo P, void* Value);
  bool WriteProp(PPropInfo P, const void* Value);

  TPersistent* FPersistent;
  TComponentRoot* FRoot;
  std::optional<std::vector<PPropInfo>> FProps;
};

// An adapter for Persistent of the module of Root; nil for none.
IPtr<IOTAComponent> OTAComponentOf(TPersistent* Persistent, TComponentRoot* Root);

}  // namespace formwright
