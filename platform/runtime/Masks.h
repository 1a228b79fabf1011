// File-name style wildcard masks.
#pragma once

#include "platform/runtime/StreamConsts.h"

namespace formwright {

FW_EXCEPTION(EMaskException, Exception);

// A mask: `*` matches any run of characters, `?` one character, `[a-z]`, `[abc]` a character
// of a set and `[!a-z]` one outside it. Matching ignores letter case. A malformed set (an
// unclosed bracket) raises EMaskException "'%s' is an invalid mask at (%d)".
class TMask {
 public:
  explicit TMask(const String& MaskValue);
  bool Matches(const String& FileName) const;
  const String& Mask() const noexcept { return FMask; }

 private:
  String FMask;
};

// Whether `FileName` matches `Mask` (see TMask).
bool MatchesMask(const String& FileName, const String& Mask);

}  // namespace formwright
