// Components on the clipboard: the two formats copied components travel in, the conversions
// between their binary component stream and its text form, and copy and paste of components
// for the designer's tool windows.
//
// A copy puts the binary stream (signature-prefixed components ended by a 0 value) under
// CF_COMPONENTS and its text form under CF_TEXT, so that other programs see readable text and
// text pasted from elsewhere ("object Button1: TButton … end") can come back as components.
#pragma once

#include "contracts/DesignIntf.h"
#include "platform/runtime/Clipboard.h"

namespace formwright {

// Registered when the package starts, under "Pellam Components" and "Pellam Component".
extern const TClipboardFormat CF_COMPONENTS;
extern const TClipboardFormat CF_COMPONENT;

// Puts the whole of `Stream` under CF_COMPONENTS and its text form under CF_TEXT, as one
// clipboard content. Integers leading the stream (the bounds of a copied area) and whatever
// follows the 0 value that ends the components (handler texts) have no text form. The stream is converted
// first: a stream that cannot be converted raises (EInvalidImage) and leaves the clipboard as it was. The
// stream's position is kept.
void CopyStreamToClipboard(TStream* Stream);

// A new stream, positioned at 0, holding the clipboard's components in binary form: the
// CF_COMPONENTS block when there is one, else the components of the clipboard text converted
// (every leading text that looks like a component) and a closing 0 value. Text that is not
// valid component text raises EParserError.
TOwned<TMemoryStream> GetClipboardStream();

// Converts the components written as text at `Text`'s position ("object Memo1: TMemo … end",
// one after another, as people copy them out of a form file) to their binary form at
// `Binary`'s position and ends the list with a 0 value. The first object is always converted;
// later ones while the rest of the text begins like a component. Bad text raises EParserError.
void ComponentsTextToBinary(TStream* Text, TStream* Binary);

// Ends a list of binary components with its 0 value.
void EndComponentList(TStream* Binary);

// True when `Text`, after leading blanks, tabs and line breaks, begins with "object" or
// "inline" (any letter case). Texts of 6 characters or fewer never qualify.
bool PossibleStream(std::string_view Text);

// True when the clipboard holds components: CF_COMPONENTS, or text that looks like them.
bool ClipboardComponents();

// Copies the components among `Selections` (other persistents are skipped), written with
// `Root` as the root that names and references are relative to.
void CopyComponents(TComponent* Root, const IPtr<IDesignerSelections>& Selections);

// Reads the clipboard's components into `Owner` with `Parent` as their parent and adds each
// top-level component read to `Selections`. A name `Owner` already uses is replaced by the
// class name without its leading T and the first free number (a second Button1 becomes
// Button2), and references inside the pasted components follow the new names; handlers that
// `Owner`'s class does not have are left empty. A read that fails keeps what was read
// completely before the failure and passes the exception on.
void PasteComponents(TComponent* Owner, TComponent* Parent, const IPtr<IDesignerSelections>& Selections);

}  // namespace formwright
