#pragma once
// A window over small data tables of the tests' own, with message boxes and
// file dialogs answered by fakes.

#include "app/AppServices.hpp"
#include "app/TMain.hpp"
#include "support/Fakes.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace kartoval::testing {

// File dialogs that give the queued answers in turn; nothing queued is Cancel.
class FakeDialogs : public Dialogs {
public:
    [[nodiscard]] std::optional<std::string> OpenInput() override { return next(InputAnswers, InputRuns); }
    [[nodiscard]] std::optional<std::string> SaveOutput() override { return next(OutputAnswers, OutputRuns); }
    void StartIn(const std::string& inputFolder, const std::string& outputFolder) override
    {
        StartFolders = {inputFolder, outputFolder};
    }

    std::deque<std::optional<std::string>> InputAnswers;
    std::deque<std::optional<std::string>> OutputAnswers;
    int InputRuns = 0;
    int OutputRuns = 0;
    std::pair<std::string, std::string> StartFolders;  // the last ones the window gave

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers, int& runs)
    {
        ++runs;
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Position 0 is Clarke 1866 and position 41, selected at start, WGS 84, so a
// test can tell which line a lookup read.
inline std::string TestEllipsoidTable()
{
    std::string table = "Clarke 1866\t6378206.4\t294.9786982\n";
    for (int line = 2; line <= 41; ++line) table += "Filler " + std::to_string(line) + "\t6378137\t298.257223563\n";
    table += "WGS 84\t6378137\t298.257223563\n";
    table += "International 1924\t6378388\t297\n";
    table += "end\n";
    return table;
}
inline constexpr int kTestEllipsoidCount = 43;
inline constexpr int kClarke1866Position = 0;

inline void WriteTestTables(const TempFolder& folder)
{
    folder.Write("ellips.txt", TestEllipsoidTable());
    folder.Write("nad27.txt",
                 "Alabama East\tTM\t-85.83333333333333\t30.5\t0.99996\t500000\t0\n"
                 "Alabama West\tTM\t-87.5\t30\t0.999933333\t500000\t0\n"
                 "end\n");
    folder.Write("nad83.txt", "Alabama East\tTM\t-85.83333333333333\t30.5\t0.99996\t200000\t0\nend\n");
}

// Watches for a modal dialog of the given kind and hands it to `answer`
// once, from inside the dialog's own event loop; stops watching when it goes
// out of scope. Answered any earlier (a timer can fire while exec() is still
// showing the dialog), the dialog would close before exec() starts its loop,
// and exec() would then wait forever: so the dialog's Show event notes the
// loop depth it was shown at, and the answer waits for a deeper loop.
template <class Dialog>
class WhenShown : public QObject {
public:
    explicit WhenShown(std::function<void(Dialog&)> answer) : answer_(std::move(answer))
    {
        QApplication::instance()->installEventFilter(this);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tryAnswer(); });
        timer_.start();
    }
    ~WhenShown() override { QApplication::instance()->removeEventFilter(this); }
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;
    bool Seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && shown_ == nullptr) {
            if (auto* dialog = qobject_cast<Dialog*>(watched)) {
                shown_ = dialog;
                shownAtDepth_ = QThread::currentThread()->loopLevel();
            }
        }
        return false;
    }

private:
    void tryAnswer()
    {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog != shown_ || !dialog->isVisible()) return;
        if (QThread::currentThread()->loopLevel() <= shownAtDepth_) return;
        timer_.stop();
        Seen = true;
        answer_(*dialog);
    }

    std::function<void(Dialog&)> answer_;
    QTimer timer_;
    QPointer<Dialog> shown_;
    int shownAtDepth_ = 0;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { WriteTestTables(Folder); }

    // A new window; the fakes start afresh, so a table-driven test can open
    // one window per row. A window that remembers reads and writes the
    // settings file the test run keeps in its temporary folder.
    TMain& Open(char decimalSeparator = '.', bool remember = false)
    {
        Window.reset();
        Messages.Messages.clear();
        Messages.Questions.clear();
        Messages.Answers.clear();
        Files.InputAnswers.clear();
        Files.OutputAnswers.clear();
        Files.InputRuns = 0;
        Files.OutputRuns = 0;
        Window = std::make_unique<TMain>(AppServices{Messages, Files, Folder.Path, decimalSeparator, remember});
        Window->show();
        return *Window;
    }

    template <class Widget>
    Widget& Find(const char* name) const
    {
        auto* widget = Window->findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr) throw std::runtime_error(std::string("the window has no control ") + name);
        return *widget;
    }
    QComboBox& List(const char* name) const { return Find<QComboBox>(name); }
    QLineEdit& Edit(const char* name) const { return Find<QLineEdit>(name); }
    QAbstractButton& Button(const char* name) const { return Find<QAbstractButton>(name); }
    QLabel& Label(const char* name) const { return Find<QLabel>(name); }

    // As the user does it: bring the page forward, then click the control.
    void Click(const char* page, const char* button)
    {
        Find<QTabWidget>("PageControl1").setCurrentWidget(&Find<QWidget>(page));
        QTest::mouseClick(&Button(button), Qt::LeftButton);
    }
    void Type(const char* edit, const QString& text)
    {
        Edit(edit).clear();
        QTest::keyClicks(&Edit(edit), text);
    }
    [[nodiscard]] std::string Text(const char* edit) const { return Edit(edit).text().toStdString(); }

    TempFolder Folder;
    FakeMessages Messages;
    FakeDialogs Files;
    std::unique_ptr<TMain> Window;
};

}  // namespace kartoval::testing
