#include "refdata/DataCheck.hpp"

#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/ZoneAreas.hpp"
#include "refdata/ZoneCodes.hpp"
#include "toolkit/Sha256.hpp"

#include <array>
#include <functional>

namespace kartoval {
namespace {

struct TableReader {
    const char* File;
    std::function<void(const Platform&)> ReadWhole;
};

const std::array<TableReader, 5>& tableReaders()
{
    static const std::array<TableReader, 5> readers{
        TableReader{kEllipsoidFileName, [](const Platform& p) { (void)ReadEllipsoids(p); }},
        TableReader{kNad27FileName, [](const Platform& p) { (void)ReadStatePlaneZones(p, XyProjectionKind::Nad27); }},
        TableReader{kNad83FileName, [](const Platform& p) { (void)ReadStatePlaneZones(p, XyProjectionKind::Nad83); }},
        TableReader{kZoneCodesFileName, [](const Platform& p) { (void)ReadZoneCodes(p); }},
        TableReader{kZoneAreasFileName, [](const Platform& p) { (void)ReadZoneAreas(p); }},
    };
    return readers;
}

// Whether `file` in `folder` is there and has the digest listed for it.
enum class Match { Same, Different, Missing };
Match compare(const std::filesystem::path& folder, const char* file, const std::optional<ChecksumList>& sums)
{
    const std::optional<std::string> digest = FileSha256(folder / file);
    if (!digest) return Match::Missing;
    if (!sums) return Match::Different;
    const auto listed = sums->find(file);
    return listed != sums->end() && listed->second == *digest ? Match::Same : Match::Different;
}

}  // namespace

const char* DataStateName(DataState state)
{
    switch (state) {
    case DataState::Shipped: return "shipped";
    case DataState::Changed: return "changed";
    case DataState::Damaged: return "damaged";
    case DataState::Missing: return "missing";
    }
    return "damaged";
}

std::vector<DataFileCheck> CheckDataTables(const Platform& platform)
{
    const std::optional<ChecksumList> sums = ReadChecksumList(platform.DataFile(kDataSumsFileName));
    std::vector<DataFileCheck> checks;
    for (const TableReader& table : tableReaders()) {
        DataFileCheck check{table.File, DataState::Shipped, {}};
        const Match match = compare(platform.DataFolder, table.File, sums);
        if (match == Match::Missing) {
            check.State = DataState::Missing;
        } else if (match == Match::Different) {
            check.State = DataState::Changed;
            try {
                table.ReadWhole(platform);
            } catch (const CommandError& error) {
                check.State = DataState::Damaged;
                check.Detail = error.what();
            }
        }
        checks.push_back(std::move(check));
    }
    checks.push_back({kDataSumsFileName, sums ? DataState::Shipped : DataState::Missing, {}});
    return checks;
}

std::vector<std::string> ChangedTableNotes(const std::filesystem::path& dataFolder, const std::string& version)
{
    const std::optional<ChecksumList> sums = ReadChecksumList(dataFolder / kDataSumsFileName);
    std::vector<std::string> notes;
    for (const TableReader& table : tableReaders()) {
        if (compare(dataFolder, table.File, sums) == Match::Different) {
            notes.push_back(std::string(table.File) + " differs from the table shipped with Kartoval " + version);
        }
    }
    return notes;
}

}  // namespace kartoval
