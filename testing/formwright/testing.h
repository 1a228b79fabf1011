// The testing kit of the design package, for component writers who test their design-time code
// (components, property editors, component editors, guidelines) without an IDE, and for tool
// authors who test what the formwright program does to their files. Link the `fw_testing`
// library and include this header, or only the header of the role at hand:
//   formwright/testing/ModuleTest.h         a GoogleTest fixture: a fresh package, modules
//                                           opened or created on the reference host, the
//                                           inspector driven by paths ("Button1.Caption")
//   formwright/testing/EditorTest.h         a fixture for editors tested alone: a form in
//                                           memory and a recording designer
//   formwright/testing/AnswerScript.h       answers to the host's questions, and a record of
//                                           the questions asked
//   formwright/testing/Inspector.h          the inspector's rows, value lists and component
//                                           editor verbs for any designer
//   formwright/testing/RecordingDesigner.h  a designer that records what editors ask of it
//   formwright/testing/Matchers.h           Raises<E>(msg), HasMessage, StreamText, ModuleText,
//                                           StreamContains
//   formwright/testing/TempFolder.h         temporary folders
//   formwright/testing/TextEdits.h          expected files as edits of the original
//   formwright/testing/Waiting.h            pumping the main thread; a time limit per test
//   formwright/testing/Forms.h              forms built in code, an event recorder
//   formwright/testing/ProgramTest.h        the formwright program run in a scratch folder
// Everything is in the namespace formwright::testing.
#pragma once

#include "formwright/testing/AnswerScript.h"
#include "formwright/testing/EditorTest.h"
#include "formwright/testing/Forms.h"
#include "formwright/testing/Inspector.h"
#include "formwright/testing/Matchers.h"
#include "formwright/testing/ModuleTest.h"
#include "formwright/testing/ProgramTest.h"
#include "formwright/testing/RecordingDesigner.h"
#include "formwright/testing/TempFolder.h"
#include "formwright/testing/TextEdits.h"
#include "formwright/testing/Waiting.h"
