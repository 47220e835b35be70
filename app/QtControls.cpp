#include "app/QtControls.hpp"

#include <QAbstractButton>
#include <QByteArrayView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringDecoder>

namespace kartoval {

QString ToQString(const std::string& text)
{
    const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (utf8.hasError()) return QString::fromLatin1(bytes);
    return decoded;
}

std::string FromQString(const QString& text) { return text.toStdString(); }

std::string QtEditText::GetText() const { return FromQString(edit_.text()); }
void QtEditText::SetText(const std::string& text) { edit_.setText(ToQString(text)); }

std::string QtLabelText::GetText() const { return FromQString(label_.text()); }
void QtLabelText::SetText(const std::string& text) { label_.setText(ToQString(text)); }

std::string QtButtonText::GetText() const { return FromQString(button_.text()); }
void QtButtonText::SetText(const std::string& text) { button_.setText(ToQString(text)); }

int QtList::GetItemIndex() const { return box_.currentIndex(); }

void QtList::SetItemIndex(int position)
{
    box_.setCurrentIndex(position >= 0 && position < box_.count() ? position : -1);
}

void QtList::AddItem(const std::string& text)
{
    // Qt selects the first item put into an empty list; the commands expect a
    // list to keep "nothing selected" until they select a position themselves.
    const int before = box_.currentIndex();
    box_.addItem(ToQString(text));
    if (before < 0) box_.setCurrentIndex(-1);
}
void QtList::Clear() { box_.clear(); }

bool QtCheck::IsChecked() const { return button_.isChecked(); }
void QtCheck::SetChecked(bool checked) { button_.setChecked(checked); }
void QtCheck::SetEnabled(bool enabled) { button_.setEnabled(enabled); }

}  // namespace kartoval
