#include "formwright/testing/Matchers.h"

#include "platform/runtime/ObjectText.h"

namespace formwright::testing {

String ModuleText(const String& Bytes) {
  TStringStream In(Bytes);
  if (TestStreamFormat(&In) >= sofText) return Bytes;
  TStringStream Out;
  ObjectResourceToText(&In, &Out);
  return Out.DataString();
}

String ModuleBinary(const String& Text) {
  TStringStream In(Text);
  TStringStream Out;
  ObjectTextToResource(&In, &Out);
  return Out.DataString();
}

}  // namespace formwright::testing
