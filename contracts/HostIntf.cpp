// What the host contract itself defines: the last guard of a module file's save and its message.
// (The slot through which the host hands the package its services is the current package's.)
#include "contracts/HostIntf.h"

namespace formwright {

const char* const SFileChangedOnDisk = "'%s' has changed on disk since it was opened; it was not overwritten";

int64_t IModuleFileSystem::WriteModuleFile(const String& FileSystem, const String& FileName, TStream* Stream,
                                           int64_t TimeAtLoad, int64_t /*ModifyTime*/) {
  if (TimeAtLoad != 0) {
    const int64_t Age = FileAge(FileSystem, FileName);
    if (Age != -1 && Age != TimeAtLoad)
      throw EComponentDesignerException(Format(SFileChangedOnDisk, FileName));
  }
  return WriteFile(FileSystem, FileName, Stream);
}

}  // namespace formwright
