#include "batch/PointFields.hpp"

#include "batch/LineFields.hpp"

#include <vector>

namespace kartoval {

PointFields SplitPointFields(std::string_view line)
{
    std::vector<FieldSpan> spans;
    std::size_t badField = 0;
    (void)SplitFields(line, Delimiter::Whitespace, spans, badField);  // blank-separated lines always split
    PointFields fields;
    for (const FieldSpan& span : spans) {
        if (fields.Count == kPointColumnCount) break;
        fields.Field[static_cast<std::size_t>(fields.Count++)] = line.substr(span.Begin, span.End - span.Begin);
    }
    return fields;
}

char ColumnLetter(int column) { return static_cast<char>('A' + column); }

}  // namespace kartoval
