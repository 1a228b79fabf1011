unit Address;

interface

type
  TAddressFrame = class(TFrame)
    StreetLabel: TLabel;
    StreetEdit: TEdit;
    CityLabel: TLabel;
    CityEdit: TEdit;
    procedure CityEditChange(Sender: TObject);
  end;

implementation

procedure TAddressFrame.CityEditChange(Sender: TObject);
begin
  CityEdit.Hint := CityEdit.Text;
end;

end.
