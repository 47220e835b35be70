#pragma once
// Message boxes as the commands ask for them: the given caption and text, an
// OK button only (Yes and No for a question), no icon.

#include "toolkit/Controls.hpp"

namespace kartoval {

class QtMessageBoxes : public MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
};

}  // namespace kartoval
