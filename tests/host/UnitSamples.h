// A unit and a form file written the way people write them, shared by the tests of the unit's
// reader and editor.
#pragma once

#include <gmock/gmock.h>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// A unit written by hand: comments of all three forms, a directive block, another class before
// the form class and a helper after it, private and public sections, a nested routine, strings
// and a comment that look like code, the form variable and an initialization section.
inline const char* const People =
    "unit People;\n"
    "\n"
    "{ People: the list of people and their addresses.\n"
    "  Ünïcödé: naïve café — 人 }\n"
    "\n"
    "interface\n"
    "\n"
    "uses\n"
    "  Classes, Forms, Controls, StdCtrls; // the framework\n"
    "\n"
    "type\n"
    "  // Data kept per person\n"
    "  TPerson = class(TObject)\n"
    "  private\n"
    "    FName: string;\n"
    "  public\n"
    "    procedure Load(const Path: string);\n"
    "  end;\n"
    "\n"
    "  TPeopleForm = class(TForm)\n"
    "    NameEdit: TEdit; (* the name *)\n"
    "    {$IFDEF DEBUG}\n"
    "    DebugLabel: TLabel;\n"
    "    {$ENDIF}\n"
    "    OkButton, CancelButton: TButton;\n"
    "    procedure OkButtonClick(Sender: TObject);\n"
    "    procedure NameEditChange(Sender: TObject);\n"
    "  private\n"
    "    FPeople: TList;\n"
    "    procedure Refresh;\n"
    "  public\n"
    "    property People: TList read FPeople;\n"
    "  end;\n"
    "\n"
    "  TPeopleFormHelper = class helper for TPeopleForm\n"
    "    function Count: Integer;\n"
    "  end;\n"
    "\n"
    "var\n"
    "  PeopleForm: TPeopleForm;\n"
    "\n"
    "implementation\n"
    "\n"
    "const\n"
    "  Title = 'People; end. begin';\n"
    "\n"
    "procedure TPerson.Load(const Path: string);\n"
    "begin\n"
    "  FName := Path;\n"
    "end;\n"
    "\n"
    "procedure TPeopleForm.OkButtonClick(Sender: TObject);\n"
    "\n"
    "  procedure Check;\n"
    "  begin\n"
    "    if NameEdit.Text = '' then\n"
    "      raise Exception.Create('Name?');\n"
    "  end;\n"
    "\n"
    "var\n"
    "  I: Integer;\n"
    "begin\n"
    "  Check;\n"
    "  case Tag of\n"
    "    0: I := 1;\n"
    "  else\n"
    "    I := 2;\n"
    "  end;\n"
    "  try\n"
    "    Refresh;\n"
    "  finally\n"
    "    Tag := I;\n"
    "  end;\n"
    "end;\n"
    "\n"
    "// procedure TPeopleForm.Commented(Sender: TObject);\n"
    "\n"
    "procedure TPeopleForm.NameEditChange(Sender: TObject);\n"
    "begin\n"
    "  OkButton.Enabled := NameEdit.Text <> '';\n"
    "end;\n"
    "\n"
    "procedure TPeopleForm.Refresh;\n"
    "begin\n"
    "  Caption := Title;\n"
    "end;\n"
    "\n"
    "function TPeopleFormHelper.Count: Integer;\n"
    "begin\n"
    "  Result := FPeople.Count;\n"
    "end;\n"
    "\n"
    "initialization\n"
    "  RegisterClass(TPerson);\n"
    "end.\n";

// The form of that unit.
inline const char* const PeopleForm =
    "object PeopleForm: TPeopleForm\n"
    "  Caption = 'People'\n"
    "  object NameEdit: TEdit\n"
    "    OnChange = NameEditChange\n"
    "  end\n"
    "  object DebugLabel: TLabel\n"
    "  end\n"
    "  object OkButton: TButton\n"
    "    OnClick = OkButtonClick\n"
    "  end\n"
    "  object CancelButton: TButton\n"
    "  end\n"
    "end\n";

using TReplacements = std::vector<std::pair<String, String>>;

// The text with each replacement made at every place its old text occurs.
inline String Replaced(String Text, const TReplacements& R) {
  for (const auto& [Old, New] : R) {
    EXPECT_THAT(Text, ::testing::HasSubstr(Old)) << "the expectation names text the unit does not have";
    Text = StringReplaceAll(Text, Old, New);
  }
  return Text;
}

inline String WithCrLf(const String& S) { return StringReplaceAll(S, "\n", "\r\n"); }

}  // namespace formwright
