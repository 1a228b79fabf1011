// The Orx framework: headless controls, forms, menus, actions and graphics for the component
// model of the runtime. Include this header to use all of it.
#pragma once

#include "platform/orx/ActnList.h"
#include "platform/orx/Application.h"
#include "platform/orx/Canvas.h"
#include "platform/orx/Choices.h"
#include "platform/orx/Controls.h"
#include "platform/orx/Cursors.h"
#include "platform/orx/ExtCtrls.h"
#include "platform/orx/Forms.h"
#include "platform/orx/Graphics.h"
#include "platform/orx/ListBoxes.h"
#include "platform/orx/Menus.h"
#include "platform/orx/Pictures.h"
#include "platform/orx/ShortCuts.h"
#include "platform/orx/StatusBands.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::orx {

// Registers every framework class with the class registry, in the framework's class group
// (rooted at TControl, widened to menus, actions, data modules and the other non-visual
// framework components). The first call also makes the group active, as loading the
// framework does; later calls change nothing. Called by whoever loads the framework.
void RegisterOrxClasses();

}  // namespace formwright::orx
