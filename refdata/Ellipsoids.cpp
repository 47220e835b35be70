#include "refdata/Ellipsoids.hpp"

#include "geodesy/Angles.hpp"
#include "refdata/TableFile.hpp"

#include <cmath>

namespace kartoval {
namespace {

// One ellipsoid line, checked: a name, an axis above 0 and an inverse
// flattening above 1 (a flattening below 1, so that e is a real number below 1).
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
    if (!std::isfinite(ellipsoid.SemiMajorAxis) || ellipsoid.SemiMajorAxis <= 0.0) {
        ThrowFileError(TableLineName(path, line) + ": the semi-major axis " + fields[1] + " is not a length above 0.");
    }
    if (!std::isfinite(ellipsoid.InverseFlattening) || ellipsoid.InverseFlattening <= 1.0) {
        ThrowFileError(TableLineName(path, line) + ": the inverse flattening " + fields[2] +
                       " is not a number above 1.");
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
    }
    return ellipsoids;
}

EllipsoidParams EllipsoidInUnit(const Ellipsoid& ellipsoid, GridUnit unit)
{
    // The factor is applied only for feet, so a metre grid gets the axis
    // exactly as written in the table.
    const double a = unit == GridUnit::Metre ? ellipsoid.SemiMajorAxis
                                             : ellipsoid.SemiMajorAxis * GridUnitsPerMetre(unit);
    return {a, EccentricityFromInverseFlattening(ellipsoid.InverseFlattening)};
}

}  // namespace kartoval
