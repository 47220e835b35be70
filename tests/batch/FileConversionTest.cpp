// How a run treats its files: what it reads as rows, what it refuses, and that
// every refusal leaves the files as they were.

#include "BatchFixture.hpp"

#include "batch/FileConversionPage.hpp"
#include "batch/LineReader.hpp"
#include "toolkit/Errors.hpp"

#include <sys/stat.h>

namespace kartoval::testing {
namespace {

const std::string kTwoPoints = "1 10.5 40.25\n2 8.25 41.5\n";
const std::string kOldOutput = "an earlier result\n";

TEST_F(BatchRun, LineEndsBlanksAndSeparatorsReadAlike)
{
    const std::string expected = convert(kTwoPoints);
    ASSERT_EQ(outputNumbers(expected).size(), 2U);
    const struct {
        const char* name;
        std::string input;
    } cases[] = {
        {"crlf", "1 10.5 40.25\r\n2 8.25 41.5\r\n"},
        {"last line without line end", "1 10.5 40.25\n2 8.25 41.5"},
        {"crlf, last line without line end", "1 10.5 40.25\r\n2 8.25 41.5"},
        {"tabs and blanks mixed, blanks at both ends", " \t1\t \t10.5  40.25 \t\n\t2 \t8.25\t41.5  \r\n"},
        {"blank and whitespace-only lines carry no point", "\n1 10.5 40.25\n   \n\t\r\n2 8.25 41.5\n\n \n"},
        {"fields after the selected ones are any text", "1 10.5 40.25 x;y\n2 8.25 41.5 , 1e999\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(convert(c.input), expected);
    }
}

// Byte-level inputs: every line end is one, rows are never dropped, and what
// can't be read is said in a message that shows every byte and writes nothing.
TEST_F(BatchRun, ByteLevelInputs)
{
    using namespace std::string_literals;
    const std::string in = pathOf("in.txt");
    const std::string utf16 = "\xFF\xFE" "1\0 \0" "1\0" "0\0 \0" "4\0" "0\0\n\0"s;
    const struct {
        const char* name;
        std::string input;
        std::vector<double> shotPoints;  // the rows written, or
        std::string message;             // the message (or error) of a refused file
    } cases[] = {
        {"lone CR, four fields", "1 10.5 40.25 a\r2 8.25 41.5 b\r3 9 42 c\r", {1, 2, 3}, ""},
        {"lone CR, three fields", "1 10.5 40.25\r2 8.25 41.5\r3 9 42", {1, 2, 3}, ""},
        {"LF, CR LF and CR mixed", "1 10.5 40.25\n2 8.25 41.5\r\n3 9 42\r4 9 43", {1, 2, 3, 4}, ""},
        {"CR CR LF: a blank line between", "1 10.5 40.25\r\r\n2 8.25 41.5", {1, 2}, ""},
        {"UTF-8 byte-order mark skipped", "\xEF\xBB\xBF" "1 10.5 40.25\n", {1}, ""},
        {"NUL inside a field", "1 10\0x 40.25\n"s, {}, "Line 1: '10<NUL>x' is not a valid floating point value"},
        {"no-break space in a field", "1 10.5\xC2\xA0 40.25", {},
         "Line 1: '10.5<U+00A0>' is not a valid floating point value"},
        {"UTF-16 with its mark", utf16, {},
         in + " is UTF-16 text; save it as plain text (ANSI or UTF-8). No file was written."},
        {"UTF-16 without a mark", utf16.substr(2), {}, "Line 1: '1<NUL>0' is not a valid floating point value"},
        {"empty", "", {}, in + " holds no points. No file was written."},
        {"blank lines only", " \n\t\r\n\r\r", {}, in + " holds no points. No file was written."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.Messages.clear();
        folder.Write("out.txt", kOldOutput);
        std::string error;
        try {
            run(c.input);
        } catch (const ConvertError& e) {
            error = e.what();
        }
        if (!messages.Messages.empty()) error = messages.Messages.front().Text;
        EXPECT_EQ(error, c.message);
        if (!c.message.empty()) {
            EXPECT_EQ(output(), kOldOutput);
            continue;
        }
        std::vector<double> shotPoints;
        for (const auto& row : outputNumbers(output())) shotPoints.push_back(row.at(0));
        EXPECT_EQ(shotPoints, c.shotPoints);
    }
}

TEST_F(BatchRun, LineOf199CharactersIsReadOneOf200Refused)
{
    const std::string head = "3 10.5 40.25 ";
    const struct {
        const char* name;
        std::size_t length;
        const char* lineEnd;
        bool accepted;
    } cases[] = {
        {"199, LF", 199, "\n", true},
        {"199, CR LF", 199, "\r\n", true},
        {"199, no line end", 199, "", true},
        {"200, LF", 200, "\n", false},
        {"200, CR LF", 200, "\r\n", false},
        {"200, no line end", 200, "", false},
        {"199, lone CR", 199, "\r", true},
        {"200, lone CR", 200, "\r", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("out.txt", kOldOutput);
        messages.Messages.clear();
        run(kTwoPoints + head + std::string(c.length - head.size(), 'x') + c.lineEnd);
        if (c.accepted) {
            EXPECT_TRUE(messages.Messages.empty());
            EXPECT_EQ(outputNumbers(output()).size(), 3U);
        } else {
            const auto shown = onlyMessage();
            EXPECT_EQ(shown.Caption, "File error");
            EXPECT_NE(shown.Text.find("Line 3 of " + settings.InputPath + " is longer than 199 characters"),
                      std::string::npos)
                << shown.Text;
            EXPECT_EQ(output(), kOldOutput);
        }
    }
}

std::string pointLines(int count)
{
    std::string text;
    for (int k = 1; k <= count; ++k) text += std::to_string(k) + " 9.5 40\n";
    return text;
}

TEST_F(BatchRun, TableTakes39999Rows)
{
    settings.SkipFirstRow = true;
    // The header and blank lines are no rows, so this file still fits.
    const std::string output = convert("Sp Lon Lat\n" + pointLines(PointTable::kMaxRows) + "\n \n");
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), PointTable::kMaxRows);
}

TEST_F(BatchRun, FileOf40000RowsIsRefused)
{
    folder.Write("out.txt", kOldOutput);
    boxSkip.Checked = true;
    run(pointLines(PointTable::kMaxRows + 1));
    const auto shown = onlyMessage();
    EXPECT_NE(shown.Text.find("more than 39999 points"), std::string::npos) << shown.Text;
    EXPECT_EQ(output(), kOldOutput);
    EXPECT_TRUE(boxSkip.Checked);
}

// The row limit ends a run even where bad lines are only reported.
TEST_F(BatchRun, RowLimitStopsAKeepGoingRun)
{
    const Ellipsoid wgs84{"WGS 84", 6378137.0, 298.257223563};
    const ConversionRoute route(DegreesSide(), DegreesSide(), wgs84, platform, TmEngine::Series);
    std::FILE* in = std::tmpfile();
    const std::string lines = pointLines(3);
    std::fwrite(lines.data(), 1, lines.size(), in);
    std::rewind(in);
    LineReader reader(in);
    struct Sink : BatchOutput {
        void Write(std::string_view chunk) override { Text += chunk; }
        std::string Text;
    } sink;
    BatchOptions options;
    options.MaxRows = 2;
    options.KeepGoing = true;
    std::vector<FailureKind> failures;
    BatchCallbacks callbacks;
    callbacks.Failure = [&](const LineFailure& failure) { failures.push_back(failure.Kind); };
    const BatchSummary summary = RunBatch(reader, sink, options, route, callbacks);
    std::fclose(in);
    EXPECT_TRUE(summary.Stopped);
    EXPECT_EQ(summary.Rows, 2U);
    EXPECT_EQ(failures, std::vector<FailureKind>{FailureKind::TooManyRows});
}

TEST_F(BatchRun, LineWithoutSelectedColumnIsNamed)
{
    const struct {
        const char* name;
        std::string input;
        ConversionDirection direction;
        int latColumn;
        std::string expected;
    } cases[] = {
        {"too few fields", kTwoPoints + "3 10.5\n", ConversionDirection::DegreesToUtm, 2,
         "Line 3 of " + pathOf("in.txt") + " has no column C (latitude)."},
        {"commas are no separators", "\n1,10.5,40.25\n", ConversionDirection::DegreesToUtm, 2,
         "Line 2 of " + pathOf("in.txt") + " has no column B (longitude)."},
        {"column J towards degrees", "1 500000 4000000\n", ConversionDirection::UtmToDegrees, 9,
         "Line 1 of " + pathOf("in.txt") + " has no column J (northing)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.Messages.clear();
        settings.Direction = c.direction;
        settings.LatColumn = c.latColumn;
        run(c.input);
        const auto shown = onlyMessage();
        EXPECT_EQ(shown.Caption, "File error");
        EXPECT_EQ(shown.Text.rfind(c.expected, 0), 0U) << shown.Text;
        EXPECT_FALSE(outputExists());
    }
}

TEST_F(BatchRun, BadNumberEndsRunNamingTheLine)
{
    folder.Write("out.txt", kOldOutput);
    // Blank lines count: the bad field stands on line 4 of the file.
    EXPECT_THROW(
        {
            try {
                run("1 10.5 40.25\n\n2 10.5 40.25\n3 10.5 4O.25\n");
            } catch (const ConvertError& error) {
                EXPECT_STREQ(error.what(), "Line 4: '4O.25' is not a valid floating point value");
                throw;
            }
        },
        ConvertError);
    EXPECT_EQ(output(), kOldOutput);
}

TEST_F(BatchRun, ImpossiblePointEndsRunNamingTheLine)
{
    const struct {
        const char* name;
        std::string input;
        ConversionDirection direction;
        std::string expected;
    } cases[] = {
        {"latitude above 90", "1 10 40\n2 10 95\n", ConversionDirection::DegreesToUtm,
         "Line 2: Latitude 95 is outside -90..90"},
        // West longitudes without minuses: 400 is read as -400, past a full turn.
        {"longitude past a full turn", "1 10 40\n2 400 40\n", ConversionDirection::DegreesToUtm,
         "Line 2: Longitude -400 is outside -360..360"},
        // 10000 km north of the equator lies beyond the pole.
        {"northing past the pole", "1 500000 10000000\n", ConversionDirection::UtmToDegrees,
         "Line 1: The point is outside the range of the projection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("out.txt", kOldOutput);
        settings.Direction = c.direction;
        try {
            run(c.input);
            ADD_FAILURE() << "no error";
        } catch (const PointRangeError& error) {
            EXPECT_EQ(error.what(), c.expected);
        }
        EXPECT_EQ(output(), kOldOutput);
    }
}

TEST_F(BatchRun, SkipFirstRowActsOnOneRunOnly)
{
    FakeText editInput(pathOf("in.txt"));
    FakeText editOutput(pathOf("out.txt"));
    FakeList boxEllipsoid;
    FakeList boxProjection;
    FakeList boxLon;
    FakeList boxLat;
    FakeList boxSP;
    boxEllipsoid.Index = kWgs84Position;
    boxProjection.Index = 28;
    boxLon.Index = 1;
    boxLat.Index = 2;
    boxSP.Index = 0;
    FakeCheck boxSkipOnPage(true);
    FakeCheck boxMinusW(true);
    FakeCheck buttonDegreesToUtm(true);
    FakeCheck utmSouth, nad27, nad83;
    FakeText label7, labLongi, labLati, toGridCaption, toDegreesCaption;
    FileConversionPage page{editInput, editOutput, boxEllipsoid, boxProjection, boxLon, boxLat, boxSP,
                            boxSkipOnPage, boxMinusW, buttonDegreesToUtm, utmSouth, nad27, nad83,
                            label7, labLongi, labLati, toGridCaption, toDegreesCaption};

    folder.Write("in.txt", "Sp Lon Lat\n" + kTwoPoints);
    GOClick(page, platform);
    const std::string first = output();
    EXPECT_EQ(outputNumbers(first).size(), 2U);
    EXPECT_FALSE(boxSkipOnPage.Checked);

    try {
        GOClick(page, platform);
        ADD_FAILURE() << "the header was read as a row without an error";
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "Line 1: 'Sp' is not a valid floating point value; check 'Keep other columns' to keep text point IDs");
    }
    EXPECT_EQ(output(), first);
}

// Refusals of a file or a page that would convert to a plausible wrong
// answer; none writes anything and "Skip first row" stays checked.
TEST_F(BatchRun, RefusedRunsWriteNothing)
{
    const struct {
        const char* name;
        int ellipsoid;
        std::string input;
        std::string message;
    } cases[] = {
        {"minus under west without minuses", kWgs84Position, "head\n1 8.5 38.9\n\n2 -3.5 40\n",
         "Line 4: longitude '-3.5' has a minus sign, but 'West longitudes without minuses' is checked"},
        {"no ellipsoid selected", -1, kTwoPoints, "Choose an ellipsoid\nNothing is selected in the Ellipsoid list."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("out.txt", kOldOutput);
        messages.Messages.clear();
        settings.SkipFirstRow = true;
        boxSkip.Checked = true;
        settings.EllipsoidPosition = c.ellipsoid;
        try {
            run(c.input);
            EXPECT_EQ(onlyMessage().Text, c.message);
        } catch (const CommandError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
        EXPECT_EQ(output(), kOldOutput);
        EXPECT_TRUE(boxSkip.Checked);
    }
}

TEST_F(BatchRun, OutputNamingTheInputAsksFirst)
{
    std::filesystem::create_directory(folder.Path / "sub");
    const struct {
        const char* name;
        std::string outputPath;
        bool answer;
    } cases[] = {
        {"same name, No", pathOf("in.txt"), false},
        {"same file by another path, No", pathOf("sub/../in.txt"), false},
        {"same name, Yes", pathOf("in.txt"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.OutputPath = c.outputPath;
        messages.Questions.clear();
        messages.Answers = {c.answer};
        run(kTwoPoints);
        ASSERT_EQ(messages.Questions.size(), 1U);
        EXPECT_EQ(messages.Questions[0].Text, "Replace the input file " + pathOf("in.txt") +
                                                  " with the converted points?");
        EXPECT_EQ(messages.Questions[0].Caption, "Kartoval");
        EXPECT_EQ(folderNames(), (std::vector<std::string>{"ellips.txt", "in.txt", "sub"}));
        if (c.answer) {
            EXPECT_EQ(outputNumbers(folder.Read("in.txt")).size(), 2U);
            EXPECT_NE(folder.Read("in.txt"), kTwoPoints);
        } else {
            EXPECT_EQ(folder.Read("in.txt"), kTwoPoints);
        }
    }
}

TEST_F(BatchRun, MissingInputLeavesOutputAlone)
{
    std::filesystem::create_directory(folder.Path / "folder");
    // A pipe exists but would block the window until someone writes to it.
    ASSERT_EQ(mkfifo(pathOf("pipe").c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {pathOf("nothing.txt"), pathOf("nothing.txt") + ": No such file or directory"},
        {"", "No input file is named."},
        {pathOf("folder"), pathOf("folder") + ": It is a folder."},
        {pathOf("pipe"), pathOf("pipe") + ": It is no plain file."},
    };
    for (const auto& [input, where] : cases) {
        SCOPED_TRACE(input);
        folder.Write("out.txt", kOldOutput);
        messages.Messages.clear();
        settings.InputPath = input;
        EXPECT_FALSE(ConvertPointFile(settings, platform, boxSkip));
        const auto shown = onlyMessage();
        EXPECT_EQ(shown.Text, "Can't find specified file\n" + where);
        EXPECT_EQ(shown.Caption, "File error");
        EXPECT_EQ(output(), kOldOutput);
    }
}

TEST_F(BatchRun, MissingEllipsoidFileEndsRunFirst)
{
    std::filesystem::remove(folder.Path / "ellips.txt");
    settings.InputPath = pathOf("nothing.txt");
    ConvertPointFile(settings, platform, boxSkip);
    EXPECT_EQ(onlyMessage().Text, "Can't find ellipsoid data file\nLooked for " + pathOf("ellips.txt"));
    EXPECT_FALSE(outputExists());
}

TEST_F(BatchRun, UnwritableOutputIsSaidAndLeavesNothing)
{
    std::filesystem::create_directory(folder.Path / "folder");
    folder.Write("in.txt", kTwoPoints);
    const std::string cases[] = {
        pathOf("missing/out.txt"),
        pathOf("in.txt/out.txt"),  // a file where a folder should be
        pathOf("folder"),
        "",
    };
    for (const std::string& outputPath : cases) {
        SCOPED_TRACE(outputPath);
        messages.Messages.clear();
        settings.OutputPath = outputPath;
        ConvertPointFile(settings, platform, boxSkip);
        const auto shown = onlyMessage();
        EXPECT_EQ(shown.Caption, "File error");
        EXPECT_EQ(shown.Text.rfind("Can't write the output file " + outputPath + ": ", 0), 0U) << shown.Text;
        EXPECT_EQ(folderNames(), (std::vector<std::string>{"ellips.txt", "folder", "in.txt"}));
        EXPECT_EQ(folder.Read("in.txt"), kTwoPoints);
    }
}

// A run that fails writes nothing, so the header must still be skipped when
// the user runs it again: "Skip first row" stays checked.
TEST_F(BatchRun, FailedRunLeavesSkipFirstRowChecked)
{
    settings.SkipFirstRow = true;
    boxSkip.Checked = true;
    EXPECT_THROW(run("Sp Lon Lat\n1 10 40\n2 10 95\n"), PointRangeError);
    EXPECT_FALSE(outputExists());
    EXPECT_TRUE(boxSkip.Checked);
    run("Sp Lon Lat\n1 10 40\n");
    EXPECT_TRUE(outputExists());
    EXPECT_FALSE(boxSkip.Checked);
}

// Replacing goes through a new file renamed into place, which the folder
// allows even when the old file is write-protected; the protection must hold.
// Root may write any file, so the case only exists for ordinary users.
TEST_F(BatchRun, WriteProtectedOutputIsNotReplaced)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root may write a write-protected file";
    folder.Write("out.txt", kOldOutput);
    std::filesystem::permissions(folder.Path / "out.txt", std::filesystem::perms::owner_read);
    folder.Write("in.txt", kTwoPoints);
    ConvertPointFile(settings, platform, boxSkip);
    EXPECT_EQ(onlyMessage().Caption, "File error");
    EXPECT_EQ(output(), kOldOutput);
}

TEST_F(BatchRun, ReplacedOutputKeepsItsPermissions)
{
    // Writing through a new file must neither leave the user's output private
    // nor open a private one (0640) to everybody.
    using std::filesystem::perms;
    for (const perms mode : {perms::owner_read | perms::owner_write | perms::group_read | perms::others_read,
                             perms::owner_read | perms::owner_write | perms::group_read}) {
        folder.Write("out.txt", kOldOutput);
        std::filesystem::permissions(folder.Path / "out.txt", mode);
        EXPECT_NE(convert(kTwoPoints), kOldOutput);
        EXPECT_EQ(std::filesystem::status(folder.Path / "out.txt").permissions(), mode);
    }
}

TEST_F(BatchRun, UnreadableInputIsNamedWithTheReason)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root may read a read-protected file";
    folder.Write("in.txt", kTwoPoints);
    std::filesystem::permissions(folder.Path / "in.txt", std::filesystem::perms::owner_write);
    ConvertPointFile(settings, platform, boxSkip);
    const auto shown = onlyMessage();
    EXPECT_EQ(shown.Text.substr(0, shown.Text.find('\n')), "Can't find specified file");
    EXPECT_NE(shown.Text.find("in.txt"), std::string::npos) << shown.Text;
    EXPECT_FALSE(std::filesystem::exists(folder.Path / "out.txt"));
}

TEST_F(BatchRun, UnselectedColumnOrZoneIsRefused)
{
    const struct {
        const char* name;
        int column;
        int zone;
    } cases[] = {{"no column", -1, 28}, {"column past J", 10, 28}, {"no zone", 1, -1}, {"zone past 60", 1, 60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.Messages.clear();
        settings.LonColumn = c.column;
        settings.ZonePosition = c.zone;
        run(kTwoPoints);
        EXPECT_EQ(onlyMessage().Caption, "Kartoval");
        EXPECT_FALSE(outputExists());
    }
}

}  // namespace
}  // namespace kartoval::testing
