unit People;

{ People: the list of people and their addresses.
  Ünïcödé: naïve café — 人 }

interface

uses
  Classes, Forms, Controls, StdCtrls; // the framework

type
  // Data kept per person
  TPerson = class(TObject)
  private
    FName: string;
  public
    procedure Load(const Path: string);
  end;

  TPeopleForm = class(TForm)
    NameEdit: TEdit; (* the name *)
    {$IFDEF DEBUG}
    DebugLabel: TLabel;
    {$ENDIF}
    OkButton, CancelButton: TButton;
    procedure OkButtonClick(Sender: TObject);
    procedure NameEditChange(Sender: TObject);
  private
    FPeople: TList;
    procedure Refresh;
  public
    property People: TList read FPeople;
  end;

  TPeopleFormHelper = class helper for TPeopleForm
    function Count: Integer;
  end;

var
  PeopleForm: TPeopleForm;

implementation

const
  Title = 'People; end. begin';

procedure TPerson.Load(const Path: string);
begin
  FName := Path;
end;

procedure TPeopleForm.OkButtonClick(Sender: TObject);

  procedure Check;
  begin
    if NameEdit.Text = '' then
      raise Exception.Create('Name?');
  end;

var
  I: Integer;
begin
  Check;
  case Tag of
    0: I := 1;
  else
    I := 2;
  end;
  try
    Refresh;
  finally
    Tag := I;
  end;
end;

// procedure TPeopleForm.Commented(Sender: TObject);

procedure TPeopleForm.NameEditChange(Sender: TObject);
begin
  OkButton.Enabled := NameEdit.Text <> '';
end;

procedure TPeopleForm.Refresh;
begin
  Caption := Title;
end;

function TPeopleFormHelper.Count: Integer;
begin
  Result := FPeople.Count;
end;

initialization
  RegisterClass(TPerson);
end.
