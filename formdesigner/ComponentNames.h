// How new components are named: from their class name without its leading "T" and the first
// number that gives a free name ("TButton" gives Button1, then Button2 …). The designer names
// components it creates this way, and so does clipboard text that needs a name.
#pragma once

#include <functional>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// The stem of names made from BaseName: BaseName without its leading "T" (at most 255
// characters); a lone "T", or a name without the "T", stays as it is.
String ComponentNameStem(const String& BaseName);

// The first name Stem<N>, for N = First, First + 1 … without an upper bound, that Taken does
// not report as taken. Number, when given, receives that N.
String FirstFreeComponentName(const String& BaseName, const std::function<bool(const String&)>& Taken,
                              int First = 1, int* Number = nullptr);

}  // namespace formwright
