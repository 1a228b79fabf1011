#include "formwright/testing/AnswerScript.h"

#include <gtest/gtest.h>

namespace formwright::testing {

namespace {
const char* KindName(int Kind) {
  static const char* const Names[] = {"ReaderError", "AncestorNotFound", "Fixup", "RedirectLinks",
                                      "FileChanged"};
  return Names[Kind];
}
}  // namespace

TAnswerScript& TAnswerScript::Add(TKind Kind, int Value, const String& Text) {
  FAnswers.push_back({Kind, Value, Text});
  return *this;
}

TAnswerScript& TAnswerScript::ReaderError(int Answer) { return Add(TKind::ReaderError, Answer, {}); }
TAnswerScript& TAnswerScript::AncestorNotFound(int Answer, const String& Rename) {
  return Add(TKind::AncestorNotFound, Answer, Rename);
}
TAnswerScript& TAnswerScript::Fixup(int Answer) { return Add(TKind::Fixup, Answer, {}); }
TAnswerScript& TAnswerScript::RedirectLinks(const String& Target) {
  return Add(TKind::RedirectLinks, 0, Target);
}
TAnswerScript& TAnswerScript::FileChanged(bool Replace) { return Add(TKind::FileChanged, Replace, {}); }

TAnswerScript& TAnswerScript::Strict() {
  FStrict = true;
  return *this;
}

const TAnswerScript::TAnswer* TAnswerScript::Take(TKind Kind, const String& Question) {
  FAsked.push_back(String(KindName(static_cast<int>(Kind))) + " " + Question);
  for (TAnswer& A : FAnswers)
    if (A.Kind == Kind && !A.Used) {
      A.Used = true;
      return &A;
    }
  if (FStrict)
    ADD_FAILURE() << "the host asked \"" << FAsked.back() << "\" and the script has no answer left for it";
  return nullptr;
}

void TAnswerScript::Install(THostQuestions& Questions) {
  FFallback = Questions;
  Questions.ReaderError = [this](const String& Message, const String& FormName) {
    const TAnswer* A = Take(TKind::ReaderError, Message);
    return A ? A->Value : FFallback.ReaderError(Message, FormName);
  };
  Questions.AncestorNotFound = [this](String& Name, const String& FormName, const String& AncestorName,
                                      const String& Candidates, bool CanCreate) {
    const TAnswer* A = Take(TKind::AncestorNotFound, Name + " of " + AncestorName);
    if (!A) return FFallback.AncestorNotFound(Name, FormName, AncestorName, Candidates, CanCreate);
    if (!A->Text.empty()) Name = A->Text;
    return A->Value;
  };
  Questions.Fixup = [this](const String& RootName, const String& Missing) {
    const TAnswer* A = Take(TKind::Fixup, RootName + " needs " + Missing);
    return A ? A->Value : FFallback.Fixup(RootName, Missing);
  };
  Questions.RedirectLinks = [this](TComponent* Root, const String& Missing) {
    const TAnswer* A =
        Take(TKind::RedirectLinks, (Root ? Root->Name() : String("(none)")) + " from " + Missing);
    return A ? A->Text : FFallback.RedirectLinks(Root, Missing);
  };
  Questions.FileChanged = [this](const String& FileName) {
    const TAnswer* A = Take(TKind::FileChanged, FileName);
    return A ? A->Value != 0 : FFallback.FileChanged(FileName);
  };
}

std::vector<String> TAnswerScript::Unused() const {
  std::vector<String> R;
  for (const TAnswer& A : FAnswers) {
    if (A.Used) continue;
    String Value;
    if (A.Kind == TKind::FileChanged)
      Value = A.Value ? "true" : "false";
    else if (A.Kind == TKind::RedirectLinks)
      Value = "'" + A.Text + "'";
    else
      Value = IntToStr(A.Value) + (A.Text.empty() ? String() : " " + A.Text);
    R.push_back(String(KindName(static_cast<int>(A.Kind))) + " " + Value);
  }
  return R;
}

}  // namespace formwright::testing
