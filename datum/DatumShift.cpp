#include "datum/DatumShift.hpp"

#include "datum/GridIntegrity.hpp"
#include "geodesy/Angles.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/ProgramFolder.hpp"

#include <proj.h>

#include <cmath>
#include <map>
#include <system_error>

namespace kartoval {
namespace {

// GRS 1980, the NAD83 ellipsoid, for expressing a shift in metres.
constexpr double kGrs80SemiMajorAxis = 6378137.0;          // metres
constexpr double kGrs80InverseFlattening = 298.257222101;

std::string pointText(double longitude, double latitude, GeodeticDatum datum)
{
    return "latitude " + FloatToStr(latitude) + ", longitude " + FloatToStr(longitude) + " (" +
           std::string(DatumName(datum)) + ")";
}

std::string gridList(GeodeticDatum datum)
{
    std::string list;
    for (const ShiftGrid& grid : GridsToNad83(datum)) {
        if (!list.empty()) list += "; ";
        list += std::string(grid.FileName) + ": " + std::string(grid.Region);
    }
    return list;
}

}  // namespace

struct DatumShifter::Proj {
    PJ_CONTEXT* context = nullptr;
    std::map<std::string_view, PJ*> operations;  // by grid file name, opened on first use

    Proj() = default;
    Proj(const Proj&) = delete;
    Proj& operator=(const Proj&) = delete;
    ~Proj()
    {
        for (auto& [name, operation] : operations) proj_destroy(operation);
        proj_context_destroy(context);
    }
};

DatumShifter::DatumShifter(std::filesystem::path gridFolder)
    : gridFolder_(std::move(gridFolder)), proj_(std::make_unique<Proj>())
{
    proj_->context = proj_context_create();
    if (proj_->context == nullptr) throw CommandError("The datum shift engine (PROJ) could not be started.");
    // Our own folder only: no PROJ_DATA, no user grid folder, no download, so
    // the grid used is always the shipped one or none at all.
    const std::string folder = gridFolder_.string();
    const char* const paths[] = {folder.c_str()};
    proj_context_set_search_paths(proj_->context, 1, paths);
    proj_context_set_enable_network(proj_->context, 0);
    // Failures reach the user as our own messages, not as PROJ's log lines
    // (it notes a missing proj.db, which the pinned operations never need).
    proj_log_level(proj_->context, PJ_LOG_NONE);
    proj_log_func(proj_->context, nullptr, [](void*, int, const char*) {});
    CaptureGridDecoderMessages();
}

DatumShifter::~DatumShifter() = default;

DatumShiftResult DatumShifter::Shift(GeodeticDatum from, GeodeticDatum to, double longitude, double latitude)
{
    if (!std::isfinite(longitude) || !std::isfinite(latitude) || std::abs(latitude) > 90.0) {
        throw PointRangeError("The point " + pointText(longitude, latitude, from) +
                              " is not a position on the Earth: it can't be shifted.");
    }
    if (from == to) return DatumShiftResult{longitude, latitude, {}, 0.0, 0.0};
    if (!HasGridPath(from, to)) throw NoGridPathError(NoGridPathReason(from, to));

    const GeodeticDatum older = to == GeodeticDatum::Nad83 ? from : to;
    const PJ_DIRECTION direction = to == GeodeticDatum::Nad83 ? PJ_FWD : PJ_INV;
    for (const ShiftGrid& grid : GridsToNad83(older)) {
        PJ* operation = proj_->operations[grid.FileName];
        if (operation == nullptr) {
            const std::filesystem::path file = gridFolder_ / grid.FileName;
            std::error_code error;
            if (!std::filesystem::is_regular_file(file, error)) {
                proj_->operations.erase(grid.FileName);
                throw GridFileError("The datum shift grid file \"" + file.string() + "\" is missing. It shifts " +
                                    std::string(DatumName(older)) + " points in the " + std::string(grid.Region) +
                                    "; reinstall Kartoval to restore it.");
            }
            if (const std::string problem = GridFileProblem(file); !problem.empty()) {
                proj_->operations.erase(grid.FileName);
                throw GridFileError(problem);
            }
            const std::string definition = "+proj=hgridshift +grids=" + std::string(grid.FileName);
            operation = proj_create(proj_->context, definition.c_str());
            if (operation == nullptr) {
                const int code = proj_context_errno(proj_->context);
                proj_->operations.erase(grid.FileName);
                throw GridFileError("The datum shift grid file \"" + file.string() + "\" can't be read (" +
                                    proj_context_errno_string(proj_->context, code) + ").");
            }
            proj_->operations[grid.FileName] = operation;
        }
        proj_errno_reset(operation);
        const PJ_COORD shifted = proj_trans(
            operation, direction, proj_coord(longitude * kDegreesToRadians, latitude * kDegreesToRadians, 0.0, 0.0));
        const int code = proj_errno(operation);
        const std::string undecoded = GridDecodeProblem(gridFolder_ / grid.FileName);
        if (!undecoded.empty()) throw GridFileError(undecoded);
        if (code == 0 && std::isfinite(shifted.lp.lam) && std::isfinite(shifted.lp.phi) &&
            shifted.lp.lam != HUGE_VAL) {
            DatumShiftResult result;
            result.Longitude = NormalizeLongitude(shifted.lp.lam * kRadiansToDegrees);
            result.Latitude = shifted.lp.phi * kRadiansToDegrees;
            result.Grid = grid.FileName;
            const ShiftMetres metres = ShiftInMetres(longitude, latitude, result.Longitude, result.Latitude);
            const std::string tooLarge = ShiftSizeProblem(grid, gridFolder_ / grid.FileName, metres.North, metres.East);
            if (!tooLarge.empty()) throw GridFileError(tooLarge);
            result.NorthMetres = metres.North;
            result.EastMetres = metres.East;
            return result;
        }
        // Outside this grid, or on a cell without data: try the next one. Any
        // other failure is not about coverage and must not be passed over.
        if (code != PROJ_ERR_COORD_TRANSFM_OUTSIDE_GRID && code != PROJ_ERR_COORD_TRANSFM_GRID_AT_NODATA &&
            code != 0) {
            throw GridFileError("The datum shift with grid \"" + std::string(grid.FileName) + "\" failed for " +
                                pointText(longitude, latitude, from) + " (" +
                                proj_context_errno_string(proj_->context, code) + ").");
        }
    }
    throw OutsideGridError("The point " + pointText(longitude, latitude, from) + " lies outside every " +
                           std::string(DatumName(older)) + " datum shift grid (" + gridList(older) +
                           "): it is not shifted.");
}

std::filesystem::path ProgramGridFolder()
{
    return ProgramFolder() / kGridFolderName;
}

ShiftMetres ShiftInMetres(double fromLongitude, double fromLatitude, double toLongitude, double toLatitude)
{
    const double f = 1.0 / kGrs80InverseFlattening;
    const double e2 = f * (2.0 - f);
    const double phi = (fromLatitude + toLatitude) / 2.0 * kDegreesToRadians;
    const double w = std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    const double meridianRadius = kGrs80SemiMajorAxis * (1.0 - e2) / (w * w * w);
    const double primeVerticalRadius = kGrs80SemiMajorAxis / w;
    const double dLambda = NormalizeLongitude(toLongitude - fromLongitude) * kDegreesToRadians;
    return ShiftMetres{(toLatitude - fromLatitude) * kDegreesToRadians * meridianRadius,
                       dLambda * primeVerticalRadius * std::cos(phi)};
}

}  // namespace kartoval
