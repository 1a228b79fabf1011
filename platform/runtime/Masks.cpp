// Matching is the C library's fnmatch (case folded, no escapes, '/' not special); the mask is
// checked for unclosed sets when it is made, because fnmatch takes a lone '[' literally.
#include "platform/runtime/Masks.h"

#include <fnmatch.h>

namespace formwright {

namespace {
constexpr const char* SInvalidMask = "'%s' is an invalid mask at (%d)";
}

TMask::TMask(const String& MaskValue) : FMask(MaskValue) {
  for (size_t I = 0; I < FMask.size(); ++I) {
    if (FMask[I] != '[') continue;
    size_t J = I + 1;
    if (J < FMask.size() && FMask[J] == '!') ++J;
    if (J < FMask.size() && FMask[J] == ']') ++J;  // a leading ']' is a member
    while (J < FMask.size() && FMask[J] != ']') ++J;
    if (J >= FMask.size()) throw EMaskException(Format(SInvalidMask, FMask, int(I) + 1));
    I = J;
  }
}

bool TMask::Matches(const String& FileName) const {
  return ::fnmatch(FMask.c_str(), FileName.c_str(), FNM_CASEFOLD | FNM_NOESCAPE) == 0;
}

bool MatchesMask(const String& FileName, const String& Mask) { return TMask(Mask).Matches(FileName); }

}  // namespace formwright
