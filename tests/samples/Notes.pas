unit Notes;

{ The notes window, written by hand: comments, blank lines, tabs mixed with spaces, other types
  and another class whose methods share the form's handler names. }

interface

uses Forms, StdCtrls;

type
  TNoteKind = (nkPlain, nkTodo);

  // the main form
  TNotesForm = class(TForm)
	SaveBtn: TButton;   // saves
    CancelBtn : TButton;
    NoteMemo: TMemo;
    procedure SaveBtnClick(Sender: TObject);
    procedure AnyButtonClick(Sender: TObject);
    procedure NoteMemoKeyDown(Sender: TObject;
      var Key: Word; Shift: TShiftState);
  private
    FDirty: Boolean;
  public
    procedure Reset;
  end;

  THelper = class
    procedure SaveBtnClick(Sender: TObject);
  end;

var
  NotesForm: TNotesForm;

implementation

{ TNotesForm }

procedure TNotesForm.SaveBtnClick(Sender: TObject);
begin
  FDirty := False; // saved
end;

procedure TNotesForm.AnyButtonClick(Sender: TObject);
begin
  Reset;
end;

procedure TNotesForm.NoteMemoKeyDown(Sender: TObject;
  var Key: Word; Shift: TShiftState);
begin
  FDirty := True;
end;

procedure TNotesForm.Reset;
begin
  NoteMemo.Clear;
end;

procedure THelper.SaveBtnClick(Sender: TObject);
begin
end;

end.
