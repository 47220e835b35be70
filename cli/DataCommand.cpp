#include "cli/DataCommand.hpp"

#include "cli/ConvertCommand.hpp"
#include "datum/GridIntegrity.hpp"
#include "refdata/DataCheck.hpp"
#include "toolkit/Sha256.hpp"

#include <string>
#include <system_error>

namespace kartoval {
namespace {

constexpr int kNameWidth = 26;

void printState(std::FILE* out, const std::string& name, DataState state, const std::string& detail)
{
    std::fprintf(out, "%-*s %s%s%s\n", kNameWidth, name.c_str(), DataStateName(state), detail.empty() ? "" : ": ",
                 detail.c_str());
}

}  // namespace

int CheckDataFiles(const Platform& platform, std::FILE* out)
{
    bool bad = false;
    for (const DataFileCheck& check : CheckDataTables(platform)) {
        printState(out, check.File, check.State, check.Detail);
        bad = bad || check.State == DataState::Damaged || check.State == DataState::Missing;
    }
    const std::filesystem::path gridFolder = platform.DataFolder / kGridFolderName;
    for (const GeodeticDatum datum : {GeodeticDatum::Nad27, GeodeticDatum::OldHawaiian, GeodeticDatum::PuertoRico,
                                      GeodeticDatum::StLawrence, GeodeticDatum::StPaul, GeodeticDatum::StGeorge}) {
        for (const ShiftGrid& grid : GridsToNad83(datum)) {
            const std::filesystem::path file = gridFolder / grid.FileName;
            const std::string name = std::string(kGridFolderName) + "/" + std::string(grid.FileName);
            std::error_code error;
            if (!std::filesystem::exists(file, error)) {
                printState(out, name, DataState::Missing, {});
                bad = true;
            } else if (const std::string problem = GridChecksumProblem(file); !problem.empty()) {
                printState(out, name, DataState::Damaged, problem);
                bad = true;
            } else {
                printState(out, name, DataState::Shipped, {});
            }
        }
    }
    return bad ? kExitInputOutput : kExitSuccess;
}

void NoteChangedTables(const std::filesystem::path& dataFolder, std::FILE* err)
{
    for (const std::string& note : ChangedTableNotes(dataFolder, KARTOVAL_VERSION)) {
        std::fprintf(err, "kartoval-convert: note: %s\n", note.c_str());
    }
}

}  // namespace kartoval
