#pragma once
// The file page's dialogs over QFileDialog. Like the dialog objects of a
// form, each remembers the last file confirmed in it and opens there again.

#include "app/AppServices.hpp"

#include <QString>

namespace kartoval {

class QtDialogs : public Dialogs {
public:
    [[nodiscard]] std::optional<std::string> OpenInput() override;
    [[nodiscard]] std::optional<std::string> SaveOutput() override;
    void StartIn(const std::string& inputFolder, const std::string& outputFolder) override;

private:
    QString lastInput_;
    QString lastOutput_;
    QString inputFolder_;
    QString outputFolder_;
};

}  // namespace kartoval
