// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: the least a Qt Widgets program does to show a window
// of the program's size with Japanese text in it. It is started exactly as the program is.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ケタモリ！"));
    window.setFixedSize(631, 452);
    QLabel label(QStringLiteral("ケタモリ！"), &window);
    label.move(20, 20);
    window.show();
    return app.exec();
}
