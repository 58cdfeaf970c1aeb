// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Refusal.h"
#include "records/core/DrillSettings.h"
#include "records/core/SettingsFile.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

// A start refused over a hostile settings file in a hostile folder: the box and standard error
// show the very same text, and every byte quoted shows in it.
class tst_Refusal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxAndStderrAgree()
    {
        // The value holds every control byte a field can hold, DEL and what looks like markup;
        // the folder's name holds the line-end bytes, which end a field, and bytes that are no
        // code page 932.
        QByteArray value("a");
        for (int b = 0; b < 0x20; ++b) {
            if (b != '\n' && b != '\r')
                value += char(b);
        }
        value += "\x7F<b>b";
        QTemporaryDir dir;
        const QByteArray folderBytes = QFile::encodeName(dir.path()) + "/\n\r\x81\x20\xFF\xA0\x7F";
        // Through the system's own calls: the name is no valid UTF-8, which Qt's would replace.
        QVERIFY(::mkdir(folderBytes.constData(), 0700) == 0);
        const QString here = QDir::currentPath();
        QVERIFY(::chdir(folderBytes.constData()) == 0);
        DrillSettings values{};
        QString error;
        QVERIFY(!SettingsFile::parse(value + ",5,1\r\n", &values, &error));
        const QString message = Refusal::withDataFolder(error, QDir(u"."_qs));
        QVERIFY(QDir::setCurrent(here));

        std::FILE *stream = std::tmpfile();
        QVERIFY(stream);
        QString boxText;
        QTimer::singleShot(0, this, [&boxText] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box) {
                boxText = box->textFormat() == Qt::PlainText ? box->text() : u"(rich text)"_qs;
                box->accept();
            }
        });
        Refusal::tell(message, stream);
        QByteArray written(4096, '\0');
        std::rewind(stream);
        written.resize(qsizetype(std::fread(written.data(), 1, size_t(written.size()), stream)));
        std::fclose(stream);

        QCOMPARE(written, "ketamori: " + boxText.toUtf8() + '\n');
        for (const QChar c : boxText)
            QVERIFY2(c == u'\n' || (c.category() != QChar::Other_Control &&
                                    c.category() != QChar::Other_Format),
                     qPrintable(QString::number(c.unicode(), 16)));
        // Each byte shows as its own symbol or escape, in the value and in the folder's name.
        for (char16_t b = 0; b < 0x20; ++b)
            QVERIFY2(boxText.contains(QChar(char16_t(0x2400 + b))), qPrintable(QString::number(b)));
        QCOMPARE(boxText.count(QChar(char16_t(0x2421))), 2); // DEL, twice
        QVERIFY2(boxText.contains(u"␊␍\\x81 \\xFF\\xA0␡"_qs), qPrintable(boxText));
        QVERIFY2(boxText.contains(u"「a␀␁"_qs) && boxText.contains(u"␟␡<b>b」"_qs),
                 qPrintable(boxText));
    }
};

QTEST_MAIN(tst_Refusal)
#include "tst_refusal.moc"
