#pragma once
// Fake controls, message boxes and data folders, so the commands run in tests
// exactly as the window runs them, without a window.

#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace kartoval::testing {

class FakeText : public TextControl {
public:
    explicit FakeText(std::string text = {}) : Text(std::move(text)) {}
    [[nodiscard]] std::string GetText() const override { return Text; }
    void SetText(const std::string& text) override
    {
        Text = text;
        ++Writes;
    }
    std::string Text;
    int Writes = 0;
};

class FakeList : public ListControl {
public:
    [[nodiscard]] int GetItemIndex() const override { return Index; }
    void SetItemIndex(int position) override
    {
        Index = position >= 0 && position < static_cast<int>(Items.size()) ? position : -1;
    }
    void AddItem(const std::string& text) override { Items.push_back(text); }
    void Clear() override
    {
        Items.clear();
        Index = -1;
    }
    std::vector<std::string> Items;
    int Index = -1;
};

class FakeCheck : public CheckControl {
public:
    explicit FakeCheck(bool checked = false) : Checked(checked) {}
    [[nodiscard]] bool IsChecked() const override { return Checked; }
    void SetChecked(bool checked) override { Checked = checked; }
    void SetEnabled(bool enabled) override { Enabled = enabled; }
    bool Checked;
    bool Enabled = true;
};

class FakeMessages : public MessageBoxes {
public:
    struct Shown {
        std::string Text;
        std::string Caption;
    };
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        Messages.push_back({text, caption});
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        Questions.push_back({text, caption});
        if (Answers.empty()) return false;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::vector<Shown> Messages;
    std::vector<Shown> Questions;
    std::deque<bool> Answers;  // the answers to give, in order; No when none is left
};

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device device;
        Path = std::filesystem::temp_directory_path() / ("kartoval-test-" + std::to_string(device()));
        std::filesystem::create_directories(Path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path Write(const std::string& name, const std::string& content) const
    {
        const std::filesystem::path file = Path / name;
        std::ofstream out(file, std::ios::binary);
        out << content;
        return file;
    }
    [[nodiscard]] std::string Read(const std::string& name) const
    {
        std::ifstream in(Path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Copies a shipped data table into this folder.
    void CopyShipped(const std::string& name) const
    {
        std::filesystem::copy_file(std::filesystem::path(KARTOVAL_DATA_DIR) / name, Path / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }

    std::filesystem::path Path;
};

}  // namespace kartoval::testing
