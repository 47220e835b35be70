#pragma once
// One run of the "File Convertion" page: a text file of shot points converted
// as a whole, decimal degrees to one zone of the chosen grid family or back.
//
// A run either writes the complete output or leaves every file as it was: the
// output is written beside its target under another name while the input is
// read, and renamed over the target only when every row has been converted.

#include "batch/BatchRun.hpp"
#include "batch/PlotData.hpp"
#include "batch/RowFormats.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/GridFamily.hpp"
#include "refdata/UtmZones.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace kartoval {

// The column lists offer the letters A to J: position 0 is column A, the
// first field of a line.
inline constexpr int kPointColumnCount = 10;

// A longer line (its line end not counted) is refused.
inline constexpr std::size_t kMaxPointLineLength = 199;

// The page's row limit: its table has always held 40000 records, record 0
// unused, so a run takes at most 39999 rows.
struct PointTable {
    static constexpr int kRecordCount = 40000;
    static constexpr int kMaxRows = kRecordCount - 1;
};

// The page's controls as GO found them.
struct FileConversionSettings {
    std::string InputPath;   // as typed; a relative name is taken against the current directory
    std::string OutputPath;  // same rule
    int EllipsoidPosition = kDefaultEllipsoidPosition;
    XyProjectionKind Family = XyProjectionKind::UtmNorth;
    int ZonePosition = kDefaultUtmZonePosition;  // in the family's list; UTM: zone p + 1
    int LonColumn = 1;  // longitude, or easting towards degrees
    int LatColumn = 2;  // latitude, or northing towards degrees
    int SpColumn = 0;   // shot point
    bool SkipFirstRow = false;     // the first line is a header
    bool WestWithoutMinus = true;  // every longitude read is a west longitude
    ConversionDirection Direction = ConversionDirection::DegreesToUtm;
    TmEngine Engine = TmEngine::Series;  // computes the transverse Mercator zones
    // "Kartoval text" (the page's own layout) or what kartoval-convert writes
    // for the same settings in CSV, GeoJSON or KML.
    OutputFormat Format = OutputFormat::Text;
    // "Keep other columns": each line is written whole, as kartoval-convert
    // writes it (the converted values in place, every other field as it
    // stands, text point IDs allowed, the header kept); unchecked, the page's
    // own "shot point X Y" layout.
    bool KeepColumns = false;
    // The output path was typed rather than confirmed in the Output File
    // dialog: an existing file there is replaced only after a question.
    bool OutputTyped = false;
    // "Show points...": the points are converted for a plot only; nothing is
    // written, no row limit holds and points beyond the area are shown.
    bool ShowOnly = false;
    // The datum shift for GeoJSON and KML of a NAD27 zone's points, asked
    // for only then (it opens the grids).
    std::function<DatumShiftEngine&()> MapShift;
};

// What a completed run did, for the window to tell the user.
struct FileRunSummary {
    std::filesystem::path Input;
    std::filesystem::path Output;
    int Points = 0;         // rows converted and written
    double Seconds = 0.0;   // the whole run, lookup to rename, less the time a question was open
    int FarPoints = 0;      // points more than kFarFromCentralMeridianDegrees from a TM central meridian
    double FarthestDegrees = 0.0;  // the largest distance from it of any point
    bool HeaderDiscarded = false;  // "Skip first row" dropped the first line
    std::optional<TmEngine> Engine;  // the transverse Mercator that converted; none for other projections
    std::shared_ptr<const PlotData> Plot;  // the converted points, for the plot window
};

// Why a run ended without writing, and how the page shows it: a message
// box under Caption, or the window's error report for a bad number
// (ConvertError), an impossible point (PointRangeError) or a refused input
// (CommandError).
struct FileRunFailure {
    enum class Shown { Message, ConvertError, PointRangeError, CommandError };
    Shown How = Shown::Message;
    std::string Caption;
    std::string Text;
};

using FileRunOutcome = std::variant<FileRunSummary, FileRunFailure>;

// Asked before the input is replaced with its own output; true goes on.
using ConfirmReplace = std::function<bool(const std::string& question)>;

// The run, with no control touched and no box shown: the page answers the
// question of replacing the input through `confirm` (a refusal ends the run
// with an empty failure text: nothing to show) and shows the outcome. Ends early with a failure, no
// file created or changed, when nothing is selected in the ellipsoid list
// ("Choose an ellipsoid", as line 1 would be read), the ellipsoid or zone
// can't be looked up, the input can't be found or is refused (a line too
// long, no row at all, more than 39999 rows, a line without a selected
// column), a selected field is no number, a point is impossible, a longitude
// has a minus sign while every longitude is read as west, a point lies beyond
// its zone's area, or the output can't be written.
[[nodiscard]] FileRunOutcome RunFileConversion(const FileConversionSettings& settings, const Platform& platform,
                                               const ConfirmReplace& confirm);

// The page's GO after its question: asks before replacing the input with its
// own output, runs, shows a failure (a message box, or by throwing the
// errors the window's error report shows) and clears BoxSkip once a run that
// discarded a header line has written its output ("Skip first row" holds for
// one file). Gives the summary of a completed run.
std::optional<FileRunSummary> ConvertPointFile(const FileConversionSettings& settings, const Platform& platform,
                                               CheckControl& BoxSkip);

// What replacing `input` with the page's own layout would lose, for the
// question asked first: "The converted file holds only shot point, X and Y:
// the other 3 columns and the header line of field.txt will be lost."; empty
// when the lines hold nothing beyond the three columns read. Counts the
// fields of the widest line (blanks separate them) and the header line.
[[nodiscard]] std::string LostColumnsText(const FileConversionSettings& settings);

// The hint that ends the refusal of a shot point that is no number.
inline constexpr const char* kKeepColumnsHint = "; check 'Keep other columns' to keep text point IDs";

// The first line of the message for an input that can't be opened.
inline constexpr const char* kMissingInputMessage = "Can't find specified file";

}  // namespace kartoval
