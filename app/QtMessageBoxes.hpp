#pragma once
// Message boxes as the commands ask for them: the given caption and text; a
// warning with an OK button, or a question with Yes and No where No is the
// default.

#include "toolkit/Controls.hpp"

namespace kartoval {

class QtMessageBoxes : public MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
};

}  // namespace kartoval
