// The data tables share the point files' line ends: LF, CR LF and a lone CR,
// mixed too; a byte-order mark is skipped; a line past 199 characters ends
// the reading, however long it is.

#include "TableFixture.hpp"
#include "refdata/TableFile.hpp"

namespace kartoval::testing {
namespace {

class TableFileRead : public TableTest {};

TEST_F(TableFileRead, LineEndsAndLimit)
{
    const std::string longLine(200, 'x');
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        std::uint64_t longLine;
    } cases[] = {
        {"lone CR", "A\t1\t2\rB\t3\t4\rEnd\r", {"A\t1\t2", "B\t3\t4", "End"}, 0},
        {"mixed", "A\t1\r\nB\t2\nC\t3\rEnd", {"A\t1", "B\t2", "C\t3", "End"}, 0},
        {"CR CR LF: an empty line between", "A\r\r\nB", {"A", "", "B"}, 0},
        {"byte-order mark", "\xEF\xBB\xBF" "A\t1\nEnd\n", {"A\t1", "End"}, 0},
        {"199 characters then lone CR", std::string(199, 'y') + "\rEnd", {std::string(199, 'y'), "End"}, 0},
        {"200 characters, lone CR", "A\r" + longLine + "\rEnd\r", {"A"}, 2},
        {"a long line without any end", "A\n" + std::string(300000, 'z'), {"A"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("t.txt", c.bytes);
        const TableLines read = ReadTableLines(folder.Path / "t.txt");
        EXPECT_TRUE(read.Opened);
        EXPECT_EQ(read.Lines, c.lines);
        EXPECT_EQ(read.LongLine, c.longLine);
    }
}

}  // namespace
}  // namespace kartoval::testing
