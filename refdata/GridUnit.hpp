#pragma once
// The linear unit of a grid's values.

namespace kartoval {

// The unit of a State Plane grid: US survey feet for NAD27, metres for NAD83.
enum class GridUnit { Metre, UsSurveyFoot };

// The factor the NAD27 grids have always been computed with: the decimal
// 3.28083333333333 as written, not 3937/1200.
inline constexpr double kUsSurveyFeetPerMetre = 3.28083333333333;

// Grid units in one metre: the semi-major axis in metres times this gives it
// in the grid's unit.
[[nodiscard]] constexpr double GridUnitsPerMetre(GridUnit unit)
{
    return unit == GridUnit::UsSurveyFoot ? kUsSurveyFeetPerMetre : 1.0;
}

}  // namespace kartoval
