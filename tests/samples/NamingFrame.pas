unit Address;
interface
type
  TAddressFrame = class(TFrame)
  end;
implementation
end.
