// The names of a module's components and the event methods of its design-time class: unique
// names for new components, the validation and consequences of every rename (the unit, the
// descendant modules, the modules that refer to this one), handler methods created, listed and
// renamed through the module's source, and the renames of one paste or undelete (components
// whose names were taken and the handlers that follow them).
#pragma once

#include <memory>
#include <unordered_map>

#include "moduledesigner/CompInfo.h"
#include "moduledesigner/RootLinks.h"
#include "moduledesigner/RootState.h"

namespace formwright {

// An inherited handler typed for an event when no ancestor's unit declares it (that unit may be
// missing): its signature is unknown.
inline constexpr const char* SUncheckedInheritedMethod =
    "Method %s is inherited, but no ancestor's unit declares it, so it cannot be checked against this event";

class TReader;
class TRenames;
class TEvents;

class TRootNames {
 public:
  TRootNames(TRootState& State, TRootLinks& Links);
  ~TRootNames();
  TRootNames(const TRootNames&) = delete;
  TRootNames& operator=(const TRootNames&) = delete;

  // ----- Component names -----
  // The first free name of BaseName's stem with a number ("TButton": Button1, Button2 …),
  // free in this module and, with an update manager, in every descendant module too.
  String UniqueName(const String& BaseName);
  // Called before a component of the module (or the root, for null) changes its name; raises
  // EComponentDesignerException to refuse. An accepted rename reaches the unit, the
  // descendant modules, the modules that depend on this one and the environment.
  void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  // Renames the root's component CurName; false when there is none.
  bool RenameComponent(const String& CurName, const String& NewName);
  // A component left the module: names it held may be free again.
  void NamesChanged() noexcept { FNameHints.clear(); }

  // ----- Event methods -----
  // A handler Name for events of EventInfo: made in the source (which must be writable) unless
  // it exists there with a fitting signature, then added to the design-time class. Names the
  // unit cannot use and existing handlers of another signature are refused.
  TMethod CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo);
  void GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc);
  bool MethodExists(const String& Name);
  void ShowMethod(const String& Name);
  // Renames a handler in the source, then in the design-time class.
  void RenameMethod(const String& CurName, const String& NewName);
  // Renames a method of the design-time class (and marks the module modified); nothing when
  // there is no such method.
  void RenameRootMethod(const String& CurName, const String& NewName);
  String GetMethodName(const TMethod& Method);
  bool MethodFromAncestor(const TMethod& Method);

  // ----- The renames of one paste or undelete -----
  // Starts the records of a read into the module.
  void BeginRead();
  // Ends them; a read that failed (Done false) leaves no placeholder methods behind.
  void EndRead(bool Done);
  // Reader hooks while the records exist (only for reads whose root is the module's).
  void ReaderSetName(TReader* Reader, TComponent* Component, String& Name);
  void ReaderReferenceName(TReader* Reader, String& Name);
  void ReaderFindMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error);
  // After the components are read: handlers follow their components' renames and get free
  // names; List receives the renames as Old=New.
  void RenameEvents(TStrings* List);
  // Handlers the source does not have (not in List) point at the design-time class's own
  // method of the stream's name, or nowhere; events are updated to match.
  void VerifyEvents(TStrings* List);
  void UpdateEvents();

 private:
  void ValidateRootRename(const String& CurName, const String& NewName);
  // Why Name cannot name a component (Kind "component") or a handler (Kind "method") of this
  // module, as a message; empty when it can. Names must stay apart from the words of both
  // source languages, the module's own name, types, the unit's methods and, for handlers, the
  // components (the unit's fields).
  String NameRefusal(const String& Name, const char* Kind);
  // The open descendants' update manager, when this module has one; null otherwise.
  IUpdateManager* DescendantNames() const;
  // Whether a component of this module cannot take Name: this module or one of its open
  // descendants uses it, or NameRefusal refuses it.
  bool NameTaken(const String& Name, IUpdateManager* Manager);
  void CheckMethodName(const String& Name);
  // What every accepted rename ends with: dependents, the renamed sink, the environment.
  // Tells the module's source of the rename of AComponent, with a TCompInfo describing it.
  void TellModuleRenamed(TComponent* AComponent, const String& CurName, const String& NewName);
  void RenameTail(TComponent* AComponent, const String& CurName, const String& NewName);

  TRootState& FState;
  TRootLinks& FLinks;
  // Per lower-case stem, the lowest number UniqueName may still find free.
  std::unordered_map<String, int> FNameHints;
  std::unique_ptr<TRenames> FRenames;
  std::unique_ptr<TEvents> FEvents;
  // The component information last handed to the module, kept (describing nothing) for the
  // next rename when the module let go of it; a new one is made when the module kept it.
  IPtr<ICompInfo> FSpareInfo;  // a TCompInfo
};

}  // namespace formwright
