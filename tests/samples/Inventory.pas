unit Inventory;

{ The stock actions and menu of the inventory screens. }

interface

uses
  Classes, ActnList, Menus;

type
  TInventoryData = class(TDataModule)
    Actions: TActionList;
    MainMenu1: TMainMenu;
  private
    { the screens fill these }
  end;

var
  InventoryData: TInventoryData;

implementation

end.
