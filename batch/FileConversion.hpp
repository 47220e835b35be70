#pragma once
// One run of the "File Convertion" page: a text file of shot points converted
// as a whole, decimal degrees to one north UTM zone or back.
//
// A run either writes the complete output or leaves every file as it was:
// every row is read and converted before the output is opened, and the output
// is written beside its target under another name and renamed over it only
// when it is complete.

#include "refdata/Ellipsoids.hpp"
#include "refdata/GridFamily.hpp"
#include "refdata/UtmZones.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kartoval {

// The column lists offer the letters A to J: position 0 is column A, the
// first field of a line.
inline constexpr int kPointColumnCount = 10;

// A longer line (its LF or CR LF not counted) is refused.
inline constexpr std::size_t kMaxPointLineLength = 199;

// The page's controls as GO found them.
struct FileConversionSettings {
    std::string InputPath;   // as typed; a relative name is taken against the current directory
    std::string OutputPath;  // same rule
    int EllipsoidPosition = kDefaultEllipsoidPosition;
    int ZonePosition = kDefaultUtmZonePosition;  // zone p + 1
    int LonColumn = 1;  // longitude, or easting towards degrees
    int LatColumn = 2;  // latitude, or northing towards degrees
    int SpColumn = 0;   // shot point
    bool SkipFirstRow = false;     // the first line is a header
    bool WestWithoutMinus = true;  // every longitude read is a west longitude
    ConversionDirection Direction = ConversionDirection::DegreesToUtm;
};

// One row. Read from the file: the shot point and the input pair (longitude
// and latitude in degrees, or easting and northing in metres). Once converted:
// the shot point and the output pair in the order it is written (easting and
// northing, or longitude and latitude).
struct FilePoint {
    double ShotPoint = 0.0;
    double Lon = 0.0;
    double Lat = 0.0;
};

// The rows of one run, in a table set up once: record k (from 1) is row k,
// record 0 holds no row, so at most kMaxRows rows fit. Each row remembers the
// number of the file line it came from, for the messages.
class PointTable {
public:
    static constexpr int kRecordCount = 40000;
    static constexpr int kMaxRows = kRecordCount - 1;

    PointTable();

    [[nodiscard]] int RowCount() const { return rowCount_; }
    [[nodiscard]] bool IsFull() const { return rowCount_ == kMaxRows; }
    // Adds a row after the last; the table must not be full.
    void Append(const FilePoint& point, std::uint64_t lineNumber);
    [[nodiscard]] FilePoint& Record(int k) { return records_[static_cast<std::size_t>(k)]; }
    [[nodiscard]] const FilePoint& Record(int k) const { return records_[static_cast<std::size_t>(k)]; }
    [[nodiscard]] std::uint64_t LineNumber(int k) const { return lineNumbers_[static_cast<std::size_t>(k)]; }
    // Whether the read pass discarded a first line as the header.
    bool HeaderDiscarded = false;

private:
    std::unique_ptr<FilePoint[]> records_;
    std::unique_ptr<std::uint64_t[]> lineNumbers_;
    int rowCount_ = 0;
};

// Beyond this distance from the central meridian (degrees) the transverse
// Mercator series drifts from the exact mapping by millimetres, and by a
// centimetre at 5 degrees: such points are counted for the user.
inline constexpr double kFarFromCentralMeridianDegrees = 4.0;

// What a completed run did, for the window to tell the user.
struct FileRunSummary {
    std::filesystem::path Input;
    std::filesystem::path Output;
    int Points = 0;         // rows converted and written
    double Seconds = 0.0;   // the whole run, lookup to rename
    int FarPoints = 0;      // points more than kFarFromCentralMeridianDegrees from the central meridian
    double FarthestDegrees = 0.0;  // the largest distance from it of any point
};

// The run. Ends early, with a message and no file created or changed, when the
// ellipsoid can't be looked up, the input can't be found or is refused (a line
// too long, no row at all, more than 39999 rows, a line without a selected
// column), the user doesn't want the input replaced, or the output can't be written. A selected
// field that is not a number throws ConvertError, an impossible point throws
// PointRangeError, both naming the line; nothing is written then either. So
// does a longitude written with a minus sign while every longitude is read as
// west: the file does not follow that convention. Nothing selected in the
// ellipsoid list is refused ("Choose an ellipsoid"), as line 1 would be read.
// BoxSkip is cleared once a run that discarded a header line has written its
// output: "Skip first row" holds for one file. A run that fails leaves it
// checked, and so does one that had no header line to discard.
// Gives the summary of a completed run, nothing when it ended early.
std::optional<FileRunSummary> ConvertPointFile(const FileConversionSettings& settings, const Platform& platform,
                                               CheckControl& BoxSkip);

// The first line of the message for an input that can't be opened.
inline constexpr const char* kMissingInputMessage = "Can't find specified file";

}  // namespace kartoval
