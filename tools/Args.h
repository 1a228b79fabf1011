// Command-line words of one verb: positional arguments and options, module file patterns, and
// the splitting of script lines into words the way a shell would.
#pragma once

#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright::tool {

// Bad usage: an unknown verb or option, a missing or malformed argument. Exit code 2.
FW_EXCEPTION(EUsage, Exception);

// The options a verb accepts: flags stand alone, valued options take the next word.
struct TOptionSpec {
  std::vector<String> Flags;
  std::vector<String> Valued;
};

// The words after the verb, split into positional arguments and options. Options may come
// anywhere; "--" ends them. Raises EUsage for an option the verb does not accept or a valued
// option without its value.
class TArgs {
 public:
  TArgs(const std::vector<String>& Words, const TOptionSpec& Spec);

  std::vector<String> Positional;
  bool Has(const String& Option) const;
  // The value of a valued option; Default when it was not given.
  String Value(const String& Option, const String& Default = String()) const;
  // Leading positional arguments that name module files (see IsModuleFileArg), taken out of
  // Positional. Raises EUsage when there is none.
  std::vector<String> TakeFiles();
  // The positional argument at Index, or EUsage naming What when it is missing.
  const String& Need(size_t Index, const char* What) const;

 private:
  std::vector<std::pair<String, String>> FOptions;
};

// True for a word that names module files: a path with the form-file extension, or a glob. An
// assignment (COMPONENT.PROPERTY=VALUE: dotted names, commas and "@" before the "=") never
// names files, whatever its value holds.
bool IsModuleFileArg(const String& Word);
// Expands glob patterns (sorted, as a shell does); a name without wildcards is kept as it is,
// so that a missing file is reported when it is opened. Raises when a pattern matches nothing.
std::vector<String> ExpandFiles(const std::vector<String>& Patterns);
// Splits a script line into words as the shell would (quotes, escapes, environment variables,
// globs; command substitution is refused). Raises EUsage on bad quoting or a shell special
// character outside quotes.
std::vector<String> SplitWords(const String& Line);
// "X,Y" or "W,H" as two integers; raises EUsage naming Option otherwise.
std::pair<int, int> ParsePair(const String& Text, const String& Option);

}  // namespace formwright::tool
