unit Form1;

interface

type
  TForm1 = class(TForm)
    Label1: TLabel;
  end;

implementation

end.
