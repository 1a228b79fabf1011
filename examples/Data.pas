unit Data;

interface

type
  TBookData = class(TDataModule)
    EditActions: TActionList;
    CopyAction: TAction;
    PasteAction: TAction;
    ContactMenu: TPopupMenu;
    CopyItem: TMenuItem;
    PasteItem: TMenuItem;
    procedure BookDataCreate(Sender: TObject);
    procedure CopyActionExecute(Sender: TObject);
    procedure PasteActionExecute(Sender: TObject);
  end;

implementation

procedure TBookData.BookDataCreate(Sender: TObject);
begin
  LoadContacts;
end;

procedure TBookData.CopyActionExecute(Sender: TObject);
begin
  Clipboard.AsText := CurrentContact;
end;

procedure TBookData.PasteActionExecute(Sender: TObject);
begin
  CurrentContact := Clipboard.AsText;
end;

end.
