#pragma once
// The control operations that the commands need of the window. The commands
// see only these small interfaces, so they build and run without a window: the
// application adapts Qt widgets to them, the tests use plain fakes.

#include <string>

namespace kartoval {

// An edit box, or the caption of a label.
class TextControl {
public:
    virtual ~TextControl() = default;
    [[nodiscard]] virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;  // replaces the whole text
};

// A drop-down list. Positions count from 0; -1 means nothing is selected.
class ListControl {
public:
    virtual ~ListControl() = default;
    [[nodiscard]] virtual int GetItemIndex() const = 0;
    virtual void SetItemIndex(int position) = 0;  // a position that doesn't exist selects nothing
    virtual void AddItem(const std::string& text) = 0;
    virtual void Clear() = 0;
};

// A radio button or a check box.
class CheckControl {
public:
    virtual ~CheckControl() = default;
    [[nodiscard]] virtual bool IsChecked() const = 0;
    // A radio button set checked clears the other buttons of its group and runs
    // its handler, as a click would.
    virtual void SetChecked(bool checked) = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// Modal message boxes. Each waits until the user has answered. A text may
// run over two lines: the message itself, then where it happened (the box,
// the file's full path, the folder searched).
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Something did not happen, and why: text and caption (shown as given),
    // an OK button only, the platform's warning icon.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // A question whose Yes may lose data (replace a file): Yes and No
    // buttons, the question icon, and No as the default, so Enter and Escape
    // both answer No. True only for an explicit Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
};

}  // namespace kartoval
