#pragma once
// Pieces shared by the UTM and State Plane paths of "Convert". A click works
// on a copy of the four box texts and writes them back only at its end, so a
// click that ends early leaves every box as it was.

#include "geodesy/ProjectionParams.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/GridFamily.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace kartoval {

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

// What a path did: false when the zone can't be converted (the user has then
// been told why, and the click must end with no box changed); for a transverse
// Mercator zone, how far the point lies from its central meridian (degrees).
struct PathOutcome {
    bool Converted = false;
    std::optional<double> DegreesFromCentralMeridian;
    std::optional<TmEngine> Engine;  // the transverse Mercator that converted; none for other projections
};

// What every path of one click works with.
struct ConvertContext {
    const Platform& Env;
    Ellipsoid Shape;  // as the table gives it, metres; each path puts it in its grid's unit
    int Position;     // selected zone position, -1 when none
    TmEngine Engine = TmEngine::Series;  // computes the transverse Mercator zones
};

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

// The State Plane paths (family Nad27 or Nad83).
[[nodiscard]] PathOutcome ForwardStatePlane(PageTexts& texts, const ConvertContext& context, XyProjectionKind family);
[[nodiscard]] PathOutcome InverseStatePlane(PageTexts& texts, const ConvertContext& context, XyProjectionKind family);

// Shows a lookup's error as the window's error report would, for a path that
// ends after it without changing a box.
void ShowLookupError(const Platform& platform, const CommandError& error);

}  // namespace kartoval
