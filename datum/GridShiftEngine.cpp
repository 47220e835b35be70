#include "datum/GridShiftEngine.hpp"

namespace kartoval {

ShiftedDegrees GridShiftEngine::Shift(GeodeticDatum from, GeodeticDatum to, const GeoPoint& degrees)
{
    const DatumShiftResult shifted = shifter_.Shift(from, to, degrees.Longitude, degrees.Latitude);
    return ShiftedDegrees{GeoPoint{shifted.Longitude, shifted.Latitude}, std::string(shifted.Grid),
                          shifted.NorthMetres, shifted.EastMetres};
}

}  // namespace kartoval
