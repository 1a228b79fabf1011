#include "inheritance/UpdateFiler.h"

#include <algorithm>

#include "inheritance/UpdateObject.h"
#include "platform/runtime/FilerInternals.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TUpdateFiler, "UpdateFiler")

namespace {
// Buffer size of the writer and the reader that carry the ancestor's values.
constexpr int UpdateBufferSize = 1024;
}  // namespace

TUpdateFiler::TUpdateFiler(TUpdateObject* UpdateObject, bool Compared)
    : TFiler(nullptr, 0), FUpdateObject(UpdateObject), FCompared(Compared) {}

TUpdateFiler::~TUpdateFiler() = default;

bool TUpdateFiler::Listed(const String& Name) const noexcept {
  return std::any_of(FPropertyList.begin(), FPropertyList.end(),
                     [&Name](const String& N) { return SameText(N, Name); });
}

void TUpdateFiler::Unlist(const String& Name) {
  std::erase_if(FPropertyList, [&Name](const String& N) { return SameText(N, Name); });
}

void TUpdateFiler::Define(TPersistent* Instance, TUpdateFilterState State) {
  const TValueScope<TUpdateFilterState> InState(FState, State);
  detail::DefineFilerProperties(Instance, this);
}

void TUpdateFiler::Filter() {
  if (FFiltered && FPropertyList.empty()) return;
  TPersistent* Object = FUpdateObject->Object();
  if (!Object || !FUpdateObject->AncestorObject()) return;
  SetRoot(FUpdateObject->ObjectRoot());
  SetAncestor(FUpdateObject->AncestorObject());
  Define(Object, usFilter);
  FFiltered = true;
}

void TUpdateFiler::Revert() {
  FFiltered = false;
  FCompared = false;
  FPropertyList.clear();
  Filter();
}

void TUpdateFiler::Update() {
  TPersistent* Object = FUpdateObject->Object();
  TPersistent* Ancestor = FUpdateObject->AncestorObject();
  if (FPropertyList.empty() || !Object || !Ancestor) {
    FCompared = true;
    return;
  }
  TScopeExit Done([this] {
    FWriter.reset();
    FData.reset();
  });
  SetRoot(FUpdateObject->AncestorRoot());
  // Written against the descendant object, the ancestor reports data only for the values that
  // differ: only those are carried over, and nothing is streamed when none differs.
  SetAncestor(Object);
  Define(Ancestor, usWriting);
  if (FWriter) {
    FWriter->WriteValue(vaNull);
    FWriter->WriteValue(vaNull);
    FWriter.reset();
    FData->SetPosition(0);
    TReader R(FData.get(), UpdateBufferSize);
    R.SetRoot(FUpdateObject->ObjectRoot());
    SetRoot(FUpdateObject->ObjectRoot());
    SetAncestor(Ancestor);
    const TValueScope<TReader*> Reading(FReader, &R);
    while (!R.EndOfList()) {
      FPropName = R.ReadStr();
      Define(Object, usReading);
      if (!FPropName.empty()) {
        FPropName.clear();
        R.SkipValue();
      }
    }
  }
  FCompared = true;
}

TWriter* TUpdateFiler::Writer() {
  if (!FWriter) {
    FData.reset(new TMemoryStream);
    FWriter.reset(new TWriter(FData.get(), UpdateBufferSize));
    FWriter->SetRoot(FUpdateObject->AncestorRoot());
  }
  return FWriter.get();
}

void TUpdateFiler::DefineProperty(const String& Name, const TReaderProc& ReadData,
                                  const TWriterProc& WriteData, bool HasData) {
  switch (FState) {
    case usFilter:
      if (!FFiltered && !Listed(Name)) FPropertyList.push_back(Name);
      if (FCompared && HasData) Unlist(Name);
      break;
    case usWriting:
      if (HasData && WriteData && Listed(Name)) {
        Writer()->WriteStr(Name);
        WriteData(FWriter.get());
      }
      break;
    case usReading:
      if (ReadData && !FPropName.empty() && SameText(Name, FPropName)) {
        FPropName.clear();
        ReadData(FReader);
      }
      break;
  }
}

void TUpdateFiler::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                        const TStreamProc& WriteData, bool HasData) {
  switch (FState) {
    case usFilter:
      DefineProperty(Name, nullptr, nullptr, HasData);
      break;
    case usWriting:
      if (HasData && WriteData && Listed(Name)) {
        TOwned<TMemoryStream> Block(new TMemoryStream);
        WriteData(Block.get());
        Writer()->WriteStr(Name);
        FWriter->WriteBinary(Block->Memory(), static_cast<int64_t>(Block->Bytes().size()));
      }
      break;
    case usReading:
      if (ReadData && !FPropName.empty() && SameText(Name, FPropName)) {
        FPropName.clear();
        const std::vector<uint8_t> Bytes = FReader->ReadBinary();
        TOwned<TMemoryStream> Block(new TMemoryStream);
        Block->WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
        Block->SetPosition(0);
        ReadData(Block.get());
      }
      break;
  }
}

}  // namespace formwright
