// The module's view list, kept as the name=value lines the designer reads and writes back.
#include "host/ModuleSource.h"
#include "platform/runtime/Lists.h"

namespace formwright {

void TModuleSource::GetViewList(TStrings* List) {
  List->BeginUpdate();
  List->Clear();
  for (const String& Line : FViewList) List->Add(Line);
  List->EndUpdate();
}

void TModuleSource::SetViewList(TStrings* List) { FViewList = List->ToVector(); }

}  // namespace formwright
