// The component streams of a module: reading a whole module (binary or text) with every reader
// hook, reading components into it (paste, undelete), writing it back in the form it was read
// in, the cached stream of its current content, the stream it sleeps as, and saving it to its
// form file with the file dates that keep a changed file on disk from being overwritten
// unasked.
#pragma once

#include <functional>
#include <memory>

#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootLinks.h"
#include "moduledesigner/RootNames.h"
#include "moduledesigner/RootState.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/StreamIntf.h"

namespace formwright {

class TMemoryStream;

class TRootStreams {
 public:
  // How a whole module is read into a root component (the root's own, overridable reading).
  using TReadObject = std::function<void(TComponent* Root, TStream* Stream)>;
  // The frame-aware creation of a component the reader meets: an inline instance of an open
  // frame module, or null to let the reader create it.
  using TCreateFrame = std::function<TComponent*(TClass ComponentClass, TComponent* Owner)>;

  TRootStreams(TRootState& State, TRootHostOperations& Host, TRootNames& Names, TRootLinks& Links,
               TReadObject ReadObject, TCreateFrame CreateFrame);
  ~TRootStreams();
  TRootStreams(const TRootStreams&) = delete;
  TRootStreams& operator=(const TRootStreams&) = delete;

  // ----- Reading a module -----
  // Tells the stream's form; text is converted to a new binary stream that the caller frees.
  // RememberFormat records the form as the module's own.
  TStream* PrepareInputStream(TStream* Stream, bool RememberFormat);
  // The same for a list of components read into the module (paste, undelete): text may hold
  // several objects and gets the list's closing value; the module's format is not touched.
  TStream* PrepareComponents(TStream* Stream);
  // The root class the stream names and the class it inherits from (a registered root base
  // class, or "TFORM" for a stream that is not inherited and names none).
  void GetCreateInfoFrom(TStream* Stream, String& ClassName, String& AncestorClassName,
                         const IPtr<IInternalRoot>& AncestorRoot);
  // Reads a whole module into Root with every module hook installed.
  void ReadObjectFromStream(TComponent* Root, TStream* Stream);
  // Writes Source as a module of its own and reads it into Target (an ancestor replayed into a
  // descendant, a frame module into an inline instance).
  void ReplayModule(TComponent* Source, TComponent* Target);
  // Reads components into the module under Parent (paste, undelete). Each top-level component
  // is handed to Read, after the host placed it from the stream's bounds into Rect when Adjust.
  void ReadStream(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect,
                  const std::function<void(TComponent*)>& Read);

  // ----- Writing and saving -----
  // Installs the module's ancestor lookup on Writer and writes one component.
  void WriteComponent(TWriter* Writer, TComponent* Component);
  // The ancestor lookup of writers: an embedded frame is written against its frame module.
  void WriterFindAncestor(TWriter* Writer, TComponent* Component, const String& Name, TComponent*& Ancestor,
                          TComponent*& RootAncestor);
  // Writes the module (as text when it is a text module) to Stream; refuses while references
  // to modules that are not open remain.
  void WriteRootStream(TStream* Stream);
  // The module's stream, positioned at 0 and owned here (cached until a change).
  TStream* GetRootStream();
  void ClearCachedStream() noexcept;
  bool HasCachedStream() const noexcept { return FCachedStream != nullptr; }
  void Save();
  // A read-only stream over the module's current content, dated ModifyTime. It takes over the
  // cached stream and gives it back when released, unless the module changed meanwhile.
  IPtr<IStream> FormFileOpen();
  void ReturnFormFileStream(std::unique_ptr<TMemoryStream> Stream, int64_t ModifyTime);
  // True (and the load time updated) when the form file changed on disk since it was read.
  bool CheckFileDate();
  // Raises "'%s' has changed on disk since it was opened; it was not overwritten" unless the
  // form file is unchanged on disk or the host's question allows replacing it.
  void ConfirmOverwrite();
  // The units the components of the last write need.
  TStringList& UnitList() noexcept { return *FUnitList; }
  const TStringList& UnitList() const noexcept { return *FUnitList; }

  // ----- Sleeping -----
  bool IsDormant() const noexcept { return FDormantStream != nullptr; }
  // The module's current stream becomes the stream it sleeps as.
  void GoDormant();
  // The stream it sleeps as, at position 0; the module woke (Wake) once it was read.
  TStream* DormantStream();
  void Wake() noexcept;
  // Stream (rewound) becomes the stream the module sleeps as; the previous one is returned.
  std::unique_ptr<TMemoryStream> ExchangeDormantStream(std::unique_ptr<TMemoryStream> Stream) noexcept;
  void Close() noexcept;

  // ----- Dates, form and read errors -----
  // The module was read or made at Time, from a stream of Size bytes (0 for a new module).
  void Loaded(int64_t Time) noexcept { FTimeAtLoad = Time; }
  void Opened(int64_t Size) noexcept {
    FSizeAtLoad = Size;
    FModifyTime = FTimeAtLoad;
  }
  // The module changed now (or, after a read with ignored errors, counts as changed).
  void Touch();
  // After a designer opened: modified now when reading met errors, else as loaded.
  void DesignerOpened();
  int64_t GetModifyTime() const noexcept { return FModifyTime; }
  void SetModifyTime(int64_t Time) noexcept { FModifyTime = Time; }
  int64_t GetTimeAtLoad() const noexcept { return FTimeAtLoad; }
  bool IsTextFormat() const noexcept { return FTextFormat; }
  void SetTextFormat(bool Value) noexcept {
    FTextFormat = Value;
    if (FStreamFormat != 0) FStreamFormat = Value ? 2 : 1;
  }
  // A module not read from a stream takes the environment's preferred form.
  void SetDefaultFormat(bool Text) noexcept {
    if (FStreamFormat == 0) FTextFormat = Text;
  }
  int GetStreamFormat() const noexcept { return FStreamFormat; }
  bool GetReadError() const noexcept { return FReadError; }
  void ClearReadError() noexcept { FReadError = false; }

  // ----- Reader hooks of whole-module reads -----
  // A handler the stream names that the design-time class lacks is added to it.
  void FindObjectMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error);
  // A class the reader does not know: an open module's designed class (when the host lets it
  // nest here), else the environment's design class of that name.
  void ReaderFindComponentClass(TReader* Reader, const String& ClassName, TClass& ComponentClass);
  // A component of the ancestor is missing: the host's question decides.
  void ReaderAncestorNotFound(TReader* Reader, const String& Name, TClass ComponentClass,
                              TComponent*& Component);
  // A read error: the host's question stops the read or ignores it (or every later one).
  void ReaderObjectError(TReader* Reader, const String& Message, bool& Handled);

 private:
  void LoadingFormModified();
  int64_t CurrentTimeStamp() const;

  TRootState& FState;
  TRootHostOperations& FHost;
  TRootNames& FNames;
  TRootLinks& FLinks;
  TReadObject FReadObject;
  TCreateFrame FCreateFrame;
  std::unique_ptr<TStringList> FUnitList;
  std::unique_ptr<TMemoryStream> FCachedStream;
  std::unique_ptr<TMemoryStream> FDormantStream;
  TRect FPasteRect;
  TRect FSelectionRect;
  int64_t FModifyTime = 0;
  int64_t FTimeAtLoad = 0;
  int64_t FSizeAtLoad = 0;
  int64_t FLastStreamSize = 0;  // of the binary stream last written
  bool FReadError = false;
  bool FTextFormat = false;
  int FStreamFormat = 0;
  bool FIgnoreAllErrors = false;
  bool FErrorAnswered = false;
};

}  // namespace formwright
