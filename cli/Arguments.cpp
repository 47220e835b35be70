#include "cli/Arguments.hpp"

#include "conversion/CloseMatch.hpp"

#include <cctype>
#include <charconv>
#include <limits>

namespace kartoval {
namespace {

constexpr int kMostDecimals = 12;
constexpr std::size_t kLettersInAlphabet = 26;
// Lines are held whole while they are converted: 1 GiB is as long as one may be.
constexpr std::size_t kMostLineBytes = std::size_t{1} << 30;

const std::vector<std::string>& optionNames()
{
    static const std::vector<std::string> names{
        "--from", "--to", "--ellipsoid", "--x", "--y", "--delimiter", "--header", "--west-positive",
        "--decimals", "--format", "--id", "--dms", "--dm", "--factors", "--tm", "--report-shift", "--keep-going", "--allow-outside", "--in-place", "--list-zones", "--which-zone", "--list-ellipsoids", "--check-data", "--max-line",
        "--help", "--version"};
    return names;
}

TmEngine parseTmEngine(const std::string& text)
{
    if (text == "series") return TmEngine::Series;
    if (text == "exact") return TmEngine::Exact;
    throw UsageError("--tm is series or exact, not '" + text + "'" + DidYouMean(CloseMatches(text, {"series", "exact"})));
}

template <typename Number>
Number parseCount(const std::string& text, const char* option, Number most)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value > most) {
        throw UsageError(std::string(option) + " wants a whole number" +
                         (most < std::numeric_limits<Number>::max() ? " from 0 to " + std::to_string(most) : "") +
                         ", not '" + text + "'");
    }
    return value;
}

Delimiter parseDelimiter(const std::string& text)
{
    if (text == "auto") return Delimiter::Auto;
    if (text == "whitespace") return Delimiter::Whitespace;
    if (text == "tab") return Delimiter::Tab;
    if (text == "comma") return Delimiter::Comma;
    if (text == "semicolon") return Delimiter::Semicolon;
    throw UsageError("--delimiter is one of auto, whitespace, tab, comma, semicolon, not '" + text + "'" +
                     DidYouMean(CloseMatches(text, {"auto", "whitespace", "tab", "comma", "semicolon"})));
}

OutputFormat parseFormat(const std::string& text)
{
    if (const auto format = OutputFormatNamed(text)) return *format;
    throw UsageError("--format is one of text, csv, geojson, kml, not '" + text + "'" +
                     DidYouMean(CloseMatches(text, {"text", "csv", "geojson", "kml"})));
}

}  // namespace

std::size_t ParseColumn(const std::string& text, const char* option)
{
    const auto bad = [&] {
        return UsageError(std::string(option) + " wants a column letter (A, B, ...) or number (1, 2, ...), not '" +
                          text + "'");
    };
    if (text.empty()) throw bad();
    if (std::isdigit(static_cast<unsigned char>(text[0])) != 0) {
        const auto column = parseCount<std::size_t>(text, option, std::numeric_limits<std::uint32_t>::max());
        if (column == 0) throw bad();
        return column - 1;
    }
    std::size_t column = 0;
    for (const char c : text) {
        const int upper = std::toupper(static_cast<unsigned char>(c));
        if (upper < 'A' || upper > 'Z' || column > std::numeric_limits<std::uint32_t>::max() / kLettersInAlphabet) {
            throw bad();
        }
        column = column * kLettersInAlphabet + static_cast<std::size_t>(upper - 'A' + 1);
    }
    return column - 1;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    std::vector<std::string> files;
    std::optional<std::string> xText;
    std::optional<std::string> yText;
    std::optional<std::string> idText;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        std::string argument = arguments[k];
        std::optional<std::string> attached;  // --option=value
        if (argument.rfind("--", 0) == 0) {
            if (const std::size_t equals = argument.find('='); equals != std::string::npos) {
                attached = argument.substr(equals + 1);
                argument.resize(equals);
            }
        }
        const auto value = [&]() -> std::string {
            if (attached) return *attached;
            if (k + 1 >= arguments.size()) throw UsageError(argument + " needs a value");
            return arguments[++k];
        };
        const auto noValue = [&] {
            if (attached) throw UsageError(argument + " takes no value");
        };
        if (argument == "--from") line.From = value();
        else if (argument == "--to") line.To = value();
        else if (argument == "--ellipsoid") line.Ellipsoid = value();
        else if (argument == "--x") xText = value();
        else if (argument == "--y") yText = value();
        else if (argument == "--id") idText = value();
        else if (argument == "--format") line.Format = parseFormat(value());
        else if (argument == "--delimiter") line.FieldDelimiter = parseDelimiter(value());
        else if (argument == "--header") line.HeaderLines = parseCount<std::uint64_t>(value(), "--header", std::numeric_limits<std::uint64_t>::max());
        else if (argument == "--decimals") line.Decimals = parseCount<int>(value(), "--decimals", kMostDecimals);
        else if (argument == "--west-positive") { noValue(); line.WestPositive = true; }
        else if (argument == "--dms") { noValue(); line.Dms = true; }
        else if (argument == "--dm") { noValue(); line.Dm = true; }
        else if (argument == "--factors") { noValue(); line.Factors = true; }
        else if (argument == "--report-shift") { noValue(); line.ReportShift = true; }
        else if (argument == "--tm") line.Tm = parseTmEngine(value());
        else if (argument == "--keep-going") { noValue(); line.KeepGoing = true; }
        else if (argument == "--allow-outside") { noValue(); line.AllowOutside = true; }
        else if (argument == "--in-place") { noValue(); line.InPlace = true; }
        else if (argument == "--help" || argument == "-h") { line.Action = CliAction::Help; return line; }
        else if (argument == "--version") { line.Action = CliAction::Version; return line; }
        else if (argument == "--list-ellipsoids") { noValue(); line.Action = CliAction::ListEllipsoids; }
        else if (argument == "--check-data") { noValue(); line.Action = CliAction::CheckData; }
        else if (argument == "--which-zone") {
            noValue();
            if (k + 2 >= arguments.size()) throw UsageError("--which-zone needs a latitude and a longitude: --which-zone 60 5.3");
            line.Action = CliAction::WhichZone;
            line.WhichLatitude = arguments[++k];
            line.WhichLongitude = arguments[++k];
        }
        else if (argument == "--max-line") {
            line.MaxLineBytes = parseCount<std::size_t>(value(), "--max-line", kMostLineBytes);
            if (line.MaxLineBytes == 0) throw UsageError("--max-line wants a length of 1 byte or more");
        }
        else if (argument == "--list-zones") {
            line.Action = CliAction::ListZones;
            if (attached) line.ListWhat = *attached;
            else if (k + 1 < arguments.size() && arguments[k + 1].rfind("-", 0) != 0) line.ListWhat = arguments[++k];
            if (!line.ListWhat.empty() && line.ListWhat != "nad27" && line.ListWhat != "nad83" && line.ListWhat != "utm") {
                throw UsageError("--list-zones lists nad27, nad83 or utm, not '" + line.ListWhat + "'");
            }
        }
        else if (argument == "--") { files.insert(files.end(), arguments.begin() + static_cast<long>(k) + 1, arguments.end()); break; }
        else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option '" + argument + "';" +
                             (CloseMatches(argument, optionNames()).empty() ? std::string(" see --help")
                                                                           : DidYouMean(CloseMatches(argument, optionNames()))));
        }
        else files.push_back(argument);
    }
    if (line.Action != CliAction::Convert) return line;
    if (files.size() > 2) throw UsageError("too many file names: '" + files[2] + "' (INPUT and OUTPUT at most)");
    if (!files.empty()) line.Input = files[0];
    if (files.size() == 2) line.Output = files[1];
    else if (line.InPlace && line.Input != "-") line.Output = line.Input;
    if (line.From.empty() || line.To.empty()) throw UsageError("--from and --to are needed; see --help");
    if (line.InPlace && (line.Input == "-" || line.Output == "-")) {
        throw UsageError("--in-place replaces a file: name it as INPUT (standard input can't be replaced)");
    }
    // A column is named by the header only when there is one.
    const auto column = [&](const std::optional<std::string>& text, const char* option, std::size_t& target,
                            std::optional<std::string>& name) {
        if (!text) return;
        if (line.HeaderLines == 0) {
            target = ParseColumn(*text, option);
            return;
        }
        name = *text;
        try {
            target = ParseColumn(*text, option);
        } catch (const UsageError&) {
            target = kNamedOnly;
        }
    };
    column(xText, "--x", line.XColumn, line.XName);
    column(yText, "--y", line.YColumn, line.YName);
    column(idText, "--id", line.IdColumn, line.IdName);
    if (idText && !IsMapFormat(line.Format)) throw UsageError("--id names the placemarks of --format kml and geojson");
    if (!line.XName && !line.YName && line.XColumn == line.YColumn) {
        throw UsageError("--x and --y name the same column, " + std::to_string(line.XColumn + 1));
    }
    return line;
}

const char* HelpText()
{
    return R"(Usage: kartoval-convert --from CRS --to CRS [options] [INPUT [OUTPUT]]

Converts the points of a text file between latitude/longitude and UTM or US
State Plane grids. Every field but the two coordinates passes through as it is.
INPUT and OUTPUT default to standard input and output ("-" names them too).

CRS:  geo                      latitude/longitude in degrees (on the ellipsoid in force)
      geo:nad27  geo:nad83     latitude/longitude on that datum
      utm:29N  utm:17S         UTM zone and hemisphere
      utm:14N:nad27  utm:14N:nad83   UTM on that datum
      utm:auto  utm:auto:nad27  utm:auto:nad83
                               (--to only) each point in its own UTM zone: 6-degree
                               zones, 32V widened to 3E, 31X 33X 35X 37X over 0E..42E;
                               the zone ("32N") is appended to each line (CSV, GeoJSON,
                               KML: the column utm_zone), after --factors and
                               --report-shift
      nad27:"Texas South Central"   nad83:"California zone 3"
                               a State Plane zone by its table name (--list-zones)
      nad27:4204  nad83:0101   a State Plane zone by its zone code (leading zero optional)
      EPSG:32629 EPSG:26943 EPSG:32040 ...
                               UTM (326xx, 327xx, 258xx, 267xx, 269xx), every State
                               Plane zone of the tables, and 4326, 4267, 4269, 4135,
                               4136, 4137, 4138, 4139 (degrees)

When --from and --to are on different datums (a NAD27 zone to a NAD83 zone,
geo:nad27 to utm:14N:nad83, ...), each point goes grid -> degrees -> NADCON
datum shift (the grids of the data folder) -> degrees -> grid, each side on
its datum's ellipsoid. A point outside every grid of its datum is an error,
never shifted by a guess. WGS 84 and the 1927-era datums are not connected;
WGS 84 and NAD83 are taken as one (they differ by up to about 2 m), and a
run between them says so.

A point more than half a degree beyond its zone's area is almost always a
wrong input (a west longitude without its minus, a point of another zone):
the run is refused, naming the first such line and the count, unless
--allow-outside.

Options:
  --ellipsoid NAME     an ellipsoid of ellips.txt (--list-ellipsoids); default: the
                       zone's datum ellipsoid (State Plane, EPSG codes), else WGS 84
  --x COL --y COL      the fields of easting/longitude and northing/latitude: letters
                       A.. or numbers 1..; default B and C
  --format text|csv|geojson|kml
                       text (default): the input's own layout; csv: RFC 4180 with a
                       header row (the input's header names, else A, B, ...; the
                       converted columns easting_m, northing_ftUS, latitude, ...);
                       geojson, kml: points at NAD83 / WGS 84 longitude and latitude
                       (7 decimals), shifted from NAD27 and the island datums by the
                       grids, the other fields as properties and the line number
  --id COL             the point ID column, the KML placemarks' names (default A)
                       With --header, --x, --y and --id may name a header's column
                       (--x Easting --y Northing).
  --delimiter auto|whitespace|tab|comma|semicolon
                       auto: semicolon or comma when the first data line has one,
                       tab when tabs alone separate its fields, else blanks; comma and
                       semicolon fields may be quoted ("a, b", "" for a quote)
  --header N           the first N lines pass through unchanged (default 0)
  --west-positive      longitudes are west without minus signs (a minus is an error)
  --decimals N         decimals written (default 4 for grid values, 9 for degrees,
                       3 for the seconds of --dms, 4 for the minutes of --dm)
  --dms                write degrees as degrees-minutes-seconds (77°30'00.000"W)
  --dm                 write degrees as degrees and decimal minutes (29°45.6240'N)
  --factors            append the point scale factor and the meridian convergence
                       (degrees) to each line
  --report-shift       append the datum shift in metres (north, east) to each line
  --tm series|exact    the transverse Mercator: the classic series (default; good to a
                       millimetre within 3.5 degrees of the central meridian) or the
                       exact one (Krueger's series, nanometres out to 35 degrees)
  --keep-going         report each bad line and go on (the line is left out)
  --allow-outside      convert points that lie more than half a degree beyond their
                       zone's area (EPSG extent; UTM: 9 degrees either side of the
                       central meridian) instead of refusing the run
  --in-place           allow OUTPUT to be INPUT (replaced only after a whole run);
                       with INPUT alone, INPUT is replaced
  --max-line BYTES     the longest input line read (default 1048576); a longer
                       one is refused with its line number
  --check-data         list each data table and datum shift grid as shipped,
                       changed (still used), damaged or missing; exit status 3
                       when one is damaged or missing
  --which-zone LAT LON the zones that hold a point, one a line: its UTM zone, then
                       the State Plane zones of NAD27 and NAD83 whose area holds
                       it, nearest area centre first, each with its name and EPSG
                       code; exit status 1 when no zone holds it
  --list-zones [nad27|nad83|utm]   --list-ellipsoids   --help   --version

Degrees are read as decimals (-77.5), with a hemisphere letter (77.5W, W77.5),
as d°m's" (77°30'00"W, 77d30'00"W, 77:30:00W, 773000W packed DDDMMSS), with
unit letters (29d45m37.44s N, 29d45m37.44sN, 95d22.188m W) or in decimal
minutes (N 29 45.624, 29°45.624'N).
Blank-separated input is written TAB-separated; other delimiters are kept.
NAD27 grids are in US survey feet, NAD83 and UTM in metres.
Output to a file is written to a temporary file and renamed at the end: a
failed run, or one that converts no point, leaves no output and an existing
file untouched.

Exit status: 0 success, 1 a line could not be converted, 2 usage error,
3 input/output error.
)";
}

}  // namespace kartoval
