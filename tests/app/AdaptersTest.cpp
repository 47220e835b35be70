// The pieces between the commands and Qt: the error report, the control
// adapters, and the real message boxes and file dialogs, answered from inside
// their own event loops (WhenShown) so that no test waits on them.

#include "app/ErrorReport.hpp"
#include "app/QtControls.hpp"
#include "app/QtDialogs.hpp"
#include "app/QtMessageBoxes.hpp"
#include "WindowFixture.hpp"
#include "support/Fakes.hpp"
#include "toolkit/Errors.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
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

// A message is a warning with OK only; a question defaults to No, so Enter or
// Escape on the box never replaces a file: only an explicit Yes does.
TEST(QtMessageBoxesTest, WarningsAndQuestionsWithTheSafeDefault)
{
    struct Row {
        const char* Name;
        bool Question;
        int Key;  // what the user presses on the box; 0 clicks the named button
        QMessageBox::StandardButton Clicked;
        QMessageBox::Icon Icon;
        QMessageBox::StandardButtons Buttons;
        bool Answer;
    };
    const Row rows[] = {
        {"message", false, 0, QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok, false},
        {"question, Enter", true, Qt::Key_Return, QMessageBox::NoButton, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, false},
        {"question, Escape", true, Qt::Key_Escape, QMessageBox::NoButton, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, false},
        {"question, Yes", true, 0, QMessageBox::Yes, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
         true},
    };
    for (const Row& row : rows) {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        Qt::TextFormat format = Qt::RichText;
        WhenShown<QMessageBox> answer([&](QMessageBox& box) {
            format = box.textFormat();
            text = box.text();
            title = box.windowTitle();
            icon = box.icon();
            buttons = box.standardButtons();
            if (row.Key != 0) {
                QTest::keyClick(&box, static_cast<Qt::Key>(row.Key));
            } else {
                box.button(row.Clicked)->click();
            }
        });
        QtMessageBoxes messages;
        bool given = false;
        if (row.Question) {
            given = messages.AskYesNo("Replace the input file?\n/data/in.txt", "Kartoval");
        } else {
            messages.ShowMessage("Can't find specified file\n/data/in.txt", "File error");
        }
        EXPECT_TRUE(answer.Seen) << row.Name;
        EXPECT_EQ(given, row.Answer) << row.Name;
        EXPECT_TRUE(text.endsWith("\n/data/in.txt")) << row.Name;
        EXPECT_EQ(title.toStdString(), row.Question ? "Kartoval" : "File error") << row.Name;
        EXPECT_EQ(icon, row.Icon) << row.Name;
        EXPECT_EQ(buttons, row.Buttons) << row.Name;
        // Messages quote typed text and file names, which are never markup.
        EXPECT_EQ(format, Qt::PlainText) << row.Name;
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
