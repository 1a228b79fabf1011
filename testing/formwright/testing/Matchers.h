// GoogleMock matchers for what design-time code raises and writes: exceptions with their
// messages, the contents of streams, and module files in either of their forms.
#pragma once

#include <gmock/gmock.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/runtime/Streams.h"
#include "platform/runtime/SysUtils.h"

namespace formwright::testing {

// Matches an exception (derived from `Exception`) whose message matches `M` (a matcher or a
// plain text compared for equality).
template <class M>
auto HasMessage(M&& Matcher) {
  return ::testing::Property("Message", &Exception::Message,
                             ::testing::MatcherCast<const String&>(std::forward<M>(Matcher)));
}

// Matches a callable that raises an `E` whose message matches `Matcher`:
//   EXPECT_THAT([&] { Parse(Text); }, Raises<EParserError>(HasSubstr("on line 3")));
template <class E, class M>
auto Raises(M&& Matcher) {
  return ::testing::Throws<E>(HasMessage(std::forward<M>(Matcher)));
}

// The message of the `E` that `Call` raises, or "(no exception)" when it returns. For tests that
// go on to check what the failed call left behind; a plain check uses `Raises`.
template <class E = Exception, class F>
String MessageOf(F&& Call) {
  try {
    std::invoke(std::forward<F>(Call));
  } catch (const E& Error) {
    return Error.Message();
  }
  return "(no exception)";
}

// The bytes of a stream (all of them, wherever its position is) or of a byte vector, as text.
inline String TextOf(const std::vector<uint8_t>& Bytes) { return String(Bytes.begin(), Bytes.end()); }
inline String TextOf(const TMemoryStream& Stream) { return TextOf(Stream.Bytes()); }
inline String TextOf(const TMemoryStream* Stream) { return TextOf(Stream->Bytes()); }
template <class T>
String TextOf(const TOwned<T>& Stream) {
  return TextOf(Stream->Bytes());
}

// Matches a memory stream (object, pointer or owner) or a byte vector whose text matches
// `Matcher` (a matcher or a plain text compared for equality).
MATCHER_P(StreamText, Matcher, "whose text " + ::testing::DescribeMatcher<String>(Matcher, negation)) {
  const String Text = TextOf(arg);
  *result_listener << "whose text is \"" << Text << "\"";
  return ::testing::MatcherCast<const String&>(Matcher).Matches(Text);
}

// Matches a memory stream or byte vector whose text contains `Part`.
inline auto StreamContains(const String& Part) { return StreamText(::testing::HasSubstr(Part)); }

// The text form of a module file's bytes, whether it was saved as text or binary, so that a
// check reads the same for both: EXPECT_THAT(ModuleText(Files->Contents("Main.fwf")), ...).
String ModuleText(const String& Bytes);
// The binary form of a module's text, as a module saved in binary holds it.
String ModuleBinary(const String& Text);

}  // namespace formwright::testing
