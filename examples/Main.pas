unit Main;

interface

type
  TMainForm = class(TForm)
    MainMenu1: TMainMenu;
    FileMenu: TMenuItem;
    OpenItem: TMenuItem;
    ExitItem: TMenuItem;
    ActionList1: TActionList;
    OpenAction: TAction;
    ToolPanel: TPanel;
    OpenButton: TButton;
    SearchButton: TButton;
    ContentPanel: TPanel;
    NameLabel: TLabel;
    NameEdit: TEdit;
    Button1: TButton;
    procedure ExitItemClick(Sender: TObject);
    procedure OpenActionExecute(Sender: TObject);
    procedure SearchButtonClick(Sender: TObject);
    procedure NameEditChange(Sender: TObject);
    procedure Button1Click(Sender: TObject);
  end;

implementation

procedure TMainForm.ExitItemClick(Sender: TObject);
begin
  Close;
end;

procedure TMainForm.OpenActionExecute(Sender: TObject);
begin
  OpenBook;
end;

procedure TMainForm.SearchButtonClick(Sender: TObject);
begin
  FindByName(NameEdit.Text);
end;

procedure TMainForm.NameEditChange(Sender: TObject);
begin
  SearchButton.Enabled := NameEdit.Text <> '';
end;

procedure TMainForm.Button1Click(Sender: TObject);
begin
  NameEdit.Clear;
end;

end.
