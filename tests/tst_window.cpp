// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestWindow.h"
#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/CommandButton.h"
#include "controls/Shape.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Twips in the window's client area to logical pixels.
QRect px(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// Containers' offsets in the window, in twips.
constexpr int frame1Left = 90, frame1Top = 1305;
constexpr int frame2Left = frame1Left + 5760, frame2Top = frame1Top + 135;

QRect inFrame1(int left, int top, int width, int height)
{
    return px(frame1Left + left, frame1Top + top, width, height);
}

QRect inFrame2(int left, int top, int width, int height)
{
    return px(frame2Left + left, frame2Top + top, width, height);
}

QWidget *control(frmMain &w, const QString &name)
{
    const QRegularExpression indexed(QStringLiteral("^(\\w+)\\((\\d+)\\)$"));
    const QRegularExpressionMatch m = indexed.match(name);
    if (m.hasMatch()) {
        const int i = m.captured(2).toInt();
        const QString base = m.captured(1);
        if (base == u"lblMondai")
            return w.ui.lblMondai(i);
        if (base == u"txtKaitou")
            return w.ui.txtKaitou(i);
        if (base == u"imgStart")
            return w.ui.imgStart(i);
        if (base == u"Label1")
            return w.ui.Label1(i);
        if (base == u"Line1")
            return w.ui.Line1(i);
    }
    const QHash<QString, QWidget *> plain = {
        {QStringLiteral("cmdStart"), w.ui.cmdStart},
        {QStringLiteral("cmdKaitou"), w.ui.cmdKaitou},
        {QStringLiteral("cmdHozon"), w.ui.cmdHozon},
        {QStringLiteral("cmdClear"), w.ui.cmdClear},
        {QStringLiteral("cmdHelp"), w.ui.cmdHelp},
        {QStringLiteral("cmdEnd"), w.ui.cmdEnd},
        {QStringLiteral("Frame1"), w.ui.Frame1},
        {QStringLiteral("Image1"), w.ui.Image1},
        {QStringLiteral("chkAs"), w.ui.chkAs},
        {QStringLiteral("Frame2"), w.ui.Frame2},
        {QStringLiteral("cboMonsu"), w.ui.cboMonsu},
        {QStringLiteral("cboJikan"), w.ui.cboJikan},
        {QStringLiteral("msgRireki"), w.ui.msgRireki},
        {QStringLiteral("shpWaku"), w.ui.shpWaku},
        {QStringLiteral("shpJikanK"), w.ui.shpJikanK},
        {QStringLiteral("shpJikanB"), w.ui.shpJikanB},
        {QStringLiteral("lblOk"), w.ui.lblOk},
        {QStringLiteral("lblNg"), w.ui.lblNg},
        {QStringLiteral("lblRitu"), w.ui.lblRitu},
    };
    return plain.value(name);
}

QRect inWindow(frmMain &w, QWidget *c)
{
    return QRect(c->mapTo(&w, QPoint(0, 0)), c->size());
}

} // namespace

class tst_Window : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowIsFixedAndTitled()
    {
        TestWindow t("5,5,1\r\n");
        // A window of its own, as created: TestWindow stops the timers of the one it starts.
        frmMain w(QDir(t.dir.path()), t.clock, t.digits, t.help, t.disk);
        QCOMPARE(w.windowTitle(), QStringLiteral("ケタモリ！"));
        QCOMPARE(w.size(), QSize(631, 452));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(w.ui.tmrStart->interval(), 1000);
        QCOMPARE(w.ui.tmrKt->interval(), 500);
        QVERIFY(w.ui.tmrStart->isActive());
        QVERIFY(w.ui.tmrKt->isActive());
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        const int buttonLefts[] = {4350, 5175, 6000, 6825, 7650, 8475};
        const char *buttons[] = {"cmdStart", "cmdKaitou", "cmdHozon",
                                 "cmdClear", "cmdHelp",   "cmdEnd"};
        for (int b = 0; b < 6; ++b)
            QTest::newRow(buttons[b])
                << QString::fromLatin1(buttons[b]) << px(buttonLefts[b], 150, 840, 915);
        QTest::newRow("Frame1") << QStringLiteral("Frame1") << px(90, 1305, 9240, 5370);
        QTest::newRow("Image1") << QStringLiteral("Image1") << px(150, 150, 3960, 990);
        QTest::newRow("Line1(1)") << QStringLiteral("Line1(1)") << px(150, 1260, 9150, 15);
        QTest::newRow("Line1(0)") << QStringLiteral("Line1(0)") << px(150, 1275, 9150, 15);
        QTest::newRow("chkAs") << QStringLiteral("chkAs") << inFrame1(5040, 405, 420, 420);
        QTest::newRow("Frame2") << QStringLiteral("Frame2") << inFrame1(5760, 135, 3210, 735);
        QTest::newRow("cboMonsu") << QStringLiteral("cboMonsu") << inFrame1(1800, 405, 750, 405);
        QTest::newRow("cboJikan") << QStringLiteral("cboJikan") << inFrame1(4095, 405, 750, 405);
        QTest::newRow("msgRireki")
            << QStringLiteral("msgRireki") << inFrame1(225, 3225, 8790, 1965);
        QTest::newRow("Label1(1)") << QStringLiteral("Label1(1)") << inFrame1(2835, 450, 1140, 330);
        QTest::newRow("Label1(0)") << QStringLiteral("Label1(0)") << inFrame1(810, 450, 960, 330);
        QTest::newRow("shpWaku") << QStringLiteral("shpWaku") << inFrame1(225, 1080, 8760, 1005);
        QTest::newRow("shpJikanK") << QStringLiteral("shpJikanK") << inFrame1(225, 945, 8745, 75);
        QTest::newRow("shpJikanB") << QStringLiteral("shpJikanB") << inFrame1(225, 945, 8745, 75);
        for (int k = 1; k <= 3; ++k)
            QTest::newRow(qPrintable(QStringLiteral("imgStart(%1)").arg(k)))
                << QStringLiteral("imgStart(%1)").arg(k) << inFrame1(180, 270, 480, 480);
        for (int i = 1; i <= 15; ++i) {
            const int left = 225 + 585 * (i - 1);
            QTest::newRow(qPrintable(QStringLiteral("lblMondai(%1)").arg(i)))
                << QStringLiteral("lblMondai(%1)").arg(i) << inFrame1(left, 1080, 555, 975);
            QTest::newRow(qPrintable(QStringLiteral("txtKaitou(%1)").arg(i)))
                << QStringLiteral("txtKaitou(%1)").arg(i) << inFrame1(left, 2115, 570, 975);
        }
        QTest::newRow("lblOk") << QStringLiteral("lblOk") << inFrame2(180, 180, 600, 465);
        QTest::newRow("lblNg") << QStringLiteral("lblNg") << inFrame2(855, 180, 600, 465);
        QTest::newRow("lblRitu") << QStringLiteral("lblRitu") << inFrame2(1575, 180, 1455, 465);
    }
    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        QWidget *c = control(t.w(), name);
        QVERIFY2(c, qPrintable(name));
        QCOMPARE(inWindow(t.w(), c), rect);
    }

    void containment()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        for (QWidget *c :
             {static_cast<QWidget *>(w.ui.cmdStart), static_cast<QWidget *>(w.ui.cmdEnd),
              static_cast<QWidget *>(w.ui.Frame1), static_cast<QWidget *>(w.ui.Image1)})
            QCOMPARE(c->parentWidget(), &w);
        for (QWidget *c :
             {static_cast<QWidget *>(w.ui.chkAs), static_cast<QWidget *>(w.ui.Frame2),
              static_cast<QWidget *>(w.ui.cboMonsu), static_cast<QWidget *>(w.ui.msgRireki),
              static_cast<QWidget *>(w.ui.shpWaku), static_cast<QWidget *>(w.ui.lblMondai(7)),
              static_cast<QWidget *>(w.ui.txtKaitou(7)), static_cast<QWidget *>(w.ui.imgStart(2))})
            QCOMPARE(c->parentWidget(), w.ui.Frame1);
        for (QLabel *c : {w.ui.lblOk, w.ui.lblNg, w.ui.lblRitu})
            QCOMPARE(c->parentWidget(), w.ui.Frame2);
    }

    // Stacking order: a later child of the same parent is drawn over an earlier one.
    void layering()
    {
        TestWindow t("15,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        const QObjectList &kids = w.ui.Frame1->children();
        const auto above = [&](QWidget *upper, QWidget *lower) {
            return kids.indexOf(upper) > kids.indexOf(lower);
        };
        for (int i = 1; i <= 15; ++i)
            QVERIFY(above(w.ui.shpWaku, w.ui.lblMondai(i)));
        QVERIFY(above(w.ui.shpJikanK, w.ui.shpJikanB));
        QVERIFY(above(w.ui.imgStart(1), w.ui.imgStart(2)));
        QVERIFY(above(w.ui.imgStart(2), w.ui.imgStart(3)));
        const QObjectList &top = w.children();
        QVERIFY(top.indexOf(w.ui.cmdEnd) > top.indexOf(w.ui.cmdHelp)); // buttons overlap by a pixel
        QVERIFY(top.indexOf(w.ui.cmdKaitou) > top.indexOf(w.ui.cmdStart));
    }

    // What the player sees: nothing of the digit row through the cover, blue over red.
    void coverAndBarAsDrawn()
    {
        TestWindow t("15,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        for (int i = 1; i <= 15; ++i)
            w.ui.lblMondai(i)->setText(QStringLiteral("8"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        const QRect row = inWindow(w, w.ui.shpWaku);
        const QImage shot = w.grab().toImage();
        const QColor buttonFace = w.palette().color(QPalette::Button);
        int hatch = 0;
        for (int y = row.top() + 1; y < row.bottom(); ++y) {
            for (int x = row.left() + 1; x < row.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                QVERIFY2(
                    c == QColor(255, 255, 255) || c == QColor(192, 192, 192),
                    qPrintable(QStringLiteral("(%1,%2) shows %3").arg(x).arg(y).arg(c.name())));
                hatch += c == QColor(192, 192, 192);
            }
        }
        QVERIFY(hatch > 1000); // cross-hatched, not plain white
        QVERIFY(buttonFace != QColor(255, 255, 255));

        const QRect bar = inWindow(w, w.ui.shpJikanK);
        const int midY = bar.center().y();
        QCOMPARE(shot.pixelColor(bar.left() + 2, midY), QColor(0, 0, 255));
        QCOMPARE(shot.pixelColor(bar.right() - 2, midY), QColor(0, 0, 255));

        w.ui.shpJikanK->setWidthTwips(8745 / 3);
        QCOMPARE(w.ui.shpJikanK->widthTwips(), 8745 / 3);
        const QImage part = w.grab().toImage();
        QCOMPARE(part.pixelColor(bar.left() + 2, midY), QColor(0, 0, 255));
        QCOMPARE(part.pixelColor(bar.right() - 2, midY), QColor(255, 0, 0));

        w.ui.shpJikanK->setWidthTwips(0);
        const QImage empty = w.grab().toImage();
        QCOMPARE(empty.pixelColor(bar.left() + 2, midY), QColor(255, 0, 0));
    }

    void startUpState_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("monsu");
        QTest::addColumn<int>("jikan");
        QTest::addColumn<bool>("autoSave");
        QTest::newRow("7,5,1") << QByteArray("7,5,1\r\n") << 7 << 5 << true;
        QTest::newRow("5,0,0") << QByteArray("5,0,0\r\n") << 5 << 0 << false;
        QTest::newRow("1,30,1") << QByteArray("1,30,1\r\n") << 1 << 30 << true;
        QTest::newRow("15,12,0") << QByteArray("15,12,0\r\n") << 15 << 12 << false;
        QTest::newRow("clamped 40,-3,5") << QByteArray("40,-3,5\r\n") << 15 << 0 << true;
        QTest::newRow("clamped 0,99,0") << QByteArray("0,99,0\r\n") << 1 << 30 << false;
    }
    void startUpState()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, monsu);
        QFETCH(int, jikan);
        QFETCH(bool, autoSave);
        TestWindow t(settings);
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        const DrillState &st = w.drillState();

        QCOMPARE(st.strHelpFile, QStringLiteral("zqHelp.chm"));
        QCOMPARE(st.intMonsu, monsu);
        QCOMPARE(st.intJikan, jikan);
        QCOMPARE(st.intAs, autoSave ? 1 : 0);
        QVERIFY(!st.blnCountdown);
        QVERIFY(!st.blnDisplay);
        QCOMPARE(st.intBarWidth, 8745);
        QCOMPARE(st.intOk, 0);
        QCOMPARE(st.intNg, 0);

        for (int i = 1; i <= 15; ++i) {
            QCOMPARE(w.ui.lblMondai(i)->isHidden(), i > monsu);
            QCOMPARE(w.ui.lblMondai(i)->text(), QString());
            QVERIFY(w.ui.txtKaitou(i)->isHidden());
            QCOMPARE(w.ui.txtKaitou(i)->text(), QString());
        }
        QCOMPARE(w.ui.lblOk->text(), QString());
        QCOMPARE(w.ui.lblNg->text(), QString());
        QCOMPARE(w.ui.lblRitu->text(), QString());

        QCOMPARE(w.ui.cboMonsu->count(), 15);
        QCOMPARE(w.ui.cboMonsu->itemText(0), QStringLiteral("1"));
        QCOMPARE(w.ui.cboMonsu->itemText(14), QStringLiteral("15"));
        QCOMPARE(w.ui.cboJikan->count(), 31);
        QCOMPARE(w.ui.cboJikan->itemText(0), QStringLiteral("0"));
        QCOMPARE(w.ui.cboJikan->itemText(30), QStringLiteral("30"));
        QCOMPARE(w.ui.cboMonsu->currentText(), QString::number(monsu));
        QCOMPARE(w.ui.cboMonsu->currentIndex(), monsu - 1); // arrow keys move on from the value
        QCOMPARE(w.ui.cboJikan->currentText(), QString::number(jikan));
        QCOMPARE(w.ui.cboJikan->currentIndex(), jikan);
        QCOMPARE(w.ui.chkAs->isChecked(), autoSave);

        // Untouched by start-up: the cover, all three lights (red on top) and both buttons.
        QVERIFY(!w.ui.shpWaku->isHidden());
        for (int k = 1; k <= 3; ++k)
            QVERIFY(!w.ui.imgStart(k)->isHidden());
        QVERIFY(w.ui.cmdStart->isEnabled());
        QVERIFY(w.ui.cmdKaitou->isEnabled());
        QCOMPARE(w.ui.shpJikanK->widthTwips(), 8745);

        // Start-up leaves the settings file as it found it, even when it clamped a value.
        QCOMPARE(t.readFile(QStringLiteral("設定.txt")), settings);
    }

    void controlsAsLaidOut()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QCOMPARE(w.ui.cmdStart->text(), QStringLiteral("スタート"));
        QCOMPARE(w.ui.cmdKaitou->toolTip(), QStringLiteral("答え合わせをします"));
        QCOMPARE(w.ui.cmdEnd->toolTip(), QStringLiteral("プログラムを終了します"));
        QCOMPARE(w.ui.chkAs->toolTip(), QStringLiteral("履歴の自動保存を制御します"));
        QCOMPARE(w.ui.Label1(0)->text(), QStringLiteral("問題数"));
        QCOMPARE(w.ui.Label1(1)->text(), QStringLiteral("表示秒数"));
        QCOMPARE(w.ui.lblMondai(3)->font().pointSizeF(), 48.0);
        QCOMPARE(w.ui.txtKaitou(3)->font().pointSizeF(), 48.0);
        QCOMPARE(w.ui.lblRitu->font().pointSizeF(), 20.25);
        QCOMPARE(w.ui.cboMonsu->font().pointSizeF(), 14.25);
        QCOMPARE(w.ui.Label1(1)->font().pointSizeF(), 14.25);
        // The Japanese face resolves to a Japanese font, not a Latin fallback.
        QCOMPARE(QFontInfo(w.ui.lblMondai(3)->font()).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(w.ui.txtKaitou(3)->alignment(), Qt::AlignCenter);
        QVERIFY(!w.ui.txtKaitou(3)->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(w.ui.lblMondai(3)->alignment(), Qt::AlignCenter);
        QCOMPARE(w.ui.lblOk->palette().color(w.ui.lblOk->foregroundRole()), QColor(0, 128, 0));
        QCOMPARE(w.ui.lblNg->palette().color(w.ui.lblNg->foregroundRole()), QColor(255, 0, 0));
        QCOMPARE(w.ui.lblRitu->palette().color(w.ui.lblRitu->foregroundRole()), QColor(0, 0, 0));
        QCOMPARE(w.ui.shpWaku->backColor(), QColor(255, 255, 255));
        QCOMPARE(w.ui.shpWaku->fillColor(), QColor(192, 192, 192));
        QCOMPARE(w.ui.shpWaku->fillStyle(), Shape::Fill::DiagonalCross);
        QCOMPARE(w.ui.shpWaku->borderColor(), QColor(128, 128, 128));
        QCOMPARE(w.ui.shpJikanK->fillColor(), QColor(0, 0, 255));
        QCOMPARE(w.ui.shpJikanB->fillColor(), QColor(255, 0, 0));
        QVERIFY(w.ui.chkAs->isCheckable());
        QVERIFY(w.ui.cboMonsu->isEditable());
    }

    void answerBoxTakesAnyLength()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        const QString longText(200, QLatin1Char('7'));
        t->ui.txtKaitou(1)->setText(longText);
        QCOMPARE(t->ui.txtKaitou(1)->text(), longText);
    }

    void focusStartsOnStart()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        t->show();
        t->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&t.w()));
        QCOMPARE(QApplication::focusWidget(), t->ui.cmdStart);
    }

    void tabOrderDuringAnswerEntry()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        w.ui.tmrStart->stop();
        w.ui.tmrKt->stop();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int i = 1; i <= 5; ++i)
            w.ui.txtKaitou(i)->setVisible(true);

        w.ui.cmdStart->setFocus();
        const QList<QWidget *> expected = {w.ui.cmdKaitou,    w.ui.cmdHozon,     w.ui.cmdClear,
                                           w.ui.cmdHelp,      w.ui.cmdEnd,       w.ui.txtKaitou(5),
                                           w.ui.txtKaitou(4), w.ui.txtKaitou(3), w.ui.txtKaitou(2),
                                           w.ui.txtKaitou(1), w.ui.cboJikan,     w.ui.cboMonsu,
                                           w.ui.chkAs,        w.ui.msgRireki,    w.ui.cmdStart};
        for (QWidget *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void buttonsAnswerReturnAndSpace()
    {
        TestWindow t("5,5,1\r\n");
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        int clicks = 0;
        connect(w.ui.cmdHelp, &QToolButton::clicked, this, [&] { ++clicks; });
        w.ui.cmdHelp->setFocus();
        QTest::keyClick(w.ui.cmdHelp, Qt::Key_Return);
        QTest::keyClick(w.ui.cmdHelp, Qt::Key_Enter);
        QTest::keyClick(w.ui.cmdHelp, Qt::Key_Enter, Qt::KeypadModifier); // the keypad's Enter
        QTest::keyClick(w.ui.cmdHelp, Qt::Key_Space);
        QCOMPARE(clicks, 4);
        QTest::keyClick(w.ui.cmdHelp, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(clicks, 4);
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
