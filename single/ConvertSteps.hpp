#pragma once
// Pieces shared by the UTM and State Plane paths of "Convert". A click works
// on a copy of the four box texts and writes them back only at its end, so a
// click that ends early leaves every box as it was.

#include "toolkit/Platform.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace kartoval {

// NAD27 State Plane grids are in US survey feet: the zone table gives their
// false origins in feet, and the semi-major axis is scaled to match. This is
// the factor the NAD27 grids have always been computed with (not 3937/1200).
inline constexpr double kUsSurveyFeetPerMetre = 3.28083333333333;

struct PageTexts {
    std::string Latitude;
    std::string Longitude;
    std::string X;
    std::string Y;
};

// The boxes as messages name them.
inline constexpr const char* kLatitudeBox = "Latitude";
inline constexpr const char* kLongitudeBox = "Longitude";
inline constexpr const char* kXBox = "X";
inline constexpr const char* kYBox = "Y";

// The number in a box's text; a text that is no number throws ConvertError
// naming the box: "Latitude: 'abc' is not a valid floating point value".
[[nodiscard]] double ReadBox(std::string_view text, const char* box, char decimalSeparator);

// What every path of one click works with.
struct ConvertContext {
    const Platform& Env;
    double A;        // semi-major axis, in the unit the grid values come out in
    double E;        // first eccentricity
    int Position;    // selected zone position, -1 when none
};

// What a path did: false when the zone can't be converted (the user has then
// been told why, and the click must end with no box changed); for a transverse
// Mercator zone, how far the point lies from its central meridian.
struct PathOutcome {
    bool Converted = false;
    std::optional<double> DegreesFromCentralMeridian;
};

// The angle between a longitude and a central meridian, in 0..180 degrees,
// whichever way round the globe is shorter.
[[nodiscard]] double DegreesBetweenMeridians(double longitude, double centralMeridian);

// Reads the typed latitude then longitude; refuses a latitude outside -90..90
// and a longitude outside -360..360.
struct Geographic {
    double Latitude;
    double Longitude;
};
[[nodiscard]] Geographic ReadGeographic(const PageTexts& texts, char decimalSeparator);

// Writes a forward result (X, Y) or an inverse one (latitude, longitude)
// after checking that it is a real point.
void WriteGrid(PageTexts& texts, double x, double y, char decimalSeparator);
void WriteGeographic(PageTexts& texts, double latitude, double longitude, char decimalSeparator);

// The State Plane paths.
[[nodiscard]] PathOutcome ForwardStatePlane(PageTexts& texts, const ConvertContext& context, const char* zoneFile);
[[nodiscard]] PathOutcome InverseStatePlane(PageTexts& texts, const ConvertContext& context, const char* zoneFile);

}  // namespace kartoval
