#pragma once

namespace kartoval {

// The value rounded to `decimals` places, half away from zero, judged on the
// shortest decimal text that reads back as the value: 2.675 is "2.675" and
// gives 2.68, not the 2.67 that its binary neighbour below would give. Values
// with no digits beyond that place (huge ones included) and values that are
// not finite come back unchanged; a result of zero is never negative.
[[nodiscard]] double RoundDecimals(double value, int decimals);

}  // namespace kartoval
