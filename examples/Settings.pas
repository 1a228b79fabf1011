unit Settings;

interface

type
  TSettingsForm = class(TDialogForm)
    AutoSaveBox: TCheckBox;
    Button1: TButton;
    procedure Button1Click(Sender: TObject);
  end;

implementation

procedure TSettingsForm.Button1Click(Sender: TObject);
begin
  AutoSaveBox.Checked := True;
end;

end.
