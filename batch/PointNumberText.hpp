#pragma once
// Numbers as the point files hold them: fixed notation, six decimals, a point
// as separator whatever the user's locale.

#include <string>

namespace kartoval {

inline constexpr int kPointFileDecimals = 6;

// Appends `value` as FixedToStr(value, 6) writes it, except that a value that
// rounds to zero is written "0.000000", never "-0.000000".
void AppendPointNumber(std::string& out, double value);

}  // namespace kartoval
