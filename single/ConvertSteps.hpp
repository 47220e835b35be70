#pragma once
// Pieces of "Convert" that its tests and tools share. A click works on a copy
// of the four box texts and writes them back only at its end, so a click that
// ends early leaves every box as it was.

#include <string>
#include <string_view>

namespace kartoval {

struct PageTexts {
    std::string Latitude;
    std::string Longitude;
    std::string X;
    std::string Y;
};

// The boxes as messages name them.
inline constexpr const char* kLatitudeBox = "Latitude";
inline constexpr const char* kLongitudeBox = "Longitude";
inline constexpr const char* kXBox = "X";
inline constexpr const char* kYBox = "Y";

// The number in a box's text; a text that is no number throws ConvertError
// naming the box: "Latitude: 'abc' is not a valid floating point value".
[[nodiscard]] double ReadBox(std::string_view text, const char* box, char decimalSeparator);

}  // namespace kartoval
