unit Postal;

interface

type
  TPostalFrame = class(TFrame)
    ZipEdit: TEdit;
    TownEdit: TEdit;
    procedure ZipEditChange(Sender: TObject);
  end;

implementation

procedure TPostalFrame.ZipEditChange(Sender: TObject);
begin
end;

end.
