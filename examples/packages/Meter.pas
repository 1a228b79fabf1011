unit Meter;

interface

type
  TMeterForm = class(TForm)
    Gauge1: TGauge;
    Label1: TLabel;
    Ticker1: TTicker;
    procedure Ticker1Tick(Sender: TObject);
  end;

implementation

procedure TMeterForm.Ticker1Tick(Sender: TObject);
begin
  Gauge1.Value := Gauge1.Value + 1;
end;

end.
