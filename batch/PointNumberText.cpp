#include "batch/PointNumberText.hpp"

#include "geodesy/DegreesText.hpp"

namespace kartoval {

void AppendPointNumber(std::string& out, double value) { AppendFixed(out, value, kPointFileDecimals); }

}  // namespace kartoval
