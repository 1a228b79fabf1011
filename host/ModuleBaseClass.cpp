#include "host/ModuleBaseClass.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/orx/Orx.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/StreamCoding.h"
#include "platform/runtime/Streams.h"

namespace formwright {

using namespace orx;

namespace {

// What a scan of the stream has seen so far.
struct TScan {
  bool Seen = false;       // a value of the root or a component
  bool Form = false;       // something a data module does not have
  bool Guessed = true;     // the root is one of its own (not inherited or embedded)
  bool RootDone = false;   // the root's values are behind
  bool FrameOnly = false;  // a root value a frame has and a form does not
  bool FormOnly = false;   // a root value a form has and a frame does not

  // A value the root sets: a data module publishes its events and streams its design size and
  // offset and its class group.
  void RootValue(const String& Name) {
    static constexpr std::array<std::string_view, 5> Defined{"Width", "Height", "HorizontalOffset",
                                                             "VerticalOffset", "ClassGroup"};
    Seen = true;
    const String First = Name.substr(0, Name.find('.'));
    const bool Has =
        GetPropInfo(TDataModule::StaticClass(), First) ||
        std::any_of(Defined.begin(), Defined.end(), [&](std::string_view D) { return SameText(D, First); });
    if (!Has) Form = true;
    const bool OnForm = GetPropInfo(TForm::StaticClass(), First) != nullptr;
    const bool OnFrame = GetPropInfo(TFrame::StaticClass(), First) != nullptr;
    FrameOnly = FrameOnly || (OnFrame && !OnForm);
    FormOnly = FormOnly || (OnForm && !OnFrame);
  }
  // A component of the module: an unknown class may be a frame, which only a form can hold.
  void Component(const String& ClassName) {
    Seen = true;
    const TClass C = GetClass(ClassName);
    if (!C || C->InheritsFrom(TControl::StaticClass())) Form = true;
  }
  void NotGuessed() {
    Guessed = false;
    Form = true;
  }
  // Nothing more can change the answer.
  bool Done() const { return !Guessed || (Form && (RootDone || FormOnly)); }
  // A data module's stream sets nothing a data module lacks; a frame's root sets what only a
  // frame has (TabStop, TabOrder) and nothing only a form has (Caption, ClientWidth).
  String Answer() const {
    if (!Guessed) return String();
    if (Seen && !Form) return "TDataModule";
    return FrameOnly && !FormOnly ? String("TFrame") : String();
  }
};

bool IsNameChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; }

// The text form, line by line: the root's values are the "Name =" lines before the first
// component's heading; every heading names a component's class.
void ScanText(std::string_view Text, TScan& Scan) {
  bool InRoot = true;
  bool First = true;
  for (size_t P = 0; P < Text.size() && !Scan.Done();) {
    size_t E = Text.find('\n', P);
    if (E == std::string_view::npos) E = Text.size();
    std::string_view Line = Text.substr(P, E - P);
    P = E + 1;
    while (!Line.empty() && std::isspace(static_cast<unsigned char>(Line.front()))) Line.remove_prefix(1);
    size_t N = 0;
    while (N < Line.size() && (IsNameChar(Line[N]) || Line[N] == '.')) ++N;
    const String Word(Line.substr(0, N));
    if (First) {
      // Only a root of its own ("object", not inherited or inline) is guessed at.
      if (!SameText(Word, "object")) Scan.NotGuessed();
      First = false;
    } else if (SameText(Word, "object") || SameText(Word, "inherited") || SameText(Word, "inline")) {
      InRoot = false;
      Scan.RootDone = true;
      const size_t Colon = Line.find(':');
      std::string_view Cls = Colon == std::string_view::npos ? Line.substr(N) : Line.substr(Colon + 1);
      while (!Cls.empty() && !IsNameChar(Cls.front())) Cls.remove_prefix(1);
      size_t C = 0;
      while (C < Cls.size() && IsNameChar(Cls[C])) ++C;
      Scan.Component(String(Cls.substr(0, C)));
    } else if (InRoot && N > 0) {
      std::string_view Rest = Line.substr(N);
      while (!Rest.empty() && (Rest.front() == ' ' || Rest.front() == '\t')) Rest.remove_prefix(1);
      if (!Rest.empty() && Rest.front() == '=') Scan.RootValue(Word);
    }
  }
}

// The binary form, through the reader: the root's values, then each component's class.
void ScanComponent(TReader& R, TScan& Scan, bool Root) {
  TFilerFlags Flags;
  int Pos = 0;
  R.ReadPrefix(Flags, Pos);
  const String ClassName = R.ReadStr();
  R.ReadStr();
  if (Root && (Flags.Contains(ffInherited) || Flags.Contains(ffInline))) Scan.NotGuessed();
  if (!Root) Scan.Component(ClassName);
  while (!Scan.Done() && !R.EndOfList()) {
    const String Name = R.ReadStr();
    if (Root) Scan.RootValue(Name);
    R.SkipValue();
  }
  if (Root) Scan.RootDone = true;
  if (Scan.Done()) return;
  R.ReadListEnd();
  while (!Scan.Done() && !R.EndOfList()) ScanComponent(R, Scan, false);
  if (!Scan.Done()) R.ReadListEnd();
}

}  // namespace

String BaseClassOfStreamHead(const String& Head) {
  TScan Scan;
  try {
    TStringStream S(Head);
    if (TestStreamFormat(&S) >= sofText) {
      ScanText(std::string_view(Head).substr(streamcoding::Utf8MarkLength(Head)), Scan);
    } else {
      S.SetPosition(0);
      S.ReadResHeader();
      TReader R(&S, 4096);
      R.ReadSignature();
      ScanComponent(R, Scan, true);
    }
  } catch (const Exception&) {
    // The head ended (or the stream is damaged): what was seen decides; reading it reports
    // any damage.
  }
  return Scan.Answer();
}

}  // namespace formwright
