#pragma once
// The conversion core's datum shift, done on the NADCON grids.

#include "conversion/ConversionRoute.hpp"
#include "datum/DatumShift.hpp"

namespace kartoval {

class GridShiftEngine : public DatumShiftEngine {
public:
    // `shifter` must outlive the engine.
    explicit GridShiftEngine(DatumShifter& shifter) : shifter_(shifter) {}
    [[nodiscard]] ShiftedDegrees Shift(GeodeticDatum from, GeodeticDatum to, const GeoPoint& degrees) override;

private:
    DatumShifter& shifter_;
};

}  // namespace kartoval
