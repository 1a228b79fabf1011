// The module root's side of the tools interface: its form editor, the events it tells it of,
// and the replacement of the whole module by new content.
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/OTAFormEditor.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {
// What the module checks of new content before it lets go of its own: its form (text is parsed
// into the binary image) and the head of its component stream. Faults further in show when the
// module wakes (at once when it was live), as they would for the same content read from a file.
void CheckContentHead(TMemoryStream& Content) {
  TMemoryStream Binary;
  TStream* S = &Content;
  Content.SetPosition(0);
  if (TestStreamFormat(&Content) >= sofText) {
    ModuleTextToBinary(&Content, &Binary);
    Binary.SetPosition(0);
    S = &Binary;
  }
  S->ReadResHeader();
  TReader Reader(S, 256);
  Reader.ReadSignature();
  TFilerFlags Flags;
  int ChildPos = 0;
  Reader.ReadPrefix(Flags, ChildPos);
  Reader.ReadStr();
  Reader.ReadStr();
  Content.SetPosition(0);
}
}  // namespace

IPtr<IOTAFormEditor> TComponentRoot::GetFormEditor() { return IPtr<IOTAFormEditor>(FState.FormEditor); }

void TComponentRoot::ActiveChanged(bool Active) {
  if (Active && FState.FormEditor) FState.FormEditor->NotifyActivate();
}

void TComponentRoot::SetContent(std::unique_ptr<TMemoryStream> Content) {
  if (FClosed || !Content) return;
  IPtr<IRoot> Keep(static_cast<IRoot*>(this));
  const int64_t ModifyTime = GetModifyTime();
  const bool WasLive = !IsDormant();
  CheckContentHead(*Content);
  if (WasLive) {
    // Nothing may wake the module while it goes to sleep for the exchange.
    TValueScope Closing(FState.Closing, true);
    GoDormant();
  }
  std::unique_ptr<TMemoryStream> Previous = FStreams.ExchangeDormantStream(std::move(Content));
  if (WasLive) {
    try {
      Resurrect();
    } catch (...) {
      // The module wakes as it was, and the reader's error is raised.
      FStreams.ExchangeDormantStream(std::move(Previous));
      Resurrect();
      throw;
    }
  }
  Previous.reset();
  Modified();
  FStreams.SetModifyTime(ModifyTime);
}

}  // namespace formwright
