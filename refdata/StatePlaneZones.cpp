#include "refdata/StatePlaneZones.hpp"

#include "refdata/TableFile.hpp"

namespace kartoval {
namespace {

void listZones(ListControl& list, const Platform& platform, const char* fileName, const char* missingMessage)
{
    for (const std::string& name : ListTableNames(platform.DataFile(fileName), missingMessage, platform.Messages)) {
        list.AddItem(name);
    }
}

std::optional<ZoneProjectionKind> kindOf(const std::string& keyword)
{
    if (keyword == "LAMBERT") return ZoneProjectionKind::Lcc;
    if (keyword == "TM") return ZoneProjectionKind::Tm;
    if (keyword == "OM1") return ZoneProjectionKind::Om1;
    return std::nullopt;
}

}  // namespace

void ListNad27Zones(ListControl& list, const Platform& platform)
{
    listZones(list, platform, kNad27FileName, "Can't find NAD27 data file");
}

void ListNad83Zones(ListControl& list, const Platform& platform)
{
    listZones(list, platform, kNad83FileName, "Can't find NAD83 data file");
}

std::optional<ZoneDefinition> LoadZoneDefinition(const Platform& platform, const char* fileName, int lineNumber)
{
    const std::filesystem::path path = platform.DataFile(fileName);
    const int line = lineNumber < 1 ? 1 : lineNumber;
    const auto fields = LookUpTableLine(path, line, kNadLookupMissingMessage, platform.Messages);
    if (!fields) return std::nullopt;
    if (fields->size() < 2) {
        platform.Messages.ShowMessage(TableLineName(path, line) +
                                          ": a zone line needs a name and a projection keyword separated by a TAB.",
                                      kFileErrorCaption);
        return std::nullopt;
    }
    ZoneDefinition zone;
    zone.Where = TableLineName(path, line);
    zone.Keyword = (*fields)[1];
    zone.Kind = kindOf(zone.Keyword);
    // Fields after the ninth have no role and are not read.
    for (std::size_t k = 0; k < static_cast<std::size_t>(kZoneParamCount) && k + 2 < fields->size(); ++k) {
        zone.Params[k] = TableNumber((*fields)[k + 2], path, line, platform.DecimalSeparator, platform.Messages);
        if (!zone.Params[k]) return std::nullopt;
    }
    return zone;
}

}  // namespace kartoval
