#pragma once
// The "File Convertion" page as its commands see it: the controls GO reads,
// by their window names.

#include "batch/FileConversion.hpp"
#include "refdata/GridFamily.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <functional>
#include <string>

namespace kartoval {

struct FileConversionPage {
    TextControl& EditInput;
    TextControl& EditOutput;
    ListControl& BoxEllipsoid;
    ListControl& BoxProjection;  // zones of the page's grid family
    ListControl& BoxLon;         // column letters A to J
    ListControl& BoxLat;
    ListControl& BoxSP;
    CheckControl& BoxSkip;
    CheckControl& BoxMinusW;
    CheckControl& ButtonDegreesToUTM;  // unchecked means grid to degrees
    // The page's grid family group; none checked counts as UTM north.
    CheckControl& ButFileUTMS;
    CheckControl& ButFileNAD27;
    CheckControl& ButFileNAD83;
    // Captions that follow the family and the direction.
    TextControl& Label7;  // names BoxProjection
    TextControl& LabLongi;
    TextControl& LabLati;
    TextControl& ButtonDegreesToUTMCaption;
    TextControl& ButtonUTMToDegreesCaption;
    // "Kartoval text", "CSV", "GeoJSON", "KML"; none means Kartoval text.
    ListControl* BoxFormat = nullptr;
    // "Keep other columns"; none means unchecked.
    CheckControl* BoxKeepColumns = nullptr;
    // The path the Output File dialog last confirmed: EditOutput holding any
    // other text at GO was typed. None: a page that doesn't follow the
    // dialog, whose paths all count as confirmed.
    const std::string* ConfirmedOutput = nullptr;
    // Opens the datum shift grids for GeoJSON and KML of NAD27 points.
    std::function<DatumShiftEngine&()> MapShift = {};
};

// "GO": converts the input file into the output file with the page's
// settings, the engine computing the transverse Mercator zones. Gives the
// summary of a completed run.
std::optional<FileRunSummary> GOClick(FileConversionPage& page, const Platform& platform,
                                      TmEngine engine = TmEngine::Series);

// "Show points...": converts the file `input` with the page's settings into
// a plot only (nothing written, no row limit, points beyond the area kept).
std::optional<FileRunSummary> ShowPointsClick(FileConversionPage& page, const Platform& platform,
                                              const std::string& input, TmEngine engine = TmEngine::Series);

// The format list's entries, in OutputFormat's order.
inline constexpr const char* kOutputFormatNames[] = {"Kartoval text", "CSV", "GeoJSON", "KML"};

// The page's grid family buttons: refill BoxProjection with the family's
// zones (the UTM lists at zone 29, as at start; the State Plane lists at
// their first zone) and relabel the page.
void FileFamilyClick(FileConversionPage& page, const Platform& platform, XyProjectionKind family);

// Sets the zone label, the column headings and the direction captions for the
// family and direction chosen: "Longitude"/"Latitude" towards a grid,
// "Easting"/"Northing" from UTM, "X (ftUS)"/"Y (ftUS)" from NAD27, "X (m)"/
// "Y (m)" from NAD83.
void RelabelFilePage(FileConversionPage& page);

}  // namespace kartoval
