#include "geodesy/PointChecks.hpp"

#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

#include <cmath>

namespace kartoval {

void CheckLatitude(double latitude, char decimalSeparator)
{
    if (!(latitude >= -90.0 && latitude <= 90.0)) {
        throw PointRangeError("Latitude " + FloatToStr(latitude, decimalSeparator) + " is outside -90..90");
    }
}

void CheckLongitude(double longitude, char decimalSeparator)
{
    if (!(longitude >= -360.0 && longitude <= 360.0)) {
        throw PointRangeError("Longitude " + FloatToStr(longitude, decimalSeparator) + " is outside -360..360");
    }
}

void CheckGridResult(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y)) throw PointRangeError(kOutsideProjectionMessage);
}

void CheckGeographicResult(double latitude, double longitude)
{
    if (!std::isfinite(longitude) || !(latitude >= -90.0 && latitude <= 90.0)) {
        throw PointRangeError(kOutsideProjectionMessage);
    }
}

}  // namespace kartoval
