#pragma once
// The single-point page over fake controls, with its own data folder: the
// commands run exactly as the window runs them.

#include "single/SinglePointPage.hpp"
#include "support/Fakes.hpp"
#include "toolkit/Platform.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kartoval::testing {

// Lines of the test ellips.txt; list position p is line p + 1.
inline constexpr int kWgs84Position = 0;
inline constexpr int kClarke1866Position = 1;
inline constexpr int kGrs1980Position = 2;
inline constexpr int kNoFlatteningPosition = 3;   // "Broken<TAB>6378137"
inline constexpr int kWordFlatteningPosition = 4;  // inverse flattening "flat"

inline const char* const kTestEllipsoids =
    "WGS 84\t6378137\t298.257223563\n"
    "Clarke 1866\t6378206.4\t294.9786982\n"
    "GRS 1980\t6378137\t298.257222101\n"
    "Broken\t6378137\n"
    "Word flattening\t6378137\tflat\n"
    "End\n";

class SinglePointTest : public ::testing::Test {
protected:
    TempFolder folder;
    FakeMessages messages;
    Platform platform{messages, folder.Path, '.'};

    FakeList BoxProjection2;
    FakeList BoxEllipsoid2;
    FakeText EditLatitude;
    FakeText EditLongitude;
    FakeText EditX;
    FakeText EditY;
    FakeCheck ButtonDegreesToXY{true};
    FakeCheck ButUTMN{true};
    FakeCheck ButUTMS;
    FakeCheck ButNAD27;
    FakeCheck ButNAD83;
    SinglePointPage page{BoxProjection2, BoxEllipsoid2, EditLatitude, EditLongitude, EditX, EditY,
                         ButtonDegreesToXY, ButUTMN, ButUTMS, ButNAD27, ButNAD83};

    void SetUp() override
    {
        folder.Write("ellips.txt", kTestEllipsoids);
        BoxEllipsoid2.Items = {"WGS 84", "Clarke 1866", "GRS 1980", "Broken", "Word flattening"};
        BoxEllipsoid2.Index = kWgs84Position;
        ButUTMNClick(page, platform);
    }

    // One radio group: checking a family button clears the others.
    void Family(FakeCheck& button)
    {
        for (FakeCheck* b : {&ButUTMN, &ButUTMS, &ButNAD27, &ButNAD83}) b->Checked = false;
        button.Checked = true;
    }
    void NoFamily()
    {
        for (FakeCheck* b : {&ButUTMN, &ButUTMS, &ButNAD27, &ButNAD83}) b->Checked = false;
    }
    void DegreesToXy() { ButtonDegreesToXY.Checked = true; }
    void XyToDegrees() { ButtonDegreesToXY.Checked = false; }

    // Fills the four boxes as the user types them: no box counts as written yet.
    void Type(const std::string& latitude, const std::string& longitude, const std::string& x = "",
              const std::string& y = "")
    {
        EditLatitude.Text = latitude;
        EditLongitude.Text = longitude;
        EditX.Text = x;
        EditY.Text = y;
        for (FakeText* box : {&EditLatitude, &EditLongitude, &EditX, &EditY}) box->Writes = 0;
    }

    void Convert() { ButConvertClick(page, platform); }

    [[nodiscard]] std::array<std::string, 4> Texts() const
    {
        return {EditLatitude.Text, EditLongitude.Text, EditX.Text, EditY.Text};
    }

    // A click that ended early leaves every box as typed, none even rewritten.
    void ExpectNoBoxChanged(const std::array<std::string, 4>& before) const
    {
        EXPECT_EQ(Texts(), before);
        EXPECT_EQ(EditLatitude.Writes + EditLongitude.Writes + EditX.Writes + EditY.Writes, 0);
    }

    [[nodiscard]] std::string OnlyMessage(const char* caption = "File error") const
    {
        EXPECT_EQ(messages.Messages.size(), 1u);
        if (messages.Messages.empty()) return {};
        EXPECT_EQ(messages.Messages.front().Caption, caption);
        return messages.Messages.front().Text;
    }

    [[nodiscard]] std::string Path(const char* name) const { return (folder.Path / name).string(); }
};

// The digits after the separator of a box's text.
inline std::size_t DecimalsOf(const std::string& text, char separator = '.')
{
    const std::size_t at = text.find(separator);
    return at == std::string::npos ? 0 : text.size() - at - 1;
}

}  // namespace kartoval::testing
