// Listing the running processes of the machine.
#pragma once

#include <sys/types.h>

#include <functional>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// Receives one running process: its id and the file name (without folder) of its program.
using TEnumProcessCallback = std::function<void(pid_t ProcessId, const String& ExeName)>;

// Calls `Callback` once per running process, from the system's process table (/proc). The name
// is that of the program file the process runs; when it cannot be read (another user's process,
// a kernel thread) the process's command name is used instead. Processes that end while the
// table is read are skipped.
void EnumProcesses(const TEnumProcessCallback& Callback);

}  // namespace formwright
