#include "formdesigner/ComponentClipboard.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "formdesigner/ComponentNames.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"

namespace formwright {

const TClipboardFormat CF_COMPONENTS = RegisterClipboardFormat("Pellam Components");
const TClipboardFormat CF_COMPONENT = RegisterClipboardFormat("Pellam Component");

namespace {

// How many bytes of clipboard text are looked at to decide whether a component follows.
constexpr int64_t PeekLength = 256;

// Moves past the integers (at most four: the copied area's bounds) that may lead a selection
// stream; they have no text form.
void SkipLeadingIntegers(TStream* Stream) {
  for (int I = 0; I < 4; ++I) {
    uint8_t Tag = 0;
    const int64_t Pos = Stream->Position();
    if (Stream->Read(&Tag, 1) != 1) return;
    const int64_t Size = Tag == vaInt8 ? 1 : Tag == vaInt16 ? 2 : Tag == vaInt32 ? 4 : 0;
    if (Size == 0) {
      Stream->SetPosition(Pos);
      return;
    }
    Stream->Seek(Size, soCurrent);
  }
}

// The next bytes of a text stream, the position kept.
String PeekText(TStream& Text) {
  const int64_t Pos = Text.Position();
  String S(static_cast<size_t>(PeekLength), '\0');
  S.resize(static_cast<size_t>(std::max<int64_t>(Text.Read(S.data(), PeekLength), 0)));
  Text.SetPosition(Pos);
  return S;
}

}  // namespace

void CopyStreamToClipboard(TStream* Stream) {
  const int64_t Pos = Stream->Position();
  TStringStream Text;
  Stream->SetPosition(0);
  try {
    SkipLeadingIntegers(Stream);
    ObjectListBinaryToText(Stream, &Text);
  } catch (...) {
    Stream->SetPosition(Pos);
    throw;
  }
  const uint8_t Zero = 0;
  Text.WriteBuffer(&Zero, 1);
  Stream->SetPosition(Pos);

  TClipboard& C = Clipboard();
  C.Open();
  struct TClose {
    TClipboard& C;
    ~TClose() { C.Close(); }
  } Close{C};
  C.SetStream(CF_COMPONENTS, Stream);
  C.SetStream(CF_TEXT, &Text);
}

TOwned<TMemoryStream> GetClipboardStream() {
  TOwned<TMemoryStream> Result(new TMemoryStream());
  TClipboard& C = Clipboard();
  if (C.HasFormat(CF_COMPONENTS)) {
    C.GetStream(CF_COMPONENTS, Result.get());
  } else {
    TStringStream Text(C.AsText());
    if (PossibleStream(PeekText(Text))) ObjectListTextToBinary(&Text, Result.get(), PossibleStream);
    EndComponentList(Result.get());
  }
  Result->SetPosition(0);
  return Result;
}

void ComponentsTextToBinary(TStream* Text, TStream* Binary) {
  ObjectListTextToBinary(Text, Binary, PossibleStream);
  EndComponentList(Binary);
}

void EndComponentList(TStream* Binary) {
  const uint8_t Zero = 0;
  Binary->WriteBuffer(&Zero, 1);
}

bool PossibleStream(std::string_view Text) {
  size_t I = 0;
  while (I < Text.size() && (Text[I] == '\t' || Text[I] == '\n' || Text[I] == '\r' || Text[I] == ' ')) ++I;
  if (Text.size() <= 6 || Text.size() - I < 6) return false;
  const std::string_view Word(Text.data() + I, 6);
  return SameText(Word, "OBJECT") || SameText(Word, "INLINE");
}

bool ClipboardComponents() {
  const TClipboard& C = Clipboard();
  return C.HasFormat(CF_COMPONENTS) || (C.HasFormat(CF_TEXT) && PossibleStream(C.AsText()));
}

void CopyComponents(TComponent* Root, const IPtr<IDesignerSelections>& Selections) {
  TMemoryStream Stream;
  {
    TWriter Writer(&Stream, 1024);
    Writer.SetRoot(Root);
    for (int I = 0; I < Selections->GetCount(); ++I) {
      auto* Component = dynamic_cast<TComponent*>(Selections->Get(I));
      if (!Component) continue;
      Writer.WriteSignature();
      Writer.WriteComponent(Component);
    }
    Writer.WriteListEnd();
  }
  CopyStreamToClipboard(&Stream);
}

void PasteComponents(TComponent* Owner, TComponent* Parent, const IPtr<IDesignerSelections>& Selections) {
  TOwned<TMemoryStream> Stream = GetClipboardStream();
  // Per name in the stream (lower case), the name its first component got.
  std::unordered_map<String, String> Renames;
  // Per owner and stem, the lowest number that may still be free: a paste only adds names.
  std::map<std::pair<TComponent*, String>, int> Hints;
  TReader Reader(Stream.get(), 1024);
  Reader.OnSetName = [&](TReader*, TComponent* Component, String& Name) {
    TComponent* ComponentOwner = Component->Owner();
    if (Name.empty() || !ComponentOwner) return;
    TComponent* Existing = ComponentOwner->FindComponent(Name);
    if (!Existing || Existing == Component) return;
    int& Hint = Hints.try_emplace({ComponentOwner, LowerCase(ComponentNameStem(Component->ClassName()))}, 1)
                    .first->second;
    String NewName = FirstFreeComponentName(
        Component->ClassName(), [&](const String& N) { return ComponentOwner->FindComponent(N) != nullptr; },
        Hint, &Hint);
    Renames.try_emplace(LowerCase(Name), NewName);
    Name = std::move(NewName);
  };
  Reader.OnReferenceName = [&](TReader*, String& Name) {
    if (auto It = Renames.find(LowerCase(Name)); It != Renames.end()) Name = It->second;
  };
  Reader.OnFindMethod = [](TReader*, const String&, void*&, bool& Error) { Error = false; };
  Reader.ReadComponents(Owner, Parent, [&](TComponent* Component) { Selections->Add(Component); });
}

}  // namespace formwright
