// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/core/ChmFile.h"
#include "help/core/HtmlText.h"

#include <QDir>
#include <QTest>

// Every help file of the fuzz corpus: the real ones, hand-made damage and every input that ever
// made the reader crash, hang or misbehave. CTest runs each file as a test of its own under a
// short time limit, so a file that sends the reader round a loop fails by its name.
class tst_ChmCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsWithoutHarm_data()
    {
        QTest::addColumn<QString>("file");
        const QDir corpus(QStringLiteral(CHM_CORPUS));
        const QFileInfoList files = corpus.entryInfoList(QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (const QFileInfo &info : files)
            QTest::newRow(qPrintable(info.fileName())) << info.filePath();
    }
    // What the help window does with a file, and a little more: nothing may crash, and nothing
    // may be offered that cannot be found.
    void readsWithoutHarm()
    {
        QFETCH(QString, file);
        const ChmFile chm(file);
        const QString title = chm.title();
        const QString topic = chm.defaultTopic();
        const QStringList pages = chm.pages();
        if (!chm.isOpen()) {
            QVERIFY(title.isEmpty());
            QVERIFY(topic.isEmpty());
            QVERIFY(pages.isEmpty());
            return;
        }
        if (!topic.isEmpty())
            QVERIFY(chm.contains(topic));
        for (const QString &page : pages) {
            QVERIFY(chm.contains(page));
            if (const std::optional<QByteArray> html = chm.object(page))
                decodeHtml(*html);
        }
    }
};

QTEST_GUILESS_MAIN(tst_ChmCorpus)
#include "tst_chmcorpus.moc"
