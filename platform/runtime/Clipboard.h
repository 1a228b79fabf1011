// The clipboard of the runtime: formats registered by name with stable identifiers, one block
// of bytes per format, and the text format. It lives in the process (the host maps it to the
// platform clipboard).
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/runtime/Streams.h"

namespace formwright {

using TClipboardFormat = uint32_t;

// The predefined text format (UTF-8 text).
inline constexpr TClipboardFormat CF_TEXT = 1;

// Registers a clipboard format by name (ignoring case); the same name always gives the same
// identifier, and identifiers of registered formats start at 0xC000.
TClipboardFormat RegisterClipboardFormat(const String& Name);
// The name of a registered format ("" for unknown or predefined ones).
String GetClipboardFormatName(TClipboardFormat Format);

// The clipboard: data blocks per format. Setting data outside Open/Close replaces everything;
// between Open and Close the blocks set together form one clipboard content.
class TClipboard {
 public:
  // Starts a group of SetData calls; the first SetData in the group clears the clipboard.
  // Nested calls count.
  void Open();
  void Close();
  void Clear();
  bool HasFormat(TClipboardFormat Format) const;
  // The formats that currently have data, in ascending order.
  std::vector<TClipboardFormat> Formats() const;
  void SetData(TClipboardFormat Format, const void* Data, size_t Size);
  // The block of a format (empty when absent).
  std::vector<uint8_t> GetData(TClipboardFormat Format) const;
  // Text (CF_TEXT); reading stops at the first 0 byte.
  String AsText() const;
  void SetAsText(const String& Value);
  // Copies the whole of `Stream` into the block of a format / appends a block to a stream.
  void SetStream(TClipboardFormat Format, TStream* Stream);
  void GetStream(TClipboardFormat Format, TStream* Stream) const;

 private:
  void BeginChange();
  std::map<TClipboardFormat, std::vector<uint8_t>> FData;
  int FOpenCount = 0;
  bool FClearedInOpen = false;
};

// The process's clipboard.
TClipboard& Clipboard();

}  // namespace formwright
