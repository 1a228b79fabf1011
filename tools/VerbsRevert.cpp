// Putting an inherited value back: a property a module overrode takes its ancestor module's
// value again (or, inside an embedded frame, its frame module's) and follows it from then on.
#include "inheritance/UpdateManager.h"
#include "platform/runtime/TypInfo.h"
#include "tools/Inspector.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

// "OkButton.Caption", "OkButton.Font.Height", "HomeAddress.StreetEdit.Text": the longest prefix
// that names a component of the module, then the property path through nested objects.
struct TRevertTarget {
  TComponent* Component = nullptr;
  String Path;
  TPersistent* Instance = nullptr;
  PPropInfo PropInfo = nullptr;
};

TRevertTarget ParseTarget(TSession& Session, TReferenceRoot& R, const String& Word) {
  const std::vector<String> Parts = SplitString(Word, '.');
  if (Parts.size() < 2) throw EUsage(Format("'%s' is not COMPONENT.PROPERTY", Word));
  String Error;
  for (size_t K = Parts.size() - 1; K >= 1; --K) {
    String Name = Parts[0];
    for (size_t I = 1; I < K; ++I) Name += "." + Parts[I];
    TRevertTarget T;
    try {
      T.Component = Session.Component(R, Name);
    } catch (const Exception& E) {
      Error = E.Message();  // the shortest prefix's message names the first unknown part
      continue;
    }
    T.Instance = T.Component;
    for (size_t I = K; I < Parts.size(); ++I) {
      T.Path += (T.Path.empty() ? "" : ".") + Parts[I];
      T.PropInfo = T.Instance ? GetPropInfo(T.Instance, Parts[I]) : nullptr;
      if (!T.PropInfo) throw Exception(Format("%s: %s has no property %s", Session.FileOf(R), Name, T.Path));
      if (I + 1 < Parts.size())
        T.Instance = T.PropInfo->Kind() == tkClass
                         ? dynamic_cast<TPersistent*>(GetObjectProp(T.Instance, T.PropInfo))
                         : nullptr;
    }
    return T;
  }
  throw Exception(Error);
}

// Whether the property follows its ancestor already, in the manager that can revert it.
bool Follows(TReferenceRoot& R, const TRevertTarget& T) {
  std::vector<IPtr<IUpdateManager>> Managers = R.FrameUpdateManagers();
  if (IPtr<IUpdateManager> Own = R.GetUpdateManager()) Managers.insert(Managers.begin(), Own);
  for (const IPtr<IUpdateManager>& M : Managers) {
    if (!M->CanRevert(T.Instance, T.PropInfo)) continue;
    auto* Impl = Supports<IImplementation>(M)
                     ? dynamic_cast<TUpdateManager*>(Supports<IImplementation>(M)->GetInstance())
                     : nullptr;
    TUpdateObject* Node = Impl && Impl->UpdateObject() ? Impl->UpdateObject()->FindNode(T.Instance) : nullptr;
    return Node && Node->Follows(T.PropInfo->Name);
  }
  return false;
}

}  // namespace

void RevertVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    if (Args.Positional.empty()) throw EUsage("Missing COMPONENT.PROPERTY");
    for (const String& Word : Args.Positional) {
      const TRevertTarget T = ParseTarget(Session, R, Word);
      if (!T.Instance || !R.CanRevert(T.Instance, T.PropInfo))
        throw Exception(
            Format("%s: cannot revert %s: no ancestor module or frame gives it a value", File, Word));
      const bool Already = Follows(R, T);
      if (!Already) R.Revert(T.Instance, T.PropInfo);
      const String Value = FindProperty(R, {T.Component}, T.Path)->GetValue();
      Out.Say(Format(Already ? "%s: %s already has its inherited value '%s'" : "%s: %s reverted to '%s'",
                     File, Word, Value),
              {{"file", File}, {"property", Word}, {"value", Value}, {"reverted", !Already}});
    }
  });
}

}  // namespace formwright::tool
