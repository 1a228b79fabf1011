// What the verbs print: reading verbs build JSON documents, which are printed as they are
// (--json) or rendered as text for people; editing verbs report in sentences.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdio>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright::tool {

using json = nlohmann::ordered_json;

// The kinds of documents the reading verbs produce; each has its own text rendering.
// Rendered: the verb renders its own text (Add with a text); a tree's text is rendered by the
// verb too (RenderTree), from the components rather than from its document.
enum class TDocKind { Tree, Properties, Handlers, Lines, Rendered };

// Collects the documents of one verb (one per module file) and prints them at the end: with
// --json a single document prints as an object and several as an array; as text each is
// rendered in turn. Sentences of editing verbs go to the output at once (the program holds its
// output back until the command has succeeded). A progress line
// on standard error shows which file is being read when many are, on a terminal only.
class TOutput {
 public:
  explicit TOutput(bool Json, std::FILE* Out = stdout, std::FILE* Err = stderr)
      : FJson(Json), FOut(Out), FErr(Err) {}
  ~TOutput();

  bool Json() const noexcept { return FJson; }
  // Where the documents and sentences go (the verbs of a script write where the script does).
  std::FILE* File() const noexcept { return FOut; }
  void Add(TDocKind Kind, json Doc) { Add(Kind, std::move(Doc), String()); }
  // A document of Kind the verb has rendered itself (a tree): Text is printed in its place as
  // text, Doc with --json.
  void Add(TDocKind Kind, json Doc, String Text);
  // A document the verb renders itself: Text is printed as it is, Doc with --json.
  void Add(json Doc, String Text);
  // Prints the collected documents and forgets them.
  void Flush();
  void Say(const String& Line);
  // What an edit did: the sentence for people, Record (a document) with --json.
  void Say(const String& Line, json Record);
  // Progress over Count files: shown only on a terminal and only for more than a few files.
  void Progress(size_t Index, size_t Count, const String& File);
  void EndProgress();

 private:
  bool FJson;
  std::FILE* FOut;
  std::FILE* FErr;
  bool FProgressShown = false;
  struct TDoc {
    TDocKind Kind;
    json Doc;
    String Text;  // its text when the verb rendered it
  };
  std::vector<TDoc> FDocs;
};

// Text renderings of the documents (exposed for the tests of their layout).
// The component tree of a module: a heading naming File, the module, its class, its ancestor
// and its form ("text"), then Lines (each a component, indented by its depth, and what is noted
// of it) in two columns.
String RenderTree(const String& File, const String& Module, const String& Class, const String& Ancestor,
                  const String& Form, const std::vector<std::pair<String, String>>& Lines);
String RenderProperties(const json& Doc);
String RenderHandlers(const json& Doc);
// The lines of one string list, exactly as they are, one per output line.
String RenderLines(const json& Doc);
// Rows of cells in aligned columns, each line after Indent, the first row being the header.
String RenderTable(const std::vector<std::vector<String>>& Rows, const String& Indent);
// The columns a text takes on a terminal (wide East Asian characters take two, combining marks
// none).
size_t TextWidth(std::string_view Text);

}  // namespace formwright::tool
