// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtJapanese.h"
#include "controls/AnswerBox.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// A menu entry as the player reads it: without its mnemonic ("(&U)" or "&") and shortcut.
QString shownText(const QAction *action)
{
    QString text = action->text().section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

} // namespace

// Qt's own texts appear in Japanese once the program has installed Qt's Japanese catalogue.
class TestQtJapanese : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Runs first, while nothing is installed yet.
    void missingCatalogueIsToldOnceAndTheProgramRunsOn()
    {
        QTemporaryDir empty;
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("qtbase_ja\\.qm.*missing")));
        QVERIFY(!QtJapanese::install(empty.path()));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QVERIFY(!QtJapanese::install(empty.path())); // asked again: no second message
    }

    void catalogueIsInstalledFromQtsFolder()
    {
        QVERIFY(QtJapanese::install());
        QVERIFY(QtJapanese::install()); // the second call keeps it
    }

    void messageBoxButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("OK") << int(QMessageBox::Ok) << QStringLiteral("OK");
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringLiteral("キャンセル");
    }

    void messageBoxButtons()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Warning, QStringLiteral("クリア確認"),
                        QStringLiteral("履歴データをクリアします。よろしいですか？"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        QAbstractButton *shown = box.button(QMessageBox::StandardButton(button));
        QVERIFY(shown);
        QString caption = shown->text();
        caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
        caption.remove(QLatin1Char('&'));
        QCOMPARE(caption, text);
    }

    void answerBoxContextMenu()
    {
        AnswerBox box;
        box.setText(QStringLiteral("4"));
        std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QStringList entries;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                entries.append(shownText(action));
        }
        const QStringList expected = {QStringLiteral("元に戻す"),    QStringLiteral("やり直す"),
                                      QStringLiteral("切り取り"),    QStringLiteral("コピー"),
                                      QStringLiteral("貼り付け"),    QStringLiteral("削除"),
                                      QStringLiteral("すべてを選択")};
        QCOMPARE(entries, expected);
    }
};

QTEST_MAIN(TestQtJapanese)
#include "tst_qtjapanese.moc"
