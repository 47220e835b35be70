#pragma once
// A data folder of its own for each test, with the message boxes recorded.

#include "support/Fakes.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/Platform.hpp"

#include <gtest/gtest.h>

#include <optional>
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

    // A lookup's value, or nothing with its error shown as the window shows
    // it (text and caption), so the tests read the messages a user sees.
    template <class Lookup>
    auto Shown(Lookup lookup) -> std::optional<decltype(lookup())>
    {
        try {
            return lookup();
        } catch (const CommandError& error) {
            messages.ShowMessage(error.what(), error.Caption());
            return std::nullopt;
        }
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
