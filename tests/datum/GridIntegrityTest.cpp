// Damaged grids are refused before any point is shifted with them, naming the
// file and what is wrong, and never passed over for the next grid.

#include "datum/DatumShift.hpp"
#include "datum/GridIntegrity.hpp"
#include "support/Fakes.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <limits>

namespace kartoval::testing {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

void copyGrids(const fs::path& to)
{
    for (const auto& entry : fs::directory_iterator(ProgramGridFolder())) fs::copy_file(entry.path(), to / entry.path().filename());
}

void flipBit(const fs::path& file, std::uintmax_t at)
{
    std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
    stream.seekg(static_cast<std::streamoff>(at));
    const char byte = static_cast<char>(stream.get() ^ 0x10);
    stream.seekp(static_cast<std::streamoff>(at));
    stream.put(byte);
}

void dropSumLine(const fs::path& sums, const std::string& name)
{
    std::ifstream in(sums);
    std::string kept;
    for (std::string line; std::getline(in, line);) {
        if (line.find(name) == std::string::npos) kept += line + "\n";
    }
    in.close();
    std::ofstream(sums) << kept;
}

TEST(GridIntegrity, DamagedGridsAreRefusedSayingWhat)
{
    const struct {
        const char* Name;
        std::function<void(const fs::path&)> Damage;
        const char* Message;
    } cases[]{
        {"bit flip in the compressed data",
         [](const fs::path& f) { flipBit(f / "us_noaa_conus.tif", fs::file_size(f / "us_noaa_conus.tif") / 2); },
         "us_noaa_conus.tif\" does not match its checksum: the file is damaged; reinstall Kartoval."},
        // Seattle lies in the truncated part; the Alaska grid must not stand in.
        {"truncated grid", [](const fs::path& f) { fs::resize_file(f / "us_noaa_conus.tif", 100000); },
         "us_noaa_conus.tif\" does not match its checksum"},
        {"no line for the grid", [](const fs::path& f) { dropSumLine(f / "SHA256SUMS", "us_noaa_conus.tif"); },
         "has no line in"},
        {"no checksum list", [](const fs::path& f) { fs::remove(f / "SHA256SUMS"); }, "SHA256SUMS\" is missing"},
        {"missing grid", [](const fs::path& f) { fs::remove(f / "us_noaa_conus.tif"); }, "us_noaa_conus.tif\" is missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        copyGrids(folder.Path);
        c.Damage(folder.Path);
        DatumShifter shifter(folder.Path);
        try {
            const DatumShiftResult shifted = shifter.Shift(GeodeticDatum::Nad27, GeodeticDatum::Nad83, -122.3, 47.6);
            ADD_FAILURE() << "shifted with " << shifted.Grid;
        } catch (const GridFileError& error) {
            EXPECT_THAT(error.what(), HasSubstr(folder.Path.string()));
            EXPECT_THAT(error.what(), HasSubstr(c.Message));
        }
    }
}

// The largest conterminous shift is 145.1 m; 10 % and 5 m more is the bound.
TEST(GridIntegrity, ShiftsBeyondTheGridsOwnAreDamage)
{
    const ShiftGrid conus = GridsToNad83(GeodeticDatum::Nad27).front();
    EXPECT_EQ(ShiftSizeProblem(conus, "g.tif", -30.0, 100.0), "");
    EXPECT_EQ(ShiftSizeProblem(conus, "g.tif", 160.0, 0.0), "");
    EXPECT_THAT(ShiftSizeProblem(conus, "g.tif", -6906.0, 0.0), HasSubstr("\"g.tif\" gave a shift of 6906 m"));
    EXPECT_THAT(ShiftSizeProblem(conus, "g.tif", std::numeric_limits<double>::quiet_NaN(), 0.0), HasSubstr("damaged"));
}

}  // namespace
}  // namespace kartoval::testing
