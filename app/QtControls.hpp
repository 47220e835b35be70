#pragma once
// The control operations of the commands over Qt widgets. Each adapter
// refers to a widget that the window owns and lives no longer than it.

#include "toolkit/Controls.hpp"

#include <QString>

#include <string>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kartoval {

// Texts cross between the commands (8-bit std::string) and Qt as UTF-8. A
// data file line that is not valid UTF-8 is taken as Latin-1, so an old table
// still shows its accented names instead of replacement marks.
[[nodiscard]] QString ToQString(const std::string& text);
[[nodiscard]] std::string FromQString(const QString& text);

class QtEditText : public TextControl {
public:
    explicit QtEditText(QLineEdit& edit) : edit_(edit) {}
    [[nodiscard]] std::string GetText() const override;
    void SetText(const std::string& text) override;

private:
    QLineEdit& edit_;
};

class QtLabelText : public TextControl {
public:
    explicit QtLabelText(QLabel& label) : label_(label) {}
    [[nodiscard]] std::string GetText() const override;
    void SetText(const std::string& text) override;

private:
    QLabel& label_;
};

// The caption of a button.
class QtButtonText : public TextControl {
public:
    explicit QtButtonText(QAbstractButton& button) : button_(button) {}
    [[nodiscard]] std::string GetText() const override;
    void SetText(const std::string& text) override;

private:
    QAbstractButton& button_;
};

class QtList : public ListControl {
public:
    explicit QtList(QComboBox& box) : box_(box) {}
    [[nodiscard]] int GetItemIndex() const override;
    void SetItemIndex(int position) override;
    void AddItem(const std::string& text) override;
    void Clear() override;

private:
    QComboBox& box_;
};

// A radio button or a check box. Setting a radio button checked emits its
// toggled signal, which is what runs the window's handler for it.
class QtCheck : public CheckControl {
public:
    explicit QtCheck(QAbstractButton& button) : button_(button) {}
    [[nodiscard]] bool IsChecked() const override;
    void SetChecked(bool checked) override;
    void SetEnabled(bool enabled) override;

private:
    QAbstractButton& button_;
};

}  // namespace kartoval
