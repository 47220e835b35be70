// What the File page asks before it replaces a file, what it says would be
// lost, and how a text shot point is refused.

#include "BatchFixture.hpp"

namespace kartoval::testing {
namespace {

TEST_F(BatchRun, LostColumnsAreCountedAndNamed)
{
    const struct {
        const char* Input;
        bool Header;
        const char* Lost;  // "" when nothing is lost
    } rows[] = {
        {"1 10.5 40.25\n", false, ""},
        {"sp lon lat elev code\n1 10.5 40.25 12.0 TREE\n", true,
         "The converted file holds only shot point, X and Y: the other 2 columns and the header line of in.txt will be lost."},
        {"1 10.5 40.25 12.0\n2 8.25 41.5\n", false,
         "The converted file holds only shot point, X and Y: the other column of in.txt will be lost."},
        {"sp lon lat\n1 10.5 40.25\n", true,
         "The converted file holds only shot point, X and Y: the header line of in.txt will be lost."},
        {"1\t10.5\t40.25\t3\t4\t5\n", false,
         "The converted file holds only shot point, X and Y: the other 3 columns of in.txt will be lost."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Input);
        folder.Write("in.txt", row.Input);
        settings.SkipFirstRow = row.Header;
        EXPECT_EQ(LostColumnsText(settings), row.Lost);
    }
    // The question before replacing the input says it.
    settings.SkipFirstRow = false;
    settings.OutputPath = pathOf("in.txt");
    messages.Answers = {false};
    run("1 10.5 40.25 12.0\n");
    ASSERT_EQ(messages.Questions.size(), 1U);
    EXPECT_EQ(messages.Questions[0].Text, "Replace the input file " + pathOf("in.txt") +
                                              " with the converted points? The converted file holds only shot point, "
                                              "X and Y: the other column of in.txt will be lost.");
    EXPECT_EQ(folder.Read("in.txt"), "1 10.5 40.25 12.0\n");
}

TEST_F(BatchRun, TypedOutputIsReplacedOnlyAfterAYes)
{
    const struct {
        bool Typed;
        bool Exists;
        bool Answer;
        std::size_t Questions;
        bool Replaced;
    } rows[] = {
        {true, true, false, 1, false},  // the default answer keeps the file
        {true, true, true, 1, true},
        {true, false, false, 0, true},  // nothing to lose, nothing asked
        {false, true, false, 0, true},  // confirmed in the Output File dialog
    };
    for (const auto& row : rows) {
        std::filesystem::remove(folder.Path / "out.txt");
        if (row.Exists) folder.Write("out.txt", "an earlier result\n");
        settings.OutputTyped = row.Typed;
        messages.Questions.clear();
        messages.Answers = {row.Answer};
        run("1 10.5 40.25\n");
        ASSERT_EQ(messages.Questions.size(), row.Questions);
        if (row.Questions > 0) {
            EXPECT_NE(messages.Questions[0].Text.find("already exists"), std::string::npos);
        }
        EXPECT_EQ(output() != "an earlier result\n", row.Replaced);
    }
}

TEST_F(BatchRun, TextShotPointsAreKeptOnlyWithKeepOtherColumns)
{
    const std::string input = "L101-1001 10.5 40.25 12.0\n";
    try {
        run(input);
        ADD_FAILURE() << "a text shot point converted";
    } catch (const ConvertError& error) {
        const std::string text = error.what();
        EXPECT_EQ(text.substr(text.size() - std::string(kKeepColumnsHint).size()), kKeepColumnsHint);
    }
    EXPECT_FALSE(outputExists());
    settings.KeepColumns = true;
    EXPECT_EQ(convert(input).substr(0, 10), "L101-1001\t");
}

}  // namespace
}  // namespace kartoval::testing
