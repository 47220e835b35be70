// The tables against the shipped ones: a table that differs is still used
// but noted; one that differs and can't be read is damaged.

#include "TableFixture.hpp"
#include "refdata/DataCheck.hpp"
#include "refdata/Ellipsoids.hpp"

#include <gtest/gtest.h>

namespace kartoval::testing {
namespace {

class DataCheck : public TableTest {
protected:
    void SetUp() override
    {
        for (const char* file : {"ellips.txt", "nad27.txt", "nad83.txt", "zone_codes.txt", "SHA256SUMS"}) {
            folder.CopyShipped(file);
        }
    }
    DataState stateOf(const std::string& file)
    {
        for (const DataFileCheck& check : CheckDataTables(platform)) {
            if (check.File == file) return check.State;
        }
        return DataState::Missing;
    }
};

TEST_F(DataCheck, EachTableIsShippedChangedDamagedOrMissing)
{
    EXPECT_EQ(stateOf("nad27.txt"), DataState::Shipped);
    EXPECT_TRUE(ChangedTableNotes(folder.Path, "0.9").empty());

    // A user's own ellipsoid above the end marker: changed, still read.
    const std::string ellipsoids = folder.Read("ellips.txt");
    folder.Write("ellips.txt", "Mine\t6378000\t300\n" + ellipsoids);
    EXPECT_EQ(stateOf("ellips.txt"), DataState::Changed);
    EXPECT_EQ(LoadEllipsoid(platform, "ellips.txt", 1).Name, "Mine");
    EXPECT_EQ(ChangedTableNotes(folder.Path, "0.9"),
              std::vector<std::string>{"ellips.txt differs from the table shipped with Kartoval 0.9"});

    folder.Write("ellips.txt", "Mine\t637800\t300\n" + ellipsoids);
    EXPECT_EQ(stateOf("ellips.txt"), DataState::Damaged);
    std::filesystem::remove(folder.Path / "nad83.txt");
    EXPECT_EQ(stateOf("nad83.txt"), DataState::Missing);
    std::filesystem::remove(folder.Path / "SHA256SUMS");
    EXPECT_EQ(stateOf("nad27.txt"), DataState::Changed);
    EXPECT_EQ(stateOf("SHA256SUMS"), DataState::Missing);
}

}  // namespace
}  // namespace kartoval::testing
