#pragma once
// Text from a file or a box, made fit to stand inside a message: every
// character that would be invisible, would move the rest of the message, or
// would end it early is shown by a name in angle brackets.

#include <string>
#include <string_view>

namespace kartoval {

// `text` with control and invisible characters escaped: <NUL>, <TAB>, <LF>,
// <CR>, <DEL>, other control characters as <0x01>, invisible and spacing-only
// characters as <U+FEFF>, <U+00A0>, <U+200B> ..., and bytes that are not
// UTF-8 as <0xFF>. Ordinary characters, the blank included, stay as they are.
// The result never holds a NUL, so it survives being passed on as a C string;
// it is never shortened.
[[nodiscard]] std::string VisibleText(std::string_view text);

// "'" + VisibleText(text) + "'": a quoted value of a message.
[[nodiscard]] std::string QuotedText(std::string_view text);

// A field quoted in a message, however long it is: at most 60 characters of
// it in quotes, escaped as VisibleText does, then "... (N characters)" when
// there is more, so a huge field never floods a message.
[[nodiscard]] std::string QuotedField(std::string_view text);

}  // namespace kartoval
