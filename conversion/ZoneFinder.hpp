#pragma once
// Which zone a point belongs in: the UTM zone by the 6-degree rule and its
// two northern exceptions, the State Plane zones whose area holds a point,
// and the zones that typed grid values fit.

#include "conversion/ConversionRoute.hpp"
#include "conversion/CoordinateSide.hpp"
#include "refdata/Ellipsoids.hpp"
#include "toolkit/Platform.hpp"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kartoval {

// A zone of a family's list, as a side and its list position.
struct FoundZone {
    CoordinateSide Side;
    int Position = 0;           // in the family's zone list (UTM: zone - 1)
    double CentreKilometres = 0.0;  // from the point to the centre of the zone's area
};

// The UTM zone of a point (degrees): 6-degree bands from 180W, 180E in zone
// 60; zone 32 widened west to 3E from 56N up to 64N (south-west Norway); from
// 72N to 84N zones 31, 33, 35 and 37 share 0E..42E between them (Svalbard).
// North hemisphere from the equator up. Nothing outside 80S..84N, where the
// polar grids take over, and for a longitude beyond -180..180.
[[nodiscard]] std::optional<CoordinateSide> StandardUtmZone(double latitude, double longitude);

// The State Plane zones of a family (Nad27 or Nad83) whose area of use holds
// the point, edges included and with no margin; the zone whose area centre is
// nearest first. Throws the tables' CommandError ("File error").
[[nodiscard]] std::vector<FoundZone> StatePlaneZonesAt(XyProjectionKind family, const GeoPoint& point,
                                                       const Platform& platform);

// The zones of a family for which grid values (x, y) in the family's unit
// give degrees inside the zone's own area (UTM: inside its band by the rule
// above), converted on `ellipsoid`; nearest area centre first. Values no
// zone can place give an empty list.
[[nodiscard]] std::vector<FoundZone> ZonesForGridValues(XyProjectionKind family, double x, double y,
                                                        const Ellipsoid& ellipsoid, const Platform& platform);

// The EPSG name of a side: "WGS 84 / UTM zone 32N", "NAD83 / Texas South
// Central"; and its EPSG code (UTM on WGS 84: 326zz / 327zz); nothing when
// the tables give none.
[[nodiscard]] std::string EpsgStyleName(const CoordinateSide& side);
[[nodiscard]] std::optional<int> SideEpsgCode(const CoordinateSide& side, const Platform& platform);

// kartoval-convert's "utm:auto": each point in the UTM zone the rule above
// gives it, on one datum (none: WGS 84). Routes to the zones are built by
// `build` as points need them; `degrees` takes the input to that datum's
// degrees, which pick the zone.
class AutoUtmRoute {
public:
    using Builder = std::function<ConversionRoute(const CoordinateSide& to)>;
    AutoUtmRoute(ConversionRoute degrees, Builder build, std::optional<GeodeticDatum> datum);

    // The route of the point's zone. Throws PointRangeError for a point
    // beyond 80S..84N, and what the routes throw.
    [[nodiscard]] const ConversionRoute& RouteFor(double x, double y) const;

private:
    ConversionRoute degrees_;
    Builder build_;
    std::optional<GeodeticDatum> datum_;
    mutable std::map<int, std::unique_ptr<ConversionRoute>> zones_;  // by +-zone number (south negative)
};

// "32N": the zone column of a utm:auto run.
[[nodiscard]] std::string UtmZoneText(const CoordinateSide& side);

}  // namespace kartoval
