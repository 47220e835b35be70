#pragma once
// The fields of one line of a point file, for every delimiter the converter
// reads: runs of blanks (the File page's files), TAB, comma or semicolon. A
// comma or semicolon file may quote a field ("a, b", doubled "" inside, as in
// RFC 4180); the quotes are not part of the field's value, and a field that
// came quoted is written back quoted.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kartoval {

enum class Delimiter { Auto, Whitespace, Tab, Comma, Semicolon };

// A field's place in its line: [Begin, End) holds it as written, quotes
// included. For blank-separated lines the blanks around it are not part of it.
struct FieldSpan {
    std::uint32_t Begin = 0;
    std::uint32_t End = 0;
    bool Quoted = false;
};

// Splits `line` into `fields` (cleared first). Blank-separated: fields are
// separated by spaces and tabs, and characters with codes 32 and below are
// trimmed from their ends. Gives false, leaving in `badField` the number (from
// 0) of the field, when a quoted field has no closing quote or text follows it.
[[nodiscard]] bool SplitFields(std::string_view line, Delimiter delimiter, std::vector<FieldSpan>& fields,
                               std::size_t& badField);

// The value of a field: blanks trimmed, quotes removed and "" undone (into
// `scratch` when needed).
[[nodiscard]] std::string_view FieldValue(std::string_view line, const FieldSpan& field, std::string& scratch);

// The delimiter of a file whose first data line is `line`: semicolon or comma
// when one stands outside quotes, TAB when tabs separate fields without blanks
// beside them, blanks otherwise.
[[nodiscard]] Delimiter DetectDelimiter(std::string_view line);

// The character written between fields: TAB for blank-separated input.
[[nodiscard]] char OutputSeparator(Delimiter delimiter);

// Appends `text` as a field of a comma or semicolon file, quoted (with ""
// for quotes) when `quote` is set or the text holds the separator or a quote.
void AppendField(std::string& out, std::string_view text, char separator, bool quote);

}  // namespace kartoval
