#pragma once
// The State Plane zone tables nad27.txt (US survey feet) and nad83.txt
// (metres): name, projection keyword, then up to seven parameters, one zone a
// line, in the program's data folder.
//
// Parameter roles (angles in decimal degrees):
//   LAMBERT: 1 central meridian, 2 latitude of origin, 3 first standard
//            parallel, 4 second standard parallel, 5 false easting,
//            6 false northing
//   TM:      1 central meridian, 2 latitude of origin, 3 scale factor,
//            4 false easting, 5 false northing
//   OM1:     1 latitude of the centre, 2 longitude of the centre, 3 azimuth
//            of the initial line, 4 angle from the rectified to the skew
//            grid, 5 scale factor on the initial line, 6 false easting,
//            7 false northing
//
// Callers take a zone typed (LoadStatePlaneZone): its projection with named
// parameters and its grid unit, so no caller knows positions or unit factors.

#include "geodesy/ProjectionParams.hpp"
#include "refdata/GridFamily.hpp"
#include "refdata/GridUnit.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kartoval {

inline constexpr const char* kNad27FileName = "nad27.txt";
inline constexpr const char* kNad83FileName = "nad83.txt";
inline constexpr const char* kNadLookupMissingMessage = "Can't find NAD data file";

enum class ZoneProjectionKind { Lcc = 1, Tm = 2, Om1 = 3 };

inline constexpr int kZoneParamCount = 7;

struct ZoneDefinition {
    std::optional<ZoneProjectionKind> Kind;  // none for a keyword other than LAMBERT, TM, OM1
    std::string Keyword;                     // field 2 as written
    std::array<std::optional<double>, kZoneParamCount> Params{};  // Params[0] is parameter 1
    std::string Where;                       // "<path>, line <n>", for messages

    // Parameter k, counted from 1 as in the table's roles.
    [[nodiscard]] const std::optional<double>& Param(int k) const { return Params.at(static_cast<std::size_t>(k - 1)); }
};

// The unit of a grid family's values (metres for UTM).
[[nodiscard]] constexpr GridUnit FamilyUnit(XyProjectionKind family)
{
    return family == XyProjectionKind::Nad27 ? GridUnit::UsSurveyFoot : GridUnit::Metre;
}

using ZoneProjection = ZoneParams;

struct StatePlaneZone {
    std::string Name;
    GridUnit Unit = GridUnit::Metre;
    ZoneProjection Projection;
    std::string Where;  // "<path>, line <n>", for messages
};

// The zone table file of a State Plane family (nad27.txt or nad83.txt);
// nullptr for the UTM families.
[[nodiscard]] const char* ZoneFileName(XyProjectionKind family);

// Append the zone names of nad27.txt / nad83.txt to the list; neither clears
// nor selects. A missing file says "Can't find NAD27 data file" (NAD83).
void ListNad27Zones(ListControl& list, const Platform& platform);
void ListNad83Zones(ListControl& list, const Platform& platform);

// The zone of line `lineNumber` (from 1; 0 and below read line 1) as written.
// Throws CommandError with the caption "File error" when the file is missing
// ("Can't find NAD data file"), the line is not there, has no TAB or has a
// parameter that is not a number (the message names file and line).
[[nodiscard]] ZoneDefinition LoadZoneDefinition(const Platform& platform, const char* fileName, int lineNumber);

// The zone at list position p (line p + 1) of a State Plane family's table,
// typed. Throws as LoadZoneDefinition does, and also ("File error", naming the
// file and line) for a keyword other than LAMBERT, TM and OM1 or a parameter
// that the zone's projection needs and the line lacks.
[[nodiscard]] StatePlaneZone LoadStatePlaneZone(const Platform& platform, XyProjectionKind family, int position);

// Every listed zone of a family's table (lines 1 to N - 1), in order; throws
// as LoadStatePlaneZone does at the first line that is not a usable zone.
[[nodiscard]] std::vector<StatePlaneZone> ReadStatePlaneZones(const Platform& platform, XyProjectionKind family);

}  // namespace kartoval
