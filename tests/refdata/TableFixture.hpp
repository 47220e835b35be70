#pragma once
// A data folder of its own for each test, with the message boxes recorded.

#include "support/Fakes.hpp"
#include "toolkit/Platform.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kartoval::testing {

class TableTest : public ::testing::Test {
protected:
    TempFolder folder;
    FakeMessages messages;
    Platform platform{messages, folder.Path, '.'};

    // The lines joined with LF, each ended by one.
    static std::string Lines(const std::vector<std::string>& lines, const std::string& end = "\n")
    {
        std::string text;
        for (const std::string& line : lines) text += line + end;
        return text;
    }

    // "Name<TAB>6378000<TAB>298" lines named Name1, Name2, ..., then "End".
    static std::string NumberedTable(int entries)
    {
        std::string text;
        for (int i = 1; i <= entries; ++i) {
            text += "Name" + std::to_string(i) + "\t" + std::to_string(6378000 + i) + "\t298\n";
        }
        return text + "End\n";
    }

    [[nodiscard]] std::string Path(const char* name) const { return (folder.Path / name).string(); }

    // The one message shown, which must carry the caption "File error".
    [[nodiscard]] std::string OnlyFileError() const
    {
        EXPECT_EQ(messages.Messages.size(), 1u);
        if (messages.Messages.empty()) return {};
        EXPECT_EQ(messages.Messages.front().Caption, "File error");
        return messages.Messages.front().Text;
    }
};

}  // namespace kartoval::testing
