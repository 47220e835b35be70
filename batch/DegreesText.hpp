#pragma once
// Angles and coordinates as field books and point files write them, read and
// written without the C locale: decimal degrees with or without a hemisphere
// letter (-77.5, 77.5W, W77.5), degrees-minutes-seconds in the usual
// spellings (77°30'00"W, 77d30'00"W, 77:30:00W, 77°30.5'W) and packed
// DDDMMSS with a letter (773000W). Plain numbers are read and written through
// from_chars / to_chars.

#include <string>
#include <string_view>

namespace kartoval {

enum class AngleAxis { Longitude, Latitude };

// Why a text is not the number or angle wanted; None when it is.
enum class TextProblem {
    None,
    NotANumber,
    MinutesTooLarge,   // minutes of 60 or more
    SecondsTooLarge,   // seconds of 60 or more
    TwoHemispheres,    // two letters, or a sign and a letter
    WrongHemisphere,   // N/S on a longitude, E/W on a latitude
    MinusNotAllowed,   // a minus where longitudes are west without minuses
};

// A plain decimal number: optional minus, digits, point, exponent; blanks
// around it allowed, nothing else (no '+', no "inf", no "nan").
[[nodiscard]] TextProblem ParsePlainNumber(std::string_view text, double& value);

// An angle in any of the spellings above. With `westWithoutMinus` a longitude
// without a letter is west, and a minus sign is refused.
[[nodiscard]] TextProblem ParseDegrees(std::string_view text, AngleAxis axis, bool westWithoutMinus, double& value);

// What a problem is called in a message: "is not a number", ...
[[nodiscard]] const char* ProblemText(TextProblem problem);

// Appends `value` in fixed notation with `decimals` digits after a point (0 to
// 12), rounded as to_chars rounds; a value that rounds to zero is "0.000",
// never "-0.000".
void AppendFixed(std::string& out, double value, int decimals);

// Appends degrees as d°m's.sss"H (H = N/S or E/W), seconds with `decimals`
// digits; a rounding to 60 seconds carries into the minutes and degrees.
void AppendDms(std::string& out, double degrees, AngleAxis axis, int decimals);

}  // namespace kartoval
