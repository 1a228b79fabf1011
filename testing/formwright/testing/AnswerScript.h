// A script of answers to the questions the host would put to a person, and a record of the
// questions asked.
#pragma once

#include <vector>

#include "contracts/HostIntf.h"

namespace formwright::testing {

// Answers the host's questions (THostQuestions) from a script written before the test acts:
//   Answers.FileChanged(false).FileChanged(true);  // refuse the first overwrite, then agree
//   Answers.Install(Host.Questions());
//   ...
//   EXPECT_THAT(Answers.Asked(), ElementsAre("FileChanged Form1.fwf", "FileChanged Form1.fwf"));
// Each question takes the first unused answer scripted for its kind, so answers of one kind
// are used in the order they were written. A question the script has no answer for gets the
// answer the host gave before the script was installed (its documented default), and is
// recorded all the same; in a strict script it also fails the current test. `Unused` lists
// what was scripted and never asked, which a test (or TModuleTest at its end) checks.
class TAnswerScript {
 public:
  // A reader error: 1 stops the read, 2 ignores this and every later error of the read,
  // anything else ignores this one.
  TAnswerScript& ReaderError(int Answer);
  // An inherited component the ancestor lacks: 0 skips it, 1 uses the existing component named
  // `Rename` (or the name asked about when empty), 2 creates it anew, 3 gives up.
  TAnswerScript& AncestorNotFound(int Answer, const String& Rename = String());
  // Links to a module that is not open block a save: 0 removes or redirects them, 1 or 2
  // refuse the save, 3 or more checks again.
  TAnswerScript& Fixup(int Answer);
  // Where links to the missing module go: an open module's name, or "" to remove them.
  TAnswerScript& RedirectLinks(const String& Target);
  // A file changed on disk since it was read: true replaces it, false refuses the save.
  TAnswerScript& FileChanged(bool Replace);
  // A question without a scripted answer fails the current test from now on.
  TAnswerScript& Strict();

  // Makes `Questions` ask this script; the answers they held become the fallback answers.
  // The script must outlive the questions' use.
  void Install(THostQuestions& Questions);

  // The questions asked, in order, one line each: "ReaderError <message>", "AncestorNotFound
  // <name> of <ancestor>", "Fixup <root> needs <module>", "RedirectLinks <root> from <module>",
  // "FileChanged <file>".
  const std::vector<String>& Asked() const noexcept { return FAsked; }
  // The scripted answers no question took, described as "FileChanged true".
  std::vector<String> Unused() const;

 private:
  enum class TKind { ReaderError, AncestorNotFound, Fixup, RedirectLinks, FileChanged };
  struct TAnswer {
    TKind Kind;
    int Value = 0;
    String Text;
    bool Used = false;
  };
  TAnswerScript& Add(TKind Kind, int Value, const String& Text);
  // The next unused answer of `Kind`, marked used; null (and a failure when strict) when none.
  const TAnswer* Take(TKind Kind, const String& Question);

  std::vector<TAnswer> FAnswers;
  std::vector<String> FAsked;
  THostQuestions FFallback;
  bool FStrict = false;
};

}  // namespace formwright::testing
