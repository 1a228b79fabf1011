unit Form1;

interface

type
  TForm1 = class(TForm)
  end;

implementation

procedure TForm1.Button1Click(Sender: TObject);
begin
  Close;
end;

end.
