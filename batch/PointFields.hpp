#pragma once
// The fields of one point file line. Fields are separated by one or more
// spaces or tabs; the characters with codes 32 and below are trimmed from
// both ends of the line and of every field, so a CR, leading blanks and
// trailing blanks never make a field. Other characters, commas and
// semicolons included, are part of a field.

#include "batch/FileConversion.hpp"

#include <array>
#include <string_view>

namespace kartoval {

struct PointFields {
    std::array<std::string_view, kPointColumnCount> Field;  // column A first
    int Count = 0;  // fields found, at most kPointColumnCount; 0 for a blank line
};

// The first kPointColumnCount fields of `line`; the views point into `line`.
[[nodiscard]] PointFields SplitPointFields(std::string_view line);

// The letter of a column list position: 0 is "A".
[[nodiscard]] char ColumnLetter(int column);

}  // namespace kartoval
