#include "datum/DatumShift.hpp"

#include "datum/DatumEngine.hpp"

#include "datum/GridIntegrity.hpp"
#include "geodesy/Angles.hpp"
#include "toolkit/NumberText.hpp"

#include <proj.h>

#include <cmath>
#include <map>
#include <optional>
#include <span>
#include <system_error>

namespace kartoval {
namespace {

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

// The datum engine of the plugin: PROJ, one pinned grid operation per file.
class ProjDatumEngine final : public DatumEngine {
public:
    explicit ProjDatumEngine(std::filesystem::path gridFolder);
    ~ProjDatumEngine() override;
    [[nodiscard]] DatumShiftResult Shift(GeodeticDatum from, GeodeticDatum to, double longitude,
                                         double latitude) override;

private:
    struct Proj;
    std::filesystem::path gridFolder_;
    std::unique_ptr<Proj> proj_;
};

}  // namespace

struct ProjDatumEngine::Proj {
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

ProjDatumEngine::ProjDatumEngine(std::filesystem::path gridFolder)
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

ProjDatumEngine::~ProjDatumEngine() = default;

DatumShiftResult ProjDatumEngine::Shift(GeodeticDatum from, GeodeticDatum to, double longitude, double latitude)
{
    if (!std::isfinite(longitude) || !std::isfinite(latitude) || std::abs(latitude) > 90.0) {
        throw PointRangeError("The point " + pointText(longitude, latitude, from) +
                              " is not a position on the Earth: it can't be shifted.");
    }
    if (from == to) return DatumShiftResult{longitude, latitude, {}, 0.0, 0.0};
    if (!HasGridPath(from, to)) throw NoGridPathError(NoGridPathReason(from, to));

    const GeodeticDatum older = to == GeodeticDatum::Nad83 ? from : to;
    const std::span<const ShiftGrid> grids = GridsToNad83(older);
    // The grid's operation, opened on first use.
    const auto operationOf = [&](const ShiftGrid& grid) {
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
        return operation;
    };
    // One grid one way, radians: nothing outside its coverage (or on a cell
    // without data); any other failure is not about coverage and must not be
    // passed over.
    const auto apply = [&](const ShiftGrid& grid, PJ_DIRECTION direction, PJ_LP point) -> std::optional<PJ_LP> {
        PJ* operation = operationOf(grid);
        proj_errno_reset(operation);
        const PJ_COORD shifted = proj_trans(operation, direction, proj_coord(point.lam, point.phi, 0.0, 0.0));
        const int code = proj_errno(operation);
        const std::string undecoded = GridDecodeProblem(gridFolder_ / grid.FileName);
        if (!undecoded.empty()) throw GridFileError(undecoded);
        if (code == 0 && std::isfinite(shifted.lp.lam) && std::isfinite(shifted.lp.phi) &&
            shifted.lp.lam != HUGE_VAL) {
            return shifted.lp;
        }
        if (code != PROJ_ERR_COORD_TRANSFM_OUTSIDE_GRID && code != PROJ_ERR_COORD_TRANSFM_GRID_AT_NODATA &&
            code != 0) {
            throw GridFileError("The datum shift with grid \"" + std::string(grid.FileName) + "\" failed for " +
                                pointText(longitude, latitude, from) + " (" +
                                proj_context_errno_string(proj_->context, code) + ").");
        }
        return std::nullopt;
    };
    // The grid the shift to NAD83 takes for an older-datum point: the first
    // whose coverage holds it.
    const auto forwardGrid = [&](PJ_LP point) -> std::optional<std::size_t> {
        for (std::size_t k = 0; k < grids.size(); ++k) {
            if (apply(grids[k], PJ_FWD, point)) return k;
        }
        return std::nullopt;
    };
    // Back from NAD83 on one grid: the older-datum point that the grid's
    // forward carries onto `target`. PROJ's inverse starts from the target
    // itself, so it refuses a target just outside the grid whose source lies
    // inside (the shift carries points near the west and south edges out);
    // then the forward is iterated from a start found inside the grid nearby.
    const auto inverse = [&](const ShiftGrid& grid, PJ_LP target, bool iterate) -> std::optional<PJ_LP> {
        if (!iterate) return apply(grid, PJ_INV, target);
        std::optional<PJ_LP> shifted = apply(grid, PJ_FWD, target);
        PJ_LP point = target;
        // A shift is at most a few hundred metres: some point of these rings
        // round the target is inside the grid when the source is.
        for (const double ring : {1e-4, 1e-3, 1e-2, 5e-2}) {
            for (int k = 0; k < 8 && !shifted; ++k) {
                const double angle = k * kPi / 4.0;
                point = PJ_LP{target.lam + ring * kDegreesToRadians * std::cos(angle),
                              target.phi + ring * kDegreesToRadians * std::sin(angle)};
                shifted = apply(grid, PJ_FWD, point);
            }
            if (shifted) break;
        }
        if (!shifted) return std::nullopt;
        point = PJ_LP{target.lam - (shifted->lam - point.lam), target.phi - (shifted->phi - point.phi)};
        for (int iteration = 0; iteration < 20; ++iteration) {
            const auto forward = apply(grid, PJ_FWD, point);
            if (!forward) return std::nullopt;
            const double dLam = forward->lam - target.lam;
            const double dPhi = forward->phi - target.phi;
            point.lam -= dLam;
            point.phi -= dPhi;
            if (std::fabs(dLam) < 1e-15 && std::fabs(dPhi) < 1e-15) return point;  // radians: 6 nm
        }
        return std::nullopt;
    };

    const PJ_LP start{longitude * kDegreesToRadians, latitude * kDegreesToRadians};
    const auto found = [&](const ShiftGrid& grid, PJ_LP shifted) {
        DatumShiftResult result;
        result.Longitude = NormalizeLongitude(shifted.lam * kRadiansToDegrees);
        result.Latitude = shifted.phi * kRadiansToDegrees;
        result.Grid = grid.FileName;
        const ShiftMetres metres = ShiftInMetres(longitude, latitude, result.Longitude, result.Latitude);
        // A shift beyond the grid's own largest is a damaged grid, never a result.
        const std::string tooLarge = ShiftSizeProblem(grid, gridFolder_ / grid.FileName, metres.North, metres.East);
        if (!tooLarge.empty()) throw GridFileError(tooLarge);
        result.NorthMetres = metres.North;
        result.EastMetres = metres.East;
        return result;
    };
    if (to == GeodeticDatum::Nad83) {
        for (const ShiftGrid& grid : grids) {
            if (const auto shifted = apply(grid, PJ_FWD, start)) return found(grid, *shifted);
        }
    } else {
        // The way back takes the grid the way there would: a source that an
        // earlier grid covers would have gone by that grid, so this one is not
        // its grid. Where the conterminous and Alaska grids overlap, both ways
        // then use the same grid and a round trip is exact. PROJ's own inverse
        // first, for every grid; the iteration only for what it refused.
        for (const bool iterate : {false, true}) {
            for (std::size_t k = 0; k < grids.size(); ++k) {
                const auto shifted = inverse(grids[k], start, iterate);
                if (shifted && forwardGrid(*shifted) == k) return found(grids[k], *shifted);
            }
        }
    }
    throw OutsideGridError("The point " + pointText(longitude, latitude, from) + " lies outside every " +
                           std::string(DatumName(older)) + " datum shift grid (" + gridList(older) +
                           "): it is not shifted.");
}

}  // namespace kartoval

// The plugin's entry point, the one symbol it exports (by this name, without
// C++ mangling, for dlsym).
extern "C" __attribute__((visibility("default"))) kartoval::DatumEngine* KartovalCreateDatumEngine(
    const char* gridFolder)
{
    return new kartoval::ProjDatumEngine(gridFolder);
}
