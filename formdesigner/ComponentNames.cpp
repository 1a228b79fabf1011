#include "formdesigner/ComponentNames.h"

namespace formwright {

String ComponentNameStem(const String& BaseName) {
  return BaseName.size() >= 2 && BaseName[0] == 'T' ? BaseName.substr(1, 255) : BaseName;
}

String FirstFreeComponentName(const String& BaseName, const std::function<bool(const String&)>& Taken,
                              int First, int* Number) {
  const String Stem = ComponentNameStem(BaseName);
  for (int N = First;; ++N) {
    String Candidate = Format("%s%d", Stem, N);
    if (!Taken(Candidate)) {
      if (Number) *Number = N;
      return Candidate;
    }
  }
}

}  // namespace formwright
