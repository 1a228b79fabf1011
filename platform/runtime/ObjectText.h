// The text form of component streams and the conversions between the forms.
//
// The text form shows the same tree readably:
//
//   object Form1: TForm1
//     Caption = 'Hello'#13#10'world'
//     Shapes = [tsCircle, tsSquare]
//     Ratio = 0.5            (double; suffix s single, x extended, d date, c currency)
//     Items = <
//       item
//         Caption = 'First'
//       end>
//     Glyph.Data = {
//       0A0B0C}
//     object Button1: TButton [2]
//       OnClick = Button1Click
//     end
//   end
//
// `inherited` and `inline` replace `object` for inherited components and embedded module
// instances; `[n]` is an explicit child position. Converting binary to text and back gives the
// same bytes for every stream the writer produces; other valid encodings of the same values
// (a wide string, a 32-bit tag for a small number) come back in the writer's encoding.
#pragma once

#include <functional>
#include <string_view>

#include "platform/runtime/Streams.h"

namespace formwright {

// What a stream holds at its position: 0 unknown, 1 binary (with or without a resource
// header), 2 text, 3 text behind a UTF-8 byte order mark.
enum TStreamOriginalFormat : uint8_t { sofUnknown, sofBinary, sofText, sofUTF8Text };

// Tells the form of the component stream at `Stream`'s position; the position is kept.
TStreamOriginalFormat TestStreamFormat(TStream* Stream);

// Converts one component (a signature and its tree) at `Input`'s position to text appended to
// `Output`. `Input` is left after the component. Raises EInvalidImage for malformed input.
void ObjectBinaryToText(TStream* Input, TStream* Output);
// Converts the components that follow one another at `Input`'s position, each behind its own
// signature, up to a 0 byte or the end of `Input` (where `Input` is left), as one text.
// Raises as ObjectBinaryToText, leaving `Output` and `Input`'s position as they were.
void ObjectListBinaryToText(TStream* Input, TStream* Output);
// Converts one component in text form at `Input`'s position to binary (with a signature)
// appended to `Output`. `Input` is left after the component's closing `end`. Raises
// EParserError "<reason> on line <n>" for bad text.
void ObjectTextToBinary(TStream* Input, TStream* Output);
// Converts components in text form one after the other, as ObjectTextToBinary, as long as
// `Follows` accepts the text after the last one (it is asked after each); one copy of the
// text serves them all. Bad text leaves `Output` and `Input`'s position as they were.
void ObjectListTextToBinary(TStream* Input, TStream* Output,
                            const std::function<bool(std::string_view)>& Follows);
// Converts a whole module in text form, as ObjectTextToBinary; only blanks may follow the
// root's closing `end` (a stray `end`, a second object or other text is refused, naming its
// line and column).
void ModuleTextToBinary(TStream* Input, TStream* Output);
// A memory stream `Output` of either conversion remembers the line and column each part came
// from, so that a reader of it names them in its messages instead of offsets.
//
// The same behind a resource header: skips the header and converts to text; converts text to
// binary behind a header named by the root's class.
void ObjectResourceToText(TStream* Input, TStream* Output);
void ObjectTextToResource(TStream* Input, TStream* Output);

}  // namespace formwright
