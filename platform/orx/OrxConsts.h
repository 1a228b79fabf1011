// Message texts of the Orx framework (its resource strings). Formatted with `Format`.
#pragma once

namespace formwright::orx {

inline constexpr const char* SControlParentSetToSelf = "A control cannot have itself as its parent";
inline constexpr const char* SControlParentIsChild = "Control '%s' cannot be parented by its own child '%s'";
inline constexpr const char* SCannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr const char* SNotOnForm = "Control '%s' is not on form '%s'";
inline constexpr const char* SInvalidColor = "'%s' is not a valid colour";
inline constexpr const char* SInvalidCursor = "'%s' is not a valid cursor";
inline constexpr const char* SInvalidCharset = "'%s' is not a valid character set";
inline constexpr const char* SInvalidModalResult = "'%s' is not a valid modal result";
inline constexpr const char* SInvalidShortCut = "'%s' is not a valid shortcut";
inline constexpr const char* SMenuIndexError = "Menu index out of range";
inline constexpr const char* SMenuReinserted = "Menu inserted twice";
inline constexpr const char* SMenuNotFound = "Sub-menu is not in menu";
inline constexpr const char* SMenuItemInItself = "A menu item cannot be inserted into itself";
inline constexpr const char* SUnknownExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* SInvalidGraphic = "Invalid image";
inline constexpr const char* SCannotOpenPicture = "Cannot open picture file '%s'";
inline constexpr const char* SCannotWritePicture = "Cannot write picture file '%s'";
inline constexpr const char* SDuplicateFormat = "The extension .%s is already registered for %s";
inline constexpr const char* SNone = "(None)";

// Modifier and key names of shortcut texts.
inline constexpr const char* SmkcShift = "Shift+";
inline constexpr const char* SmkcCtrl = "Ctrl+";
inline constexpr const char* SmkcAlt = "Alt+";

}  // namespace formwright::orx
