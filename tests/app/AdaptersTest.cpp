// The pieces between the commands and Qt: the error report, the control
// adapters, and the real message boxes and file dialogs, answered by a timer
// once they are up so that no test waits on them.

#include "app/ErrorReport.hpp"
#include "app/QtControls.hpp"
#include "app/QtDialogs.hpp"
#include "app/QtMessageBoxes.hpp"
#include "support/Fakes.hpp"
#include "toolkit/Errors.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace kartoval::testing {
namespace {

// ---- Error report -------------------------------------------------------

TEST(ReportErrorsTest, ShowsWhateverTheCommandThrows)
{
    struct Row {
        const char* Name;
        std::function<void()> Command;
        const char* Shown;  // nullptr: nothing shown
    };
    const std::vector<Row> rows = {
        {"returns", [] {}, nullptr},
        {"convertError", [] { throw ConvertError("'abc' is not a valid floating point value"); },
         "'abc' is not a valid floating point value"},
        {"standardError", [] { throw std::out_of_range("vector::at"); }, "vector::at"},
        {"emptyMessage", [] { throw std::runtime_error(""); }, kUnknownErrorMessage},
        {"notAnException", [] { throw 42; }, kUnknownErrorMessage},
    };
    for (const Row& row : rows) {
        FakeMessages messages;
        ReportErrors(messages, row.Command);
        if (row.Shown == nullptr) {
            EXPECT_TRUE(messages.Messages.empty()) << row.Name;
            continue;
        }
        ASSERT_EQ(messages.Messages.size(), 1U) << row.Name;
        EXPECT_EQ(messages.Messages[0].Text, row.Shown) << row.Name;
        EXPECT_EQ(messages.Messages[0].Caption, "Kartoval") << row.Name;
    }
}

// A message box that itself fails must not take the program down.
TEST(ReportErrorsTest, SurvivesAFailingMessageBox)
{
    class BrokenMessages : public FakeMessages {
    public:
        void ShowMessage(const std::string&, const std::string&) override { throw std::bad_alloc(); }
    };
    BrokenMessages messages;
    EXPECT_NO_THROW(ReportErrors(messages, [] { throw CommandError("lost"); }));
}

// A data problem is shown under its own caption.
TEST(ReportErrorsTest, ShowsTheErrorsCaption)
{
    FakeMessages messages;
    ReportErrors(messages, [] { throw CommandError("Can't find NAD data file", kFileErrorCaption); });
    ASSERT_EQ(messages.Messages.size(), 1U);
    EXPECT_EQ(messages.Messages[0].Text, "Can't find NAD data file");
    EXPECT_EQ(messages.Messages[0].Caption, "File error");
}

// ---- Control adapters ---------------------------------------------------

TEST(QtListTest, BehavesAsTheCommandsExpectOfAList)
{
    QComboBox box;
    box.setPlaceholderText("BoxProjection");
    QtList list(box);
    EXPECT_EQ(list.GetItemIndex(), -1);
    list.AddItem("first");
    list.AddItem("second");
    EXPECT_EQ(list.GetItemIndex(), -1);  // adding selects nothing

    struct Row {
        int Set;
        int Expected;
    };
    // A position that doesn't exist selects nothing.
    for (const Row row : std::vector<Row>{{1, 1}, {0, 0}, {2, -1}, {1, 1}, {-1, -1}, {41, -1}}) {
        list.SetItemIndex(row.Set);
        EXPECT_EQ(list.GetItemIndex(), row.Expected) << row.Set;
    }
    list.SetItemIndex(1);
    list.Clear();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(list.GetItemIndex(), -1);
}

// Also without a placeholder, where Qt would select the first item added.
TEST(QtListTest, AddingToAnEmptyListSelectsNothing)
{
    QComboBox box;
    QtList list(box);
    list.AddItem("A");
    EXPECT_EQ(list.GetItemIndex(), -1);
}

TEST(QtTextTest, TextsCrossAsUtf8AndOldTablesAsLatin1)
{
    QLineEdit edit;
    QtEditText text(edit);
    text.SetText("Bogot\xC3\xA1");  // UTF-8
    EXPECT_EQ(edit.text(), QString::fromUtf8("Bogot\xC3\xA1"));
    EXPECT_EQ(text.GetText(), "Bogot\xC3\xA1");
    text.SetText("Bogot\xE1");  // Latin-1: not UTF-8, shown all the same
    EXPECT_EQ(edit.text(), QString::fromUtf8("Bogot\xC3\xA1"));
}

// ---- Real dialogs, answered once they are up ------------------------------

// Watches for a modal dialog of the given kind and hands it to `answer`
// once; stops watching when it goes out of scope.
template <class Dialog>
class WhenShown {
public:
    explicit WhenShown(std::function<void(Dialog&)> answer) : answer_(std::move(answer))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) return;
            timer_.stop();
            Seen = true;
            answer_(*dialog);
        });
        timer_.start();
    }
    bool Seen = false;

private:
    std::function<void(Dialog&)> answer_;
    QTimer timer_;
};

TEST(QtMessageBoxesTest, OkOnlyWithoutIcon)
{
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::RichText;
    WhenShown<QMessageBox> answer([&](QMessageBox& box) {
        format = box.textFormat();
        text = box.text();
        title = box.windowTitle();
        icon = box.icon();
        buttons = box.standardButtons();
        box.button(QMessageBox::Ok)->click();
    });
    QtMessageBoxes messages;
    messages.ShowMessage("Can't find specified file", "File error");
    EXPECT_TRUE(answer.Seen);
    EXPECT_EQ(text.toStdString(), "Can't find specified file");
    EXPECT_EQ(title.toStdString(), "File error");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // Messages quote typed text and file names, which are never markup.
    EXPECT_EQ(format, Qt::PlainText);
}

TEST(QtMessageBoxesTest, YesNoQuestionGivesTheAnswer)
{
    for (const auto& [button, expected] : {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
        QMessageBox::StandardButtons buttons;
        WhenShown<QMessageBox> answer([&, choice = button](QMessageBox& box) {
            buttons = box.standardButtons();
            box.button(choice)->click();
        });
        QtMessageBoxes messages;
        EXPECT_EQ(messages.AskYesNo("Replace the input file?", "Kartoval"), expected);
        EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
    }
}

TEST(QtDialogsTest, OpenInputTakesOnlyAnExistingFileAndRemembersIt)
{
    TempFolder folder;
    const QString existing = QString::fromStdString(folder.Write("points.txt", "1 2 3\n").string());
    QtDialogs dialogs;
    {
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QFileDialog::AcceptMode accept = QFileDialog::AcceptSave;
        WhenShown<QFileDialog> answer([&](QFileDialog& dialog) {
            mode = dialog.fileMode();
            accept = dialog.acceptMode();
            dialog.selectFile(existing);
            static_cast<QDialog&>(dialog).accept();  // as the Open button does
        });
        EXPECT_EQ(dialogs.OpenInput(), existing.toStdString());
        EXPECT_EQ(mode, QFileDialog::ExistingFile);
        EXPECT_EQ(accept, QFileDialog::AcceptOpen);
    }
    {
        QStringList startsAt;
        WhenShown<QFileDialog> answer([&](QFileDialog& dialog) {
            startsAt = dialog.selectedFiles();
            dialog.reject();
        });
        EXPECT_EQ(dialogs.OpenInput(), std::nullopt);  // Cancel
        EXPECT_EQ(startsAt, QStringList{existing});    // opened at the last file confirmed
    }
}

TEST(QtDialogsTest, SaveOutputAsksBeforeReplacingAFile)
{
    TempFolder folder;
    const QString existing = QString::fromStdString(folder.Write("result.txt", "old\n").string());
    QtDialogs dialogs;
    QString question;
    WhenShown<QMessageBox> confirm([&](QMessageBox& box) {
        question = box.text();
        box.button(QMessageBox::Yes)->click();
    });
    WhenShown<QFileDialog> answer([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        dialog.selectFile(existing);
        static_cast<QDialog&>(dialog).accept();  // asks, in a box of its own, before it closes
    });
    EXPECT_EQ(dialogs.SaveOutput(), existing.toStdString());
    EXPECT_TRUE(confirm.Seen);
    EXPECT_TRUE(question.contains("result.txt")) << question.toStdString();
    EXPECT_EQ(folder.Read("result.txt"), "old\n");  // the dialog only names the file
}

}  // namespace
}  // namespace kartoval::testing
