#include "refdata/Ellipsoids.hpp"

#include "refdata/TableFile.hpp"

#include <cmath>

namespace kartoval {

void ListEllipsoids(ListControl& BoxEllipsoid, ListControl& BoxEllipsoid2, const Platform& platform)
{
    for (const std::string& name :
         ListTableNames(platform.DataFile(kEllipsoidFileName), kEllipsoidMissingMessage, platform.Messages)) {
        BoxEllipsoid.AddItem(name);
        BoxEllipsoid2.AddItem(name);
    }
    BoxEllipsoid.SetItemIndex(kDefaultEllipsoidPosition);
    BoxEllipsoid2.SetItemIndex(kDefaultEllipsoidPosition);
}

std::optional<Ellipsoid> LoadEllipsoid(const Platform& platform, const char* fileName, int lineNumber)
{
    const std::filesystem::path path = platform.DataFile(fileName);
    const int line = lineNumber < 1 ? 1 : lineNumber;
    const auto fields = LookUpTableLine(path, line, kEllipsoidMissingMessage, platform.Messages);
    if (!fields) return std::nullopt;
    if (fields->size() < 3) {
        platform.Messages.ShowMessage(TableLineName(path, line) +
                                          ": an ellipsoid line needs a name, a semi-major axis and an inverse "
                                          "flattening, separated by TABs.",
                                      kFileErrorCaption);
        return std::nullopt;
    }
    const auto semiMajorAxis = TableNumber((*fields)[1], path, line, platform.DecimalSeparator, platform.Messages);
    if (!semiMajorAxis) return std::nullopt;
    const auto inverseFlattening =
        TableNumber((*fields)[2], path, line, platform.DecimalSeparator, platform.Messages);
    if (!inverseFlattening) return std::nullopt;
    Ellipsoid ellipsoid{(*fields)[0], *semiMajorAxis, *inverseFlattening};
    if (!std::isfinite(ellipsoid.SemiMajorAxis) || ellipsoid.SemiMajorAxis <= 0.0) {
        platform.Messages.ShowMessage(TableLineName(path, line) + ": the semi-major axis " + (*fields)[1] +
                                          " is not a length above 0.",
                                      kFileErrorCaption);
        return std::nullopt;
    }
    if (!std::isfinite(ellipsoid.InverseFlattening) || ellipsoid.InverseFlattening <= 1.0) {
        platform.Messages.ShowMessage(TableLineName(path, line) + ": the inverse flattening " + (*fields)[2] +
                                          " is not a number above 1.",
                                      kFileErrorCaption);
        return std::nullopt;
    }
    return ellipsoid;
}

}  // namespace kartoval
