// Event signatures as the designer hands them to a module's source.
#pragma once

#include "contracts/HostIntf.h"

namespace formwright {

class TSignature : public TInterfacedObject, public IEventInfo {
 public:
  TSignature(TMethodKind Kind, std::vector<TParamInfo> Params, String Result)
      : FKind(Kind), FParams(std::move(Params)), FResult(std::move(Result)) {}
  TMethodKind GetMethodKind() override { return FKind; }
  int GetParamCount() override { return static_cast<int>(FParams.size()); }
  String GetParamName(int I) override { return FParams[size_t(I)].Name; }
  String GetParamType(int I) override { return FParams[size_t(I)].TypeName; }
  TParamFlags GetParamFlags(int I) override { return FParams[size_t(I)].Flags; }
  String GetResultType() override { return FResult; }

 private:
  TMethodKind FKind;
  std::vector<TParamInfo> FParams;
  String FResult;
};

// procedure(Sender: TObject)
inline IPtr<IEventInfo> NotifyEvent() {
  return MakeIntf<TSignature>(mkProcedure, std::vector<TParamInfo>{{{}, "Sender", "TObject"}}, "");
}

// procedure(Sender: TObject; var Key: Char)
inline IPtr<IEventInfo> KeyPressEvent() {
  return MakeIntf<TSignature>(
      mkProcedure, std::vector<TParamInfo>{{{}, "Sender", "TObject"}, {TParamFlags{pfVar}, "Key", "Char"}},
      "");
}

}  // namespace formwright
