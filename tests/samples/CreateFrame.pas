unit Frame1;
interface
type
  TFrame1 = class(TFrame)
  end;
implementation
end.
