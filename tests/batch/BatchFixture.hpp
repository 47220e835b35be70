#pragma once
// A file conversion run in a temporary folder of its own, with a small
// ellipsoid table written there (not the shipped one), fake message boxes and
// a fake "Skip first row" box.

#include "batch/FileConversion.hpp"
#include "geodesy/Angles.hpp"
#include "support/Fakes.hpp"
#include "toolkit/NumberText.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kartoval::testing {

inline constexpr const char* kTestEllipsoids =
    "Clarke 1866\t6378206.4\t294.9786982\n"
    "WGS 84\t6378137\t298.257223563\n"
    "end\n";
inline constexpr int kClarke1866Position = 0;
inline constexpr int kWgs84Position = 1;
inline constexpr double kWgs84A = 6378137.0;
inline const double kWgs84E = EccentricityFromInverseFlattening(298.257223563);

class BatchRun : public ::testing::Test {
protected:
    BatchRun()
    {
        folder.Write("ellips.txt", kTestEllipsoids);
        settings.InputPath = pathOf("in.txt");
        settings.OutputPath = pathOf("out.txt");
        settings.EllipsoidPosition = kWgs84Position;
    }

    [[nodiscard]] std::string pathOf(const std::string& name) const { return (folder.Path / name).string(); }

    // Writes the input file and runs the conversion on it.
    void run(const std::string& input)
    {
        folder.Write("in.txt", input);
        ConvertPointFile(settings, platform, boxSkip);
    }
    // Runs and gives the output, failing the test when the run said anything.
    std::string convert(const std::string& input)
    {
        run(input);
        EXPECT_TRUE(messages.Messages.empty()) << messages.Messages.front().Text;
        return output();
    }
    [[nodiscard]] std::string output() const { return folder.Read("out.txt"); }
    [[nodiscard]] bool outputExists() const { return std::filesystem::exists(folder.Path / "out.txt"); }

    // The one message the run showed, or a failure.
    [[nodiscard]] FakeMessages::Shown onlyMessage() const
    {
        EXPECT_EQ(messages.Messages.size(), 1U);
        return messages.Messages.empty() ? FakeMessages::Shown{} : messages.Messages.front();
    }

    // The names in the folder, to see that a failed run left nothing behind.
    [[nodiscard]] std::vector<std::string> folderNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder;
    FakeMessages messages;
    FakeCheck boxSkip;
    Platform platform{messages, folder.Path, '.'};
    FileConversionSettings settings;
};

// The numbers of every output line.
inline std::vector<std::vector<double>> outputNumbers(const std::string& text)
{
    std::vector<std::vector<double>> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::vector<double> row;
        std::size_t field = start;
        for (;;) {
            const std::size_t tab = text.find('\t', field);
            const std::size_t stop = tab < end ? tab : end;
            row.push_back(FileStrToFloat(text.substr(field, stop - field), '.'));
            if (stop == end) break;
            field = stop + 1;
        }
        rows.push_back(row);
        start = end + 1;
    }
    return rows;
}

}  // namespace kartoval::testing
