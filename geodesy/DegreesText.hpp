#pragma once
// Angles and coordinates as field books, GPS units, datasheets and point files
// write them, read and written without the C locale: decimal degrees with or
// without a hemisphere letter (-77.5, 77.5W, W77.5), degrees-minutes-seconds
// in the usual spellings (77°30'00"W, 77d30'00"W, 77:30:00W, 77°30.5'W),
// with unit letters (29d45m37.44s N, 29d45m37.44sN, 95d22.188m W) and packed
// DDDMMSS with a letter (773000W). A d, m or s right after a number is its
// unit; a hemisphere letter stands apart from them, leading or trailing. The
// point files, kartoval-convert and the window's Latitude and Longitude boxes
// share this reader. Plain numbers are read and written through from_chars /
// to_chars.

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

// The same for a field or box that holds an angle, with what was expected:
// "is not an angle: use 29d45m37.44s N, 29°45'37.44"N or 29.760400". The
// example is a latitude or a longitude as `axis` says, its decimal degrees
// written with `decimalSeparator` and, with `westWithoutMinus`, a western
// longitude without a minus.
[[nodiscard]] std::string AngleProblemText(TextProblem problem, AngleAxis axis, bool westWithoutMinus,
                                           char decimalSeparator = '.');

// Appends `value` in fixed notation with `decimals` digits after a point (0 to
// 12), rounded as to_chars rounds; a value that rounds to zero is "0.000",
// never "-0.000".
void AppendFixed(std::string& out, double value, int decimals);

// Appends degrees as d°m's.sss"H (H = N/S or E/W), seconds with `decimals`
// digits; a rounding to 60 seconds carries into the minutes and degrees.
void AppendDms(std::string& out, double degrees, AngleAxis axis, int decimals);

// Appends degrees and decimal minutes as d°m.mmmm'H, minutes with `decimals`
// digits (0 to 9); a rounding to 60 minutes carries into the degrees.
void AppendDm(std::string& out, double degrees, AngleAxis axis, int decimals);

}  // namespace kartoval
