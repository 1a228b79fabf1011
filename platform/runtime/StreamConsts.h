// Message texts of the runtime's streaming layer (its resource strings), formatted with
// `Format`.
#pragma once

#include "platform/runtime/RtlConsts.h"
#include "platform/runtime/SysUtils.h"

namespace formwright {

// A malformed component stream (truncated, unknown tags, bad lengths): reading cannot go on.
FW_EXCEPTION(EInvalidImage, EReadError);
// A read error that the reader's error hook was offered and did not handle.
FW_EXCEPTION(EReadErrorReported, EReadError);
FW_EXCEPTION(EParserError, Exception);
FW_EXCEPTION(EMethodNotFound, EFilerError);

inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SSeekError = "Stream seek error";
inline constexpr const char* SSetSizeError = "Stream cannot change its size";
// The file name, then the system's reason.
inline constexpr const char* SFCreateError = "Cannot create file \"%s\". %s";
inline constexpr const char* SFOpenError = "Cannot open file \"%s\". %s";
inline constexpr const char* SInvalidImage = "Invalid stream format";
inline constexpr const char* SInvalidResHeader = "Invalid resource header";
inline constexpr const char* STruncatedStream = "Stream ends unexpectedly at %s: %s expected";
inline constexpr const char* SInvalidValueTag = "Invalid value tag %d at %s: %s expected";
inline constexpr const char* SInvalidLength = "Invalid length %d at %s: at most %d expected";
inline constexpr const char* SInvalidPrefix =
    "Invalid component prefix $%s at %s: a class name or component flags $F0 to $F7 expected";
inline constexpr const char* SInvalidUtf8 = "Invalid text at %s: UTF-8 expected";
inline constexpr const char* SInvalidIdentBytes =
    "Invalid identifier '%s' at %s: letters, digits and underscores expected";
inline constexpr const char* SNestingTooDeep = "Stream nesting too deep at %s: at most %d levels expected";
inline constexpr const char* STextNestingTooDeep = "Objects or values nesting too deep (more than %d levels)";
inline constexpr const char* SUnexpectedValue = "Unexpected value at %s: %s expected";
inline constexpr const char* SSignatureExpected =
    "Invalid stream format at %s: the component signature FWC1 expected";
inline constexpr const char* STrailingData =
    "Data after the end of the module at %s: the end of the stream expected";
inline constexpr const char* STrailingText = "Text after the end of the module: the end of the text expected";
// The property or component being read, then the reason.
inline constexpr const char* SErrorReading = "Error reading %s: %s";
// The same with the place in the stream ("Error reading Form1.Foo at line 4, column 3: …").
inline constexpr const char* SReadingAt = "Error reading %s at %s: %s";
inline constexpr const char* SInvalidPropertyPath = "Invalid property path";
inline constexpr const char* SInvalidPropertyKind = "Property %s cannot be read from a stream";
inline constexpr const char* SMethodNotFound = "Method %s not found";
inline constexpr const char* SUnresolvedReference = "Component %s not found";
inline constexpr const char* SNotAComponentValue = "Property %s does not hold a component reference";
inline constexpr const char* SWritingProperty = "Error writing %s: %s";
inline constexpr const char* SInvalidStringValue = "String value is not valid UTF-8";
inline constexpr const char* SStringTooLong = "Identifier or name '%s' is longer than 255 bytes";
inline constexpr const char* SUnnamedReference = "Component referenced by %s has no name";
inline constexpr const char* SParseError = "%s on line %d, column %d";
inline constexpr const char* SIdentifierExpected = "Identifier expected";
inline constexpr const char* SStringExpected = "String expected";
inline constexpr const char* SNumberExpected = "Number expected";
inline constexpr const char* SCharExpected = "'%s' expected";
inline constexpr const char* SSymbolExpected = "%s expected";
inline constexpr const char* SInvalidBinary = "Invalid binary value";
inline constexpr const char* SInvalidString = "Invalid string constant";
inline constexpr const char* SInvalidNumber = "Invalid numeric value";
inline constexpr const char* SInvalidCharCode = "Invalid character code";
inline constexpr const char* SUnknownFormat = "Stream is neither a binary nor a text component stream";

}  // namespace formwright
