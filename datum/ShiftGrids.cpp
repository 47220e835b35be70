#include "datum/ShiftGrids.hpp"

#include <array>
#include <string>

namespace kartoval {
namespace {

// NAD27 is tried over the conterminous US first; the two grids overlap only
// over open sea off Washington.
constexpr std::array kNad27Grids = {ShiftGrid{"us_noaa_conus.tif", "conterminous US", 145.1},
                                    ShiftGrid{"us_noaa_alaska.tif", "Alaska", 275.4}};
constexpr std::array kOldHawaiianGrids = {ShiftGrid{"us_noaa_hawaii.tif", "Hawaii", 684.7}};
constexpr std::array kPuertoRicoGrids = {ShiftGrid{"us_noaa_prvi.tif", "Puerto Rico and Virgin Islands", 227.2}};
constexpr std::array kStLawrenceGrids = {ShiftGrid{"us_noaa_stlrnc.tif", "St. Lawrence Island", 76.6}};
constexpr std::array kStPaulGrids = {ShiftGrid{"us_noaa_stpaul.tif", "St. Paul Island", 161.9}};
constexpr std::array kStGeorgeGrids = {ShiftGrid{"us_noaa_stgeorge.tif", "St. George Island", 194.1}};

}  // namespace

std::span<const ShiftGrid> GridsToNad83(GeodeticDatum datum)
{
    switch (datum) {
    case GeodeticDatum::Nad27: return kNad27Grids;
    case GeodeticDatum::OldHawaiian: return kOldHawaiianGrids;
    case GeodeticDatum::PuertoRico: return kPuertoRicoGrids;
    case GeodeticDatum::StLawrence: return kStLawrenceGrids;
    case GeodeticDatum::StPaul: return kStPaulGrids;
    case GeodeticDatum::StGeorge: return kStGeorgeGrids;
    case GeodeticDatum::Nad83:
    case GeodeticDatum::Wgs84:
        break;
    }
    return {};
}

bool HasGridPath(GeodeticDatum from, GeodeticDatum to)
{
    if (from == to) return true;
    if (to == GeodeticDatum::Nad83) return !GridsToNad83(from).empty();
    if (from == GeodeticDatum::Nad83) return !GridsToNad83(to).empty();
    return false;
}

std::string NoGridPathReason(GeodeticDatum from, GeodeticDatum to)
{
    std::string reason = "No NADCON grid connects " + std::string(DatumName(from)) + " and " +
                         std::string(DatumName(to)) + ": ";
    if (from == GeodeticDatum::Wgs84 || to == GeodeticDatum::Wgs84) {
        return reason + "WGS 84 differs from NAD83 by a time-dependent transformation that no shipped grid holds, "
                        "and a fixed-parameter guess would be metres off. Use NAD83 on both sides or convert "
                        "without changing the datum.";
    }
    return reason + "the grids only connect a 1927-era datum with NAD83. Convert to NAD83 first, then onwards.";
}

}  // namespace kartoval
