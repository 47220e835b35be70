#pragma once
// Numbers as the user reads and types them. The decimal separator is the
// user's locale's, handed in by the application at start; nothing here reads
// the C locale, so a comma locale can't change how the point files are read.

#include <optional>
#include <string>
#include <string_view>

namespace kartoval {

// Removes the characters with codes 32 and below (blank, TAB, CR, ...) at both ends.
[[nodiscard]] std::string Trim(std::string_view text);

// Reads a number: blanks around it are ignored, then an optional sign, digits
// with at most one decimal separator, and an optional exponent (E or e, an
// optional sign, digits). The value is the double nearest to the decimal
// text, however many digits it has (ties to even). A value too large for a
// double is refused, whatever its exponent's sign ("1e309", or 320 nines
// then "e-1"); a nonzero value too small for the smallest subnormal double
// (below half of 4.9E-324) reads as zero of its sign, written as "1e-331" or
// as "0." and 330 zeros and a 1 alike: both round to zero. Anything else, the
// empty text included, throws ConvertError "'<text>' is not a valid floating
// point value", the text shown with VisibleText.
[[nodiscard]] double StrToFloat(std::string_view text, char decimalSeparator = '.');

// StrToFloat's reading without the exception: nothing when it would throw.
[[nodiscard]] std::optional<double> TryStrToFloat(std::string_view text, char decimalSeparator = '.');

// The quick road for the plain decimals point files mostly hold ("-77.5":
// an optional minus, digits, an optional point and digits, nothing around):
// their value when it can be had quickly and exactly, the value every reader
// here gives them; nothing otherwise, whatever the text, for those readers to
// decide.
[[nodiscard]] std::optional<double> QuickPlainDecimal(std::string_view text);

// Reads a number from a data or point file: the point is always accepted as
// the decimal separator, and so is the user's own, so files written here read
// back in any locale and files typed in a comma locale still read.
[[nodiscard]] double FileStrToFloat(std::string_view text, char decimalSeparator);

// General format: at most 15 significant digits, no trailing zeros, no
// separator for whole values; exponent form (1.5E-6, 1E20) for magnitudes
// below 0.00001 (zero excepted) or with more than 15 integer digits.
[[nodiscard]] std::string FloatToStr(double value, char decimalSeparator = '.');

// Fixed notation with `decimals` digits after a point separator, as the point
// files are written: "-77.500000".
[[nodiscard]] std::string FixedToStr(double value, int decimals);

}  // namespace kartoval
