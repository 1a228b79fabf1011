// The filer through which an update node follows the defined (unpublished) properties of its
// object: the names of the defined properties that still follow the ancestor, and the copy of
// their ancestor values into the descendant.
#pragma once

#include <memory>
#include <vector>

#include "platform/runtime/Filer.h"

namespace formwright {

class TUpdateObject;

// What DefineProperties is being run for: sorting out which defined properties still follow,
// writing the ancestor's values, or reading them into the descendant.
enum TUpdateFilterState : uint8_t { usFilter, usReading, usWriting };

// One per update node. An object's DefineProperties runs against it as against any filer: while
// filtering it collects the names of the defined properties and drops those whose value differs
// from the ancestor's; while updating it writes the ancestor's values of the names still listed
// and reads them back into the descendant object. Defined property names match without regard
// to letter case.
class TUpdateFiler : public TFiler {
  FW_CLASS(TUpdateFiler, TFiler)
 public:
  // UpdateObject: the node whose object and ancestor object the filer serves (not owned).
  // Compared false keeps every defined property at first (an object just copied from its
  // ancestor follows it in everything).
  TUpdateFiler(TUpdateObject* UpdateObject, bool Compared);
  ~TUpdateFiler() override;

  // Brings the list of following names up to date: the first time every defined property's
  // name is listed; once compared, a name whose object reports data against the ancestor (a
  // value of its own) is dropped and never comes back.
  void Filter();
  // Copies the ancestor's values of the listed properties into the object (through a writer
  // and a reader over a memory stream); the filer counts as compared afterwards.
  void Update();
  // Puts every defined property back among those that follow (the object takes the ancestor's
  // values again at the next Update).
  void Revert();

  const std::vector<String>& PropertyList() const noexcept { return FPropertyList; }
  TUpdateFilterState State() const noexcept { return FState; }
  bool Compared() const noexcept { return FCompared; }

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;
  // Nothing is buffered by the filer itself.
  void FlushBuffer() override {}

 private:
  bool Listed(const String& Name) const noexcept;
  void Unlist(const String& Name);
  // Runs DefineProperties of Instance against this filer in State.
  void Define(TPersistent* Instance, TUpdateFilterState State);

  TUpdateObject* FUpdateObject;
  std::vector<String> FPropertyList;
  // The writer of the ancestor's values, made on the first value that differs.
  TWriter* Writer();
  TOwned<TMemoryStream> FData;
  TOwned<TWriter> FWriter;
  TReader* FReader = nullptr;
  TUpdateFilterState FState = usFilter;
  String FPropName;
  bool FFiltered = false;
  bool FCompared = false;
};

}  // namespace formwright
