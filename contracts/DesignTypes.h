// Shared enumerations, sets, callback types and class references of the design contracts.
//
// Everything here is plain data: the vocabulary that the host IDE, the designer package and
// every component package use when they talk about properties, edit actions, custom modules
// and alignment guidelines.
#pragma once

#include <functional>

#include "platform/runtime/Classes.h"

namespace formwright {

struct IProperty;

// ---------------------------------------------------------------------------------------------
// Enumerations (ordinal order is part of the contract; a set holds bit n for ordinal n)

// What a property editor offers the object inspector.
FW_ENUM(TPropertyAttribute, paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate, paSortList,
        paReadOnly, paRevertable, paFullWidthName, paVolatileSubProperties, paOrx, paNotNestable,
        paDisplayReadOnly, paCustomDropDown, paValueEditable)
using TPropertyAttributes = TSet<TPropertyAttribute>;
// The attributes fit in 16 bits, as the binary contract with the host requires.
static_assert(paValueEditable < 16);

// Which published members an inspector page lists.
FW_ENUM(TPropKind, pkProperties, pkEvents)

// Edit commands routed to whatever window or designer handles them (IEditHandler).
FW_ENUM(TEditAction, eaUndo, eaRedo, eaCut, eaCopy, eaPaste, eaDelete, eaSelectAll, eaPrint, eaElide)

// The enumeration carries the plural name, the set (TEditState) the singular one.
FW_ENUM(TEditStates, esCanUndo, esCanRedo, esCanCut, esCanCopy, esCanPaste, esCanDelete, esCanEditOle,
        esCanPrint, esCanSelectAll, esCanCreateTemplate, esCanElide)
using TEditState = TSet<TEditStates>;

// How the host loads the design packages it knows of.
FW_ENUM(TDemandLoadState, dlDefault, dlDisable, dlEnable)

// What a custom module tells the designer about its kind of root.
FW_ENUM(TCustomModuleAttribute, cmaVirtualSize, cmaMultiView, cmaFloating)
using TCustomModuleAttributes = TSet<TCustomModuleAttribute>;

// The kinds of alignment guideline a component offers the form designer.
FW_ENUM(TDesignerGuideType, gtAlignLeft, gtAlignTop, gtAlignRight, gtAlignBottom, gtMarginLeft, gtMarginTop,
        gtMarginRight, gtMarginBottom, gtPaddingLeft, gtPaddingTop, gtPaddingRight, gtPaddingBottom,
        gtBaseline)

// ---------------------------------------------------------------------------------------------
// Class references
//
// Editors are addressed through class values: a registry stores the class and creates an
// editor from it through the constructor signature its family registers as a factory
// (see DeclareEditorFactory in DesignIntf.h).

using TPropertyEditorClass = TClass;       // descends from TBasePropertyEditor
using TComponentEditorClass = TClass;      // descends from TBaseComponentEditor
using TSelectionEditorClass = TClass;      // descends from TBaseSelectionEditor
using TCustomModuleClass = TClass;         // descends from TBaseCustomModule
using TDragTargetClass = TClass;           // descends from TDragTarget
using TComponentGuidelinesClass = TClass;  // descends from TBaseComponentGuidelines
using TDragObjectClass = TClass;           // a drag object class of the framework

// ---------------------------------------------------------------------------------------------
// Callbacks

// Receives one string (a value, a name, a unit).
using TGetStrProc = std::function<void(const String& S)>;
using TGetWideStrProc = std::function<void(const WideString& S)>;
// Receives one property editor.
using TGetPropProc = std::function<void(const IPtr<IProperty>& Prop)>;
// Decides whether an editor is to be listed.
using TPropertyEditorFilterFunc = std::function<bool(const IPtr<IProperty>& ATestEditor)>;

// May choose the editor class of a property before the registered editors are looked at;
// returns null to leave the choice to the registry.
using TPropertyMapperFunc = TPropertyEditorClass (*)(TPersistent* Obj, PPropInfo PropInfo);

// Told that the registrations of an editor group are being removed.
using TGroupChangeProc = void (*)(int AGroup);

// Answers the top-level component being designed, other than `Ignoring`.
using TGetTopLevelComponentFunc = TComponent* (*)(TComponent* Ignoring);

// ---------------------------------------------------------------------------------------------
// Standard property category names (component packages register into them by these texts)

inline constexpr const char* sActionCategoryName = "Action";
inline constexpr const char* sDataCategoryName = "Data";
inline constexpr const char* sDatabaseCategoryName = "Database";
inline constexpr const char* sDragNDropCategoryName = "Drag Drop/Docking";
inline constexpr const char* sHelpCategoryName = "Help and Hints";
inline constexpr const char* sLayoutCategoryName = "Layout";
inline constexpr const char* sLegacyCategoryName = "Legacy";
inline constexpr const char* sLinkageCategoryName = "Linkage";
inline constexpr const char* sLocaleCategoryName = "Locale";
inline constexpr const char* sLocalizableCategoryName = "Localizable";
inline constexpr const char* sMiscellaneousCategoryName = "Miscellaneous";
inline constexpr const char* sVisualCategoryName = "Visual";
inline constexpr const char* sInputCategoryName = "Input";
inline constexpr const char* sWindowStyleName = "Window Style";
inline constexpr const char* sPropertyChangeCategoryName = "Property Changed";
inline constexpr const char* sMouseCategoryName = "Mouse";
inline constexpr const char* sKeyCategoryName = "Key";
inline constexpr const char* sAppearanceCategoryName = "Appearance";
inline constexpr const char* sBehaviorCategoryName = "Behavior";
inline constexpr const char* sDesignCategoryName = "Design";
inline constexpr const char* sFocusCategoryName = "Focus";

}  // namespace formwright
