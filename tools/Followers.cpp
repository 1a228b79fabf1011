#include "tools/Followers.h"

namespace formwright::tool {

namespace {
// The components Owner's module added itself among those Owner owns, by their names in the
// module (dotted through embedded frames, whose own additions are looked for too).
void AddedBy(TComponent* Owner, const String& Prefix, std::vector<String>& Names) {
  for (int I = 0; I < Owner->ComponentCount(); ++I) {
    TComponent* C = Owner->Components(I);
    if (!C->ComponentState().Contains(csAncestor)) Names.push_back(Prefix + C->Name());
    if (C->ComponentState().Contains(csInline)) AddedBy(C, Prefix + C->Name() + ".", Names);
  }
}
}  // namespace

TFollowersOwn::TFollowersOwn(TSession& Session, TReferenceRoot& Edited) : FSession(Session) {
  for (const IPtr<TReferenceRoot>& M : Session.Modules()) {
    if (M.Get() == &Edited) continue;
    std::vector<String> Names;
    AddedBy(M->GetRoot(), String(), Names);
    if (!Names.empty()) FOwn.emplace_back(M, std::move(Names));
  }
}

String TFollowersOwn::Gone(json& Lost) const {
  String Text;
  for (const auto& [M, Names] : FOwn) {
    std::vector<String> Gone;
    for (const String& N : Names)
      if (!M->GetComponent(N)) Gone.push_back(N);
    if (Gone.empty()) continue;
    String List;
    for (const String& N : Gone) List += (List.empty() ? "" : ", ") + N;
    Text += Format("%s%s: %s", Text.empty() ? "" : "; ", FSession.FileOf(*M), List);
    Lost[FSession.FileOf(*M)] = Gone;
  }
  return Text;
}

String TFollowersOwn::Check(bool Force, const char* Remedy, json& Lost) const {
  const String Text = Gone(Lost);
  if (!Text.empty() && !Force)
    throw Exception(
        Format("modules built on this one would lose components they added inside it: %s (--force %s)", Text,
               Remedy));
  return Text;
}

String LostNote(const String& Gone) {
  return Gone.empty() ? String()
                      : "; modules built on this one lost components they added inside it: " + Gone;
}

}  // namespace formwright::tool
