#pragma once
// The Latitude and Longitude boxes read angles as field books, GPS units and
// NGS datasheets write them, besides plain numbers.

#include "geodesy/DegreesText.hpp"

#include <string_view>

namespace kartoval {

// The degrees in the Latitude or Longitude box. A plain number reads as in
// every box (ReadBox: the user's decimal separator) and refuses the same
// texts with the same message; only a text that is no plain number is read
// as an angle (29d45m37.44s N, 29°45'37.44"N, N 29 45.624). An angle with a
// fault (minutes of 60, an E on a latitude) throws ConvertError naming the
// box, the fault and what was expected.
[[nodiscard]] double ReadDegreesBox(std::string_view text, const char* box, AngleAxis axis, char decimalSeparator);

}  // namespace kartoval
