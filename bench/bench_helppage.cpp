// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Time from a help page's bytes to its laid-out document in the help viewer's browser, for pages
// a damaged or hostile help file may hold: as the bytes stand, and as the viewer shows them.
// Usage: QT_QPA_PLATFORM=offscreen bench_helppage

#include "help/core/HtmlText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextBrowser>
#include <QTextDocument>
#include <cstdio>

namespace {

qint64 layoutMilliseconds(const QString &html)
{
    QTextBrowser browser;
    browser.resize(640, 500);
    browser.show();
    QElapsedTimer timer;
    timer.start();
    browser.setHtml(html);
    browser.document()->size(); // lays the whole document out
    QApplication::processEvents();
    return timer.elapsed();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    struct Page
    {
        const char *name;
        QByteArray bytes;
        bool asTheyStand; // laying the raw bytes out is timed too (it may take minutes)
    };
    const Page pages[] = {
        {"one word of 100,000 letters", QByteArray(100000, 'a'), true},
        {"one word of 250,000 letters", QByteArray(250000, 'a'), false},
        {"one word of 4 MB (over the limit)", QByteArray(4 << 20, 'a'), false},
        {"250,000 letters in words of 4", QByteArray("abcd ").repeated(50000), true},
    };
    std::printf("%-36s %14s %14s\n", "page", "raw ms", "shown ms");
    for (const Page &page : pages) {
        const qint64 shown =
            layoutMilliseconds(pageForDisplay(page.bytes, QStringLiteral("/p.html")));
        if (page.asTheyStand) {
            const qint64 raw = layoutMilliseconds(QString::fromLatin1(page.bytes));
            std::printf("%-36s %14lld %14lld\n", page.name, static_cast<long long>(raw),
                        static_cast<long long>(shown));
        } else {
            std::printf("%-36s %14s %14lld\n", page.name, "-", static_cast<long long>(shown));
        }
        std::fflush(stdout);
    }
    return 0;
}
