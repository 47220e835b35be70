#pragma once
// kartoval-convert's command line, parsed into what the run needs. A command
// line that can't be understood throws UsageError (exit status 2).

#include "batch/LineFields.hpp"
#include "geodesy/ProjectionParams.hpp"
#include "batch/RowFormats.hpp"
#include "toolkit/Errors.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kartoval {

enum class CliAction { Convert, Help, Version, ListZones, ListEllipsoids, CheckData, WhichZone };

// A column given only by a header name (no letter or number reading).
inline constexpr std::size_t kNamedOnly = static_cast<std::size_t>(-1);

struct CommandLine {
    CliAction Action = CliAction::Convert;
    std::string ListWhat;  // --list-zones: "nad27", "nad83", "utm" or empty for all
    std::string WhichLatitude;   // --which-zone LAT LON, as typed
    std::string WhichLongitude;
    std::string From;
    std::string To;
    std::optional<std::string> Ellipsoid;
    std::size_t XColumn = 1;  // from 0
    std::size_t YColumn = 2;
    Delimiter FieldDelimiter = Delimiter::Auto;
    std::uint64_t HeaderLines = 0;
    bool WestPositive = false;
    std::optional<int> Decimals;
    bool Dms = false;
    bool Dm = false;
    bool Factors = false;
    TmEngine Tm = TmEngine::Series;  // --tm series|exact
    bool ReportShift = false;
    bool KeepGoing = false;
    bool AllowOutside = false;
    bool InPlace = false;
    std::size_t MaxLineBytes = std::size_t{1} << 20;  // --max-line: a longer input line is refused
    OutputFormat Format = OutputFormat::Text;
    std::size_t IdColumn = 0;  // the point ID of KML (and the plot)
    // With --header, columns may be named by the header: the text as given,
    // for the run to look up (the column above when it is also a letter or number).
    std::optional<std::string> XName;
    std::optional<std::string> YName;
    std::optional<std::string> IdName;
    std::string Input = "-";   // "-": standard input
    std::string Output = "-";  // "-": standard output
};

[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// A column given as a letter (A, B, ..., AA) or a number from 1; from 0.
[[nodiscard]] std::size_t ParseColumn(const std::string& text, const char* option);

// The text of --help.
[[nodiscard]] const char* HelpText();

}  // namespace kartoval
