#include "batch/PlotData.hpp"

#include "batch/BatchRun.hpp"
#include "toolkit/Errors.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace kartoval {
namespace {

constexpr int kStepsPerEdge = 64;
constexpr double kScaleBarShare = 0.2;

}  // namespace

PlotData::PlotData(std::string title, std::string xName, std::string yName)
    : title_(std::move(title)), xName_(std::move(xName)), yName_(std::move(yName))
{
}

void PlotData::Add(const ConvertedPoint& point)
{
    points_.push_back({point.Point.X, point.Point.Y, point.Line, point.Point.Outside.has_value()});
    ids_.emplace_back(point.Id);
    if (point.Point.Outside) ++outside_;
}

std::optional<PlotBounds> PlotData::Bounds() const
{
    if (points_.empty() && outline_.empty()) return std::nullopt;
    constexpr double kHuge = std::numeric_limits<double>::max();
    PlotBounds bounds{kHuge, kHuge, -kHuge, -kHuge};
    const auto take = [&](double x, double y) {
        bounds.MinX = std::min(bounds.MinX, x);
        bounds.MaxX = std::max(bounds.MaxX, x);
        bounds.MinY = std::min(bounds.MinY, y);
        bounds.MaxY = std::max(bounds.MaxY, y);
    };
    for (const PlotPoint& p : points_) take(p.X, p.Y);
    for (const GridPoint& p : outline_) take(p.Easting, p.Northing);
    return bounds;
}

std::vector<std::size_t> PlotData::ToDraw(const PlotBounds& view, int cellsAcross, int cellsDown) const
{
    std::vector<std::size_t> chosen;
    if (cellsAcross <= 0 || cellsDown <= 0 || view.Width() <= 0.0 || view.Height() <= 0.0) return chosen;
    const double perX = cellsAcross / view.Width();
    const double perY = cellsDown / view.Height();
    // Cell -> position in `chosen`.
    std::unordered_map<std::uint64_t, std::size_t> cells;
    for (std::size_t k = 0; k < points_.size(); ++k) {
        const PlotPoint& p = points_[k];
        if (p.X < view.MinX || p.X > view.MaxX || p.Y < view.MinY || p.Y > view.MaxY) continue;
        const auto column = std::min(static_cast<std::uint64_t>((p.X - view.MinX) * perX),
                                     static_cast<std::uint64_t>(cellsAcross - 1));
        const auto row = std::min(static_cast<std::uint64_t>((p.Y - view.MinY) * perY),
                                  static_cast<std::uint64_t>(cellsDown - 1));
        const std::uint64_t cell = row * static_cast<std::uint64_t>(cellsAcross) + column;
        const auto [place, added] = cells.try_emplace(cell, chosen.size());
        if (added) chosen.push_back(k);
        else if (p.Outside && !points_[chosen[place->second]].Outside) chosen[place->second] = k;
    }
    return chosen;
}

std::optional<std::size_t> PlotData::Nearest(double x, double y, double reach) const
{
    std::optional<std::size_t> best;
    double bestSquare = reach * reach;
    for (std::size_t k = 0; k < points_.size(); ++k) {
        const double dx = points_[k].X - x;
        const double dy = points_[k].Y - y;
        const double square = dx * dx + dy * dy;
        if (square <= bestSquare) {
            bestSquare = square;
            best = k;
        }
    }
    return best;
}

std::vector<GridPoint> AreaOutline(const CoordinateSide& side, const Ellipsoid& ellipsoid, const Platform& platform)
{
    std::vector<GridPoint> outline;
    const std::optional<ZoneArea> area = SideArea(side, platform);
    if (!area) return outline;
    // A box across the 180th meridian runs east past +180.
    const double east = area->East < area->West ? area->East + 360.0 : area->East;
    const GeoPoint corners[] = {{area->West, area->South}, {east, area->South}, {east, area->North},
                                {area->West, area->North}, {area->West, area->South}};
    const ConversionRoute route(DegreesSide(), side, ellipsoid, platform);
    for (int edge = 0; edge < 4; ++edge) {
        for (int step = 0; step < kStepsPerEdge; ++step) {
            const double t = static_cast<double>(step) / kStepsPerEdge;
            double longitude = corners[edge].Longitude + t * (corners[edge + 1].Longitude - corners[edge].Longitude);
            const double latitude = corners[edge].Latitude + t * (corners[edge + 1].Latitude - corners[edge].Latitude);
            if (longitude > 180.0) longitude -= 360.0;
            try {
                const PointResult point = route.Convert(longitude, latitude);
                outline.push_back({point.X, point.Y});
            } catch (const PointRangeError&) {
                // A corner the grid can't take (a pole) is left out of the line.
            }
        }
    }
    if (!outline.empty()) outline.push_back(outline.front());
    return outline;
}

double ScaleBarLength(double width)
{
    if (!(width > 0.0) || !std::isfinite(width)) return 0.0;
    const double most = width * kScaleBarShare;
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= most) return step * power;
    }
    return power;
}

}  // namespace kartoval
