// The window start-up floor: a Qt Widgets program with one window holding one
// label, shown and ended as kartoval_show_window shows and ends Kartoval's.

#include "bench/ShownWindow.hpp"

#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Kartoval"));
    QuitWhenShown(label);
}
