#include "refdata/Ellipsoids.hpp"

#include "geodesy/Angles.hpp"
#include "refdata/TableFile.hpp"

#include <cmath>

namespace kartoval {
namespace {

// Every Earth ellipsoid ever used has its semi-major axis within 50 km of
// 6,350 km and 1/f between 250 and 350 (0 names a sphere); a value outside
// is a damaged or mistyped line, refused before it becomes a wrong grid.
constexpr double kLeastSemiMajorAxis = 6300000.0;  // metres
constexpr double kMostSemiMajorAxis = 6400000.0;   // metres
constexpr double kLeastInverseFlattening = 250.0;
constexpr double kMostInverseFlattening = 350.0;

// One ellipsoid line, checked.
Ellipsoid parseEllipsoid(const std::vector<std::string>& fields, const std::filesystem::path& path, int line,
                         char decimalSeparator)
{
    if (fields.size() < 3) {
        ThrowFileError(TableLineName(path, line) +
                       ": an ellipsoid line needs a name, a semi-major axis and an inverse flattening, separated "
                       "by TABs.");
    }
    Ellipsoid ellipsoid{fields[0], TableNumber(fields[1], path, line, decimalSeparator), 0.0};
    ellipsoid.InverseFlattening = TableNumber(fields[2], path, line, decimalSeparator);
    if (!(ellipsoid.SemiMajorAxis >= kLeastSemiMajorAxis && ellipsoid.SemiMajorAxis <= kMostSemiMajorAxis)) {
        ThrowFileError(TableLineName(path, line) + ": the semi-major axis " + QuotedField(fields[1]) +
                       " is outside 6300000..6400000 m, where every Earth ellipsoid lies.");
    }
    const double inverse = ellipsoid.InverseFlattening;
    if (inverse != 0.0 && !(inverse >= kLeastInverseFlattening && inverse <= kMostInverseFlattening)) {
        ThrowFileError(TableLineName(path, line) + ": the inverse flattening " + QuotedField(fields[2]) +
                       " is outside 250..350, where every Earth ellipsoid lies (0 for a sphere).");
    }
    return ellipsoid;
}

}  // namespace

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

Ellipsoid LoadEllipsoid(const Platform& platform, const char* fileName, int lineNumber)
{
    const std::filesystem::path path = platform.DataFile(fileName);
    const int line = lineNumber < 1 ? 1 : lineNumber;
    return parseEllipsoid(LookUpTableLine(path, line, kEllipsoidMissingMessage), path, line,
                          platform.DecimalSeparator);
}

std::vector<Ellipsoid> ReadEllipsoids(const Platform& platform)
{
    const std::filesystem::path path = platform.DataFile(kEllipsoidFileName);
    const auto entries = ReadTableEntries(path, kEllipsoidMissingMessage);
    std::vector<Ellipsoid> ellipsoids;
    ellipsoids.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ellipsoids.push_back(parseEllipsoid(entries[i], path, static_cast<int>(i + 1), platform.DecimalSeparator));
        RefuseRepeatedName(ellipsoids, path, "ellipsoid");
    }
    return ellipsoids;
}

EllipsoidParams EllipsoidInUnit(const Ellipsoid& ellipsoid, GridUnit unit)
{
    // The factor is applied only for feet, so a metre grid gets the axis
    // exactly as written in the table.
    const double a = unit == GridUnit::Metre ? ellipsoid.SemiMajorAxis
                                             : ellipsoid.SemiMajorAxis * GridUnitsPerMetre(unit);
    const double e = ellipsoid.InverseFlattening == 0.0 ? 0.0 : EccentricityFromInverseFlattening(ellipsoid.InverseFlattening);
    return {a, e};
}

}  // namespace kartoval
