unit Customer;

interface

type
  TCustomerForm = class(TForm)
    Home: TPostalFrame;
    procedure HomeEnter(Sender: TObject);
    procedure TownChanged(Sender: TObject);
  end;

implementation

procedure TCustomerForm.HomeEnter(Sender: TObject);
begin
end;

procedure TCustomerForm.TownChanged(Sender: TObject);
begin
  // looks the town up
end;

end.
