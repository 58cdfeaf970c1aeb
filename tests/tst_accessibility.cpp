// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestWindow.h"
#include "controls/AnswerBox.h"
#include "controls/CommandButton.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

// The window as a screen reader meets it, through Qt's accessibility interfaces.
namespace {

// Kana, kanji or full-width forms: a name a Japanese player can be read.
bool isJapanese(const QString &text)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(japanese);
}

struct Seen
{
    QString path;
    QString name;
};

// Every widget of the window with its accessible name, walking the tree Qt gives screen readers.
// The items inside the table and the lists (cells, headers, entries) are data, not controls.
void walk(QAccessibleInterface *node, const QString &path, QList<Seen> &seen)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child || !child->object() || !child->object()->isWidgetType())
            continue;
        const QString here = path + QLatin1Char('/') +
                             QString::fromLatin1(child->object()->metaObject()->className());
        seen.append({here, child->text(QAccessible::Name)});
        if (child->role() != QAccessible::Table)
            walk(child, here, seen);
    }
}

QString nameOf(QObject *object)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every control the window shows has a Japanese name.
    void noNamelessControl()
    {
        TestWindow t;
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&t.w());
        QVERIFY(root);
        QCOMPARE(root->text(QAccessible::Name), QStringLiteral("ケタモリ！"));
        QList<Seen> seen;
        walk(root, QStringLiteral("frmMain"), seen);
        QVERIFY(seen.size() > 40);
        QStringList nameless;
        for (const Seen &s : seen) {
            if (!isJapanese(s.name))
                nameless.append(s.path + QStringLiteral(" \"") + s.name + QLatin1Char('"'));
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
    }

    void namesOfTheRows_data()
    {
        QTest::addColumn<int>("slot");
        for (int i : {1, 2, 9, 15})
            QTest::addRow("%d", i) << i;
    }

    void namesOfTheRows()
    {
        QFETCH(int, slot);
        TestWindow t;
        QVERIFY(t.loaded);
        QCOMPARE(nameOf(t->ui.txtKaitou(slot)), QStringLiteral("回答 %1").arg(slot));
        QCOMPARE(nameOf(t->ui.lblMondai(slot)), QStringLiteral("問題 %1").arg(slot));
    }

    // After scoring, the result labels are read with their values. (That screen readers hear of
    // each new value is checked end to end, through the accessibility bus, by the keyboard play.)
    void resultsAreReadWithTheirValues()
    {
        TestWindow t("3,0,0\r\n");
        QVERIFY(t.loaded);
        QVERIFY(t.showActive());
        QCOMPARE(nameOf(t->ui.lblOk), QStringLiteral("正解の数"));
        // Before any drill, all empty boxes match the empty slots: 3 right, 0 wrong.
        QTest::mouseClick(t->ui.cmdKaitou, Qt::LeftButton);
        QCOMPARE(nameOf(t->ui.lblOk), QStringLiteral("正解の数：3"));
        QCOMPARE(nameOf(t->ui.lblNg), QStringLiteral("まちがいの数：0"));
        QCOMPARE(nameOf(t->ui.lblRitu), QStringLiteral("正解率：100.0%"));
        QAccessibleInterface *rate = QAccessible::queryAccessibleInterface(t->ui.lblRitu);
        QCOMPARE(rate->text(QAccessible::Value), QStringLiteral("100.0%"));
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
