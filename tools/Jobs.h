// One verb over many module files on several cores.
#pragma once

#include <optional>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright::tool {

// A verb line split into one line per module file: the verb with that file and the other words.
struct TJobPlan {
  String Verb;
  std::vector<String> Files;
  std::vector<std::vector<String>> Lines;  // one per file, in file order
  bool Json = false;
};

// The plan for Words (a verb line) when the verb works file by file and names at least two
// distinct module files; none otherwise (the line then runs in one session as usual, which also
// reports its bad usage).
std::optional<TJobPlan> PlanJobs(const std::vector<String>& Words);

// Runs a plan on Jobs worker processes and returns the program's exit status.
//
// The design package keeps its state (class registry, package object, open modules) in one
// process and is not made for threads, so every worker is a process of its own with its own
// package and session, started by fork from this single-threaded process: nothing is shared.
// Each worker takes a contiguous share of the files, runs the verb on each file and sends back
// what it printed; then it writes every form and unit it changed to a temporary file beside it
// and hands those over without putting them in place. Only when every worker succeeded does
// this process put all of them in place in one batch (all or nothing, as a single session
// does); otherwise it removes them all and reports the failure of the first file, in file
// order, that failed. Output is printed in file order once everything is saved; a progress line
// shows on standard error while the workers run, on a terminal only.
int RunJobs(const TJobPlan& Plan, int Jobs);

// The number of cores this process may use.
int CoreCount();

}  // namespace formwright::tool
