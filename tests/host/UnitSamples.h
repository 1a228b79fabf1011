// A unit and a form file written the way people write them, shared by the tests of the unit's
// reader and editor.
#pragma once

#include <gmock/gmock.h>

#include "formwright/testing/TextEdits.h"
#include "platform/runtime/SysUtils.h"
#include "tests/support/Samples.h"

namespace formwright {

// A unit written by hand: comments of all three forms, a directive block, another class before
// the form class and a helper after it, private and public sections, a nested routine, strings
// and a comment that look like code, the form variable and an initialization section.
inline const String People = Sample("People.pas");

// The form of that unit.
inline const String PeopleForm = Sample("People.fwf");

using testing::Replaced;
using testing::TReplacements;
using testing::WithCrLf;

}  // namespace formwright
