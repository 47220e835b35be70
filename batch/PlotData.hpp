#pragma once
// What a plot of a run shows, without any drawing: the converted points in
// the output's units with their line numbers, IDs and outside flags, the
// output zone's area outline, and the choice of points to draw at a scale.
// Values are never thinned; only the drawing is.

#include "batch/BatchRun.hpp"
#include "conversion/ConversionRoute.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kartoval {

struct PlotPoint {
    double X = 0.0;  // easting or longitude
    double Y = 0.0;  // northing or latitude
    std::uint64_t Line = 0;
    bool Outside = false;
};

struct PlotBounds {
    double MinX = 0.0;
    double MinY = 0.0;
    double MaxX = 0.0;
    double MaxY = 0.0;
    [[nodiscard]] double Width() const { return MaxX - MinX; }
    [[nodiscard]] double Height() const { return MaxY - MinY; }
};

class PlotData {
public:
    PlotData(std::string title, std::string xName, std::string yName);

    void Add(const ConvertedPoint& point);
    // The output zone's area, in the output's units.
    void SetOutline(std::vector<GridPoint> outline) { outline_ = std::move(outline); }

    [[nodiscard]] const std::vector<PlotPoint>& Points() const { return points_; }
    [[nodiscard]] const std::string& Id(std::size_t index) const { return ids_[index]; }
    [[nodiscard]] const std::vector<GridPoint>& Outline() const { return outline_; }
    [[nodiscard]] const std::string& Title() const { return title_; }
    [[nodiscard]] const std::string& XName() const { return xName_; }
    [[nodiscard]] const std::string& YName() const { return yName_; }
    [[nodiscard]] std::size_t OutsideCount() const { return outside_; }

    // Every point and the outline; nothing when there is neither.
    [[nodiscard]] std::optional<PlotBounds> Bounds() const;

    // The points to draw in `view` at `cellsAcross` x `cellsDown` cells (the
    // pixels of the window): one per occupied cell, an outside point before
    // an inside one, so a lone point (an extreme, a blunder) is never lost
    // and a dense cloud costs no more than the window's pixels. Indexes into
    // Points().
    [[nodiscard]] std::vector<std::size_t> ToDraw(const PlotBounds& view, int cellsAcross, int cellsDown) const;

    // The point nearest (x, y) within `reach` (same units); nothing when none.
    [[nodiscard]] std::optional<std::size_t> Nearest(double x, double y, double reach) const;

private:
    std::string title_;
    std::string xName_;
    std::string yName_;
    std::vector<PlotPoint> points_;
    std::vector<std::string> ids_;
    std::vector<GridPoint> outline_;
    std::size_t outside_ = 0;
};

// The outline of `side`'s zone area as seen on that side: its box's edges,
// each cut into short steps and projected (a box in degrees is curved on a
// grid). Empty for degrees-only areas it can't project and for sides without
// an area.
[[nodiscard]] std::vector<GridPoint> AreaOutline(const CoordinateSide& side, const Ellipsoid& ellipsoid,
                                                 const Platform& platform);

// A scale bar's length for a view `width` wide (units): 1, 2 or 5 times a
// power of ten, at most a fifth of the width.
[[nodiscard]] double ScaleBarLength(double width);

}  // namespace kartoval
