#include "platform/orx/Orx.h"

namespace formwright::orx {

void RegisterOrxClasses() {
  static const bool Done = [] {
    StartClassGroup(TControl::StaticClass());
    for (TClass C : {TMenuItem::StaticClass(), TMenu::StaticClass(), TBasicAction::StaticClass(),
                     TContainedActionList::StaticClass(), TDataModule::StaticClass(), TScreen::StaticClass(),
                     TApplicationEvents::StaticClass()})
      GroupDescendentsWith(C, TControl::StaticClass());
    ActivateClassGroup(TControl::StaticClass());
    RegisterClasses({
        // graphics values (default group: plain persistents)
        TFont::StaticClass(),
        TPen::StaticClass(),
        TBrush::StaticClass(),
        TMargins::StaticClass(),
        TPadding::StaticClass(),
        TSizeConstraints::StaticClass(),
        TControlScrollBar::StaticClass(),
        TCanvas::StaticClass(),
        TPicture::StaticClass(),
        TBitmap::StaticClass(),
        TIcon::StaticClass(),
        TMetafile::StaticClass(),
        TStatusSection::StaticClass(),
        TStatusSections::StaticClass(),
        // controls
        TControl::StaticClass(),
        TWinControl::StaticClass(),
        TGraphicControl::StaticClass(),
        TCustomControl::StaticClass(),
        TCustomLabel::StaticClass(),
        TLabel::StaticClass(),
        TButtonControl::StaticClass(),
        TButton::StaticClass(),
        TCustomCheckBox::StaticClass(),
        TCheckBox::StaticClass(),
        TRadioButton::StaticClass(),
        TCustomGroupBox::StaticClass(),
        TGroupBox::StaticClass(),
        TCustomComboBox::StaticClass(),
        TComboBox::StaticClass(),
        TCustomEdit::StaticClass(),
        TEdit::StaticClass(),
        TCustomMemo::StaticClass(),
        TMemo::StaticClass(),
        TCustomPanel::StaticClass(),
        TPanel::StaticClass(),
        TShape::StaticClass(),
        TImage::StaticClass(),
        TPaintBox::StaticClass(),
        TCustomListBox::StaticClass(),
        TListBox::StaticClass(),
        TStatusBand::StaticClass(),
        TScrollingWinControl::StaticClass(),
        TScrollBox::StaticClass(),
        // modules
        TCustomFrame::StaticClass(),
        TFrame::StaticClass(),
        TCustomForm::StaticClass(),
        TForm::StaticClass(),
        TDataModule::StaticClass(),
        // menus and actions
        TMenuItem::StaticClass(),
        TMenu::StaticClass(),
        TMainMenu::StaticClass(),
        TPopupMenu::StaticClass(),
        TBasicAction::StaticClass(),
        TContainedAction::StaticClass(),
        TCustomAction::StaticClass(),
        TAction::StaticClass(),
        TContainedActionList::StaticClass(),
        TCustomActionList::StaticClass(),
        TActionList::StaticClass(),
        TApplicationEvents::StaticClass(),
    });
    return true;
  }();
  (void)Done;
}

}  // namespace formwright::orx
