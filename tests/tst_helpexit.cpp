// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunUntilExit.h"
#include "TestWindow.h"
#include "controls/CommandButton.h"
#include "controls/Shape.h"
#include "help/ChmBrowser.h"
#include "help/ChmHelpViewer.h"
#include "help/ChmHelpWindow.h"

#include <QDir>
#include <QLabel>
#include <QStringEncoder>
#include <QTest>
#include <QTimer>

namespace {

// Every field of the drill state, for before-and-after comparisons.
QVariantList fields(const DrillState &s)
{
    return {s.strHelpFile, s.blnCountdown, s.blnDisplay, s.intCountStep, s.lngNow,
            s.lngEnd,      s.intNokori,    s.intMonsu,   s.intBarWidth,  s.intJikan,
            s.intAs,       s.intOk,        s.intNg};
}

// What the player sees of the drill: the cover, the lights, the buttons, the slots.
QVariantList screen(const frmMain &w)
{
    QVariantList seen = {w.ui.shpWaku->isVisibleTo(&w), w.ui.cmdStart->isEnabled(),
                         w.ui.cmdKaitou->isEnabled(),   w.ui.shpJikanK->widthTwips(),
                         w.ui.tmrStart->isActive(),     w.ui.tmrKt->isActive()};
    for (int k = 1; k <= 3; ++k)
        seen << w.ui.imgStart(k)->isVisibleTo(&w);
    for (int i = 1; i <= 15; ++i)
        seen << w.ui.lblMondai(i)->isVisibleTo(&w) << w.ui.lblMondai(i)->text();
    return seen;
}

// Plays a drill up to a phase through the window's own handlers and timers.
void enterPhase(frmMain &w, FakeClock &clock, const QString &phase)
{
    if (phase == u"idle")
        return;
    w.ui.cmdStart->click();
    TestWindow::tick(w.ui.tmrStart);
    if (phase == u"countdown")
        return;
    TestWindow::tick(w.ui.tmrStart);
    TestWindow::tick(w.ui.tmrStart);
    if (phase == u"display")
        return;
    clock.advance(w.drillState().intJikan);
    TestWindow::tick(w.ui.tmrKt);
    if (phase == u"recall")
        return;
    w.ui.cmdKaitou->click();
}

QStringList dataFolder(const QString &path)
{
    QStringList listing;
    const QFileInfoList entries = QDir(path).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries)
        listing << entry.fileName() + u' ' + QString::number(entry.size()) + u' ' +
                       entry.lastModified().toString(Qt::ISODateWithMs);
    return listing;
}

} // namespace

// A data folder with both data files, for the window with the real help viewer.
struct DataFolder
{
    QTemporaryDir dir;
    FakeClock clock;
    ScriptedDigits digits;
    FailingDisk disk;

    DataFolder()
    {
        for (const auto &[name, bytes] : {std::pair{QStringLiteral("設定.txt"), "5,5,0\r\n"},
                                          std::pair{QStringLiteral("履歴.txt"), ""}}) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
    }
};

class tst_HelpExit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void phases_data()
    {
        QTest::addColumn<QString>("phase");
        for (const char *phase : {"idle", "countdown", "display", "recall", "scored"})
            QTest::newRow(phase) << QString::fromLatin1(phase);
    }

    void helpLeavesDrillUntouched_data() { phases_data(); }
    void helpLeavesDrillUntouched()
    {
        QFETCH(QString, phase);
        TestWindow t;
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        enterPhase(w, t.clock, phase);
        QCOMPARE(w.drillState().blnCountdown, phase == u"countdown");
        QCOMPARE(w.drillState().blnDisplay, phase == u"display");
        const QVariantList state = fields(w.drillState());
        const QVariantList seen = screen(w);

        w.ui.cmdHelp->click();
        w.ui.cmdHelp->click();

        const QString helpFile = t.dataFile(QStringLiteral("zqHelp.chm"));
        QCOMPARE(t.help.shown, QStringList({helpFile, helpFile}));
        QCOMPARE(t.help.owners, QList<QWidget *>({&w, &w}));
        QCOMPARE(t.help.closes, 0);
        QCOMPARE(fields(w.drillState()), state);
        QCOMPARE(screen(w), seen);
    }

    void exitEndsAtOnceSavingNothing_data() { phases_data(); }
    void exitEndsAtOnceSavingNothing()
    {
        QFETCH(QString, phase);
        QStringEncoder cp932("CP932");
        const QByteArray line = "\"2001/02/03\",\"04:05:06\",\"" +
                                cp932.encode(QStringLiteral("○○×－－－－－－－－－－－－")) +
                                "\",2,1,\"66.7%\",\"" + cp932.encode(QStringLiteral("5秒")) +
                                "\"\r\n";
        TestWindow t("7,3,1\r\n", line);
        QVERIFY2(t.loaded, qPrintable(t.error));
        frmMain &w = t.w();
        QVERIFY(t.showActive());
        enterPhase(w, t.clock, phase);
        QCOMPARE(w.drillState().blnCountdown, phase == u"countdown");
        QCOMPARE(w.drillState().blnDisplay, phase == u"display");
        w.ui.tmrStart->start();
        w.ui.tmrKt->start();
        const QStringList before = dataFolder(t.dir.path());
        const QByteArray settings = t.readFile(QStringLiteral("設定.txt"));
        const QByteArray history = t.readFile(QStringLiteral("履歴.txt"));

        QCOMPARE(runUntilExit([&w] { w.ui.cmdEnd->click(); }), 0);

        QCOMPARE(t.help.closes, 1);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.ui.tmrStart->isActive());
        QVERIFY(!w.ui.tmrKt->isActive());
        QCOMPARE(t.readFile(QStringLiteral("設定.txt")), settings);
        QCOMPARE(t.readFile(QStringLiteral("履歴.txt")), history);
        QCOMPARE(dataFolder(t.dir.path()), before);
    }

    // The real viewer behind the window: one help window for both presses, at the file's
    // default topic; Exit closes it and ends the program.
    void realViewerHelpTwiceThenExit()
    {
        DataFolder data;
        QVERIFY(
            QFile::copy(QStringLiteral(TEST_CHM), data.dir.filePath(QStringLiteral("zqHelp.chm"))));
        ChmHelpViewer viewer;
        frmMain w(QDir(data.dir.path()), data.clock, data.digits, viewer, data.disk);
        QString error;
        QVERIFY2(w.frmMain_Load(&error), qPrintable(error));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        w.ui.cmdHelp->click();
        w.ui.cmdHelp->click();
        const QList<ChmHelpWindow *> windows = w.findChildren<ChmHelpWindow *>();
        QCOMPARE(windows.size(), 1);
        const QPointer<ChmHelpWindow> help = windows.first();
        QVERIFY(help->isVisible());
        QCOMPARE(help->helpFile(), data.dir.filePath(QStringLiteral("zqHelp.chm")));
        QCOMPARE(help->browser()->source(), QUrl(QStringLiteral("chm:/pages/start.html")));

        QCOMPARE(runUntilExit([&w] { w.ui.cmdEnd->click(); }), 0);
        QVERIFY(!help || !help->isVisible());
    }

    // Closing the main window by its close box ends the program, help window open or not.
    void closingMainWindowEndsProgram()
    {
        DataFolder data;
        ChmHelpViewer viewer;
        frmMain w(QDir(data.dir.path()), data.clock, data.digits, viewer, data.disk);
        QString error;
        QVERIFY2(w.frmMain_Load(&error), qPrintable(error));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.ui.cmdHelp->click(); // no help file here: the viewer's message shows instead
        const QPointer<ChmHelpWindow> help = w.findChild<ChmHelpWindow *>();
        QVERIFY(help && help->isVisible());

        QCOMPARE(runUntilExit([&w] { w.close(); }), 0);
        QVERIFY(!help || !help->isVisible());
    }
};

QTEST_MAIN(tst_HelpExit)
#include "tst_helpexit.moc"
