unit Contact;

interface

type
  TContactForm = class(TForm)
    HomeAddress: TAddressFrame;
    WorkAddress: TAddressFrame;
  end;

implementation

end.
