// Message texts of the host runtime library (its resource strings). Formatted with `Format`.
#pragma once

namespace formwright {

inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SOutOfRange = "Value must be between %d and %d";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidDate = "'%s' is not a valid date";
inline constexpr const char* SInvalidTime = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* SUnknownValue = "(Unknown)";
inline constexpr const char* SBooleanFalse = "False";
inline constexpr const char* SBooleanTrue = "True";

inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "'%s' is not a valid component name";
inline constexpr const char* SClassNotFound = "Class %s not found";
inline constexpr const char* SDuplicateClass = "A class named %s already exists";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
inline constexpr const char* SDuplicateItem = "List does not allow duplicates ($0%x)";
inline constexpr const char* SUnknownProperty = "Property %s does not exist";
inline constexpr const char* SReadOnlyProperty = "Property %s is read-only";
inline constexpr const char* SWriteOnlyProperty = "Property %s is write-only";
inline constexpr const char* SPropertyKindMismatch = "Property %s is not of kind %s";
inline constexpr const char* SInvalidPropertyType = "Invalid property type: %s";
inline constexpr const char* SNoFactory = "Class %s cannot be created this way";
inline constexpr const char* SAbstractClass = "Class %s is abstract and cannot be created";
inline constexpr const char* SIntfNotSupported = "Interface not supported";
inline constexpr const char* SInvalidCast = "Invalid class typecast";
inline constexpr const char* SVarTypeCastError = "Could not convert variant of type (%s) into type (%s)";
inline constexpr const char* SMethodHandleCall = "Method '%s' has no compiled code and cannot be called";
inline constexpr const char* SCollectionItemType = "Collection item class %s is not a %s";
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SAncestorNotFound = "Ancestor for '%s' not found";

}  // namespace formwright
