// Shared internals of the component stream reader and writer (not for component writers).
#pragma once

#include <functional>

#include "platform/runtime/Filer.h"

namespace formwright::detail {

// A reference read from a stream that waits for its component: property `Prop` of `Instance`
// (read as part of `Component`) gets the component named `Name`, looked up from `LookupRoot`,
// then `Root` (the module), then among global components.
struct TFixup {
  TPersistent* Instance = nullptr;
  PPropInfo Prop = nullptr;
  TComponent* Component = nullptr;
  TComponent* Root = nullptr;
  TComponent* LookupRoot = nullptr;
  String Name;
  String Context;                // "Button1" of "Button1.Buddy" (the property follows), for messages
  const void* Reader = nullptr;  // the reader still responsible for it, or null
};

void AddFixup(TFixup Fixup);
// Resolves what `Reader` added; a reference that resolves to an unusable component is passed to
// `OnError` (context, message), which raises to stop. Unresolved ones stay, now global, unless
// KeepUnresolved is false (a failed read: they are dropped).
void ResolveReaderFixups(const void* Reader, const std::function<void(const String&, const String&)>& OnError,
                         bool KeepUnresolved = true);
// Drops what `Reader` added (a failed read).
void DropReaderFixups(const void* Reader) noexcept;
// Defers the Loaded call of `C` to NotifyGlobalLoading.
void AddGlobalLoaded(TComponent* C);
// Asks for where AddGlobalLoaded files `C` to be brought into the cache (a hint, given a few
// components ahead in a loop over a large module).
void PrefetchGlobalLoaded(const TComponent* C) noexcept;
// Makes room for Count more components in the innermost global loading list.
void ReserveGlobalLoaded(size_t Count);
// A downcast by the object's class record: what dynamic_cast answers for the runtime's classes,
// without its cost on hierarchies with virtual bases (streams ask it for every object).
template <class T>
T* OfClass(TObject* O) noexcept {
  return O && O->ClassType()->InheritsFrom(T::StaticClass()) ? static_cast<T*>(O) : nullptr;
}

// Calls `Instance`'s DefineProperties, plus the "Strings" property of string lists.
void DefineFilerProperties(TPersistent* Instance, TFiler* Filer);

}  // namespace formwright::detail
