unit Dialog;

interface

type
  TDialogForm = class(TForm)
    ButtonPanel: TPanel;
    OkButton: TButton;
    CancelButton: TButton;
    procedure OkButtonClick(Sender: TObject);
  end;

implementation

procedure TDialogForm.OkButtonClick(Sender: TObject);
begin
  ModalResult := mrOk;
end;

end.
