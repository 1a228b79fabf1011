// One run of the program: the reference host with the modules opened so far, keyed by file.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "host/root/ReferenceRoot.h"

namespace formwright::tool {

// A session opens each module file once, together with the modules it needs (its ancestor
// module and the modules of the frames it embeds), and saves the modules the verbs changed
// only when every verb of the session succeeded: a refused edit leaves every file as it was.
//
// Questions a person would answer get fixed answers: a reader error stops the read (nothing
// of a damaged file is silently dropped), links to modules that are not open refuse the save,
// and a component the ancestor no longer has is left to the reader.
class TSession {
 public:
  TSession();
  ~TSession();
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  // The open module of FileName, opening it (and what it needs) on first use. Raises when the
  // file is missing or cannot be read.
  TReferenceRoot& Module(const String& FileName);
  // The file a module was opened from, as the user named it.
  String FileOf(TReferenceRoot& Root) const;
  // The component Name (dotted through embedded frames; the root by its own name) of Root's
  // module; raises when the module has none.
  TComponent* Component(TReferenceRoot& Root, const String& Name) const;
  // A comma-separated list of component names, resolved as above, without duplicates.
  std::vector<TComponent*> Components(TReferenceRoot& Root, const String& Names) const;
  // Saves Root at the end of the session even when nothing else changed it: in place in the
  // text or binary form, or, with OutFile, as a copy in that file (with its unit beside it),
  // leaving Root's own file alone.
  void SaveAs(TReferenceRoot& Root, bool Text, const String& OutFile = String());
  // Writes every changed module to memory first (so that a refusal stops before any file is
  // touched), then saves them. Returns each file saved with the form it was saved in.
  std::vector<std::pair<String, String>> SaveChanged();
  // Modules opened so far, in opening order.
  std::vector<IPtr<TReferenceRoot>> Modules() const;
  TReferenceHost& Host() noexcept { return FHost; }

 private:
  void OpenNeeded(const String& FileName);
  // The module file in Folder whose root class is ClassName; empty when none.
  String FindModuleOfClass(const String& Folder, const String& ClassName);

  TReferenceHost FHost;
  std::vector<std::pair<String, IPtr<TReferenceRoot>>> FModules;  // (file as named, root)
  std::map<String, size_t> FIndex;                                // canonical path -> FModules
  std::set<String> FOpening;
  struct TExport {
    TReferenceRoot* Root;
    String File;
    bool Text;
  };
  std::map<TReferenceRoot*, bool> FForced;  // module -> saved as text
  std::vector<TExport> FExports;
  std::map<String, std::map<String, String>> FClassFiles;  // folder -> class (lower) -> file
};

// The root class named at the head of a module file ("object Form1: TForm1" → "TForm1"), for
// text and binary files alike; empty when the file cannot be read.
String ModuleClassOf(const String& FileName);
// The class names of the frames a module file embeds ("inline Frame11: TFrame1").
std::vector<String> EmbeddedFrameClasses(const String& FileName);
// The module file as text (binary files converted); raises when it cannot be read.
String ModuleText(const String& FileName);

}  // namespace formwright::tool
