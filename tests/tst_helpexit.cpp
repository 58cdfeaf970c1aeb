#include "WindowFixture.h"
#include "app/ChmBrowser.h"
#include "app/ChmHelpViewer.h"
#include "app/ChmHelpWindow.h"
#include "app/CommandButton.h"
#include "app/Shape.h"

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
    QVariantList seen = {w.shpWaku->isVisibleTo(&w), w.cmdStart->isEnabled(),
                         w.cmdKaitou->isEnabled(),   w.shpJikanK->widthTwips(),
                         w.tmrStart->isActive(),     w.tmrKt->isActive()};
    for (int k = 1; k <= 3; ++k)
        seen << w.imgStart(k)->isVisibleTo(&w);
    for (int i = 1; i <= 15; ++i)
        seen << w.lblMondai(i)->isVisibleTo(&w) << w.lblMondai(i)->text();
    return seen;
}

// Puts the window into a phase of a drill, as the drill's handlers leave it.
void enterPhase(frmMain &w, const QString &phase)
{
    if (phase == u"countdown") {
        w.state.blnCountdown = true;
        w.state.intCountStep = 2;
        w.cmdStart->setEnabled(false);
        w.cmdKaitou->setEnabled(false);
    } else if (phase == u"display") {
        w.state.blnDisplay = true;
        w.state.intCountStep = 3;
        w.state.lngNow = 1000;
        w.state.lngEnd = 1005;
        w.state.intNokori = 3;
        w.shpWaku->setVisible(false);
        for (int i = 1; i <= w.state.intMonsu; ++i)
            w.lblMondai(i)->setText(QString::number(i % 9));
        w.cmdStart->setEnabled(false);
        w.cmdKaitou->setEnabled(false);
    } else if (phase == u"scored") {
        w.state.intOk = 3;
        w.state.intNg = 2;
    }
}

// Runs the event loop with one action queued; the loop's exit code, or -1 if nothing ended it
// within five seconds.
int runUntilExit(const std::function<void()> &action)
{
    QTimer::singleShot(0, qApp, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(-1); });
    guard.start(5000);
    return QCoreApplication::exec();
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

class tst_HelpExit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void phases_data()
    {
        QTest::addColumn<QString>("phase");
        QTest::newRow("idle") << QStringLiteral("idle");
        QTest::newRow("countdown") << QStringLiteral("countdown");
        QTest::newRow("display") << QStringLiteral("display");
        QTest::newRow("scored") << QStringLiteral("scored");
    }

    void helpLeavesDrillUntouched_data() { phases_data(); }
    void helpLeavesDrillUntouched()
    {
        QFETCH(QString, phase);
        WindowFixture f;
        QVERIFY(f.start("5,5,1\r\n"));
        frmMain &w = *f.window;
        enterPhase(w, phase);
        const QVariantList state = fields(w.state);
        const QVariantList seen = screen(w);

        w.cmdHelp->click();
        w.cmdHelp->click();

        const QString helpFile = QDir(f.dir.path()).filePath(QStringLiteral("zqHelp.chm"));
        QCOMPARE(f.help.shown, QStringList({helpFile, helpFile}));
        QCOMPARE(f.help.closes, 0);
        QCOMPARE(fields(w.state), state);
        QCOMPARE(screen(w), seen);
    }

    void exitEndsAtOnceSavingNothing_data() { phases_data(); }
    void exitEndsAtOnceSavingNothing()
    {
        QFETCH(QString, phase);
        WindowFixture f;
        QStringEncoder cp932("CP932");
        const QByteArray marks = cp932.encode(QStringLiteral("○○×－－－－－－－－－－－－"));
        const QByteArray seconds = cp932.encode(QStringLiteral("5秒"));
        QVERIFY(f.start("7,3,1\r\n", "\"2001/02/03\",\"04:05:06\",\"" + marks +
                                         "\",2,1,\"66.7%\",\"" + seconds + "\"\r\n"));
        frmMain &w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        enterPhase(w, phase);
        const QStringList before = dataFolder(f.dir.path());
        const QByteArray settings = f.readFile(QStringLiteral("設定.txt"));
        const QByteArray history = f.readFile(QStringLiteral("履歴.txt"));

        QCOMPARE(runUntilExit([&w] { w.cmdEnd->click(); }), 0);

        QCOMPARE(f.help.closes, 1);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.tmrStart->isActive());
        QVERIFY(!w.tmrKt->isActive());
        QCOMPARE(f.readFile(QStringLiteral("設定.txt")), settings);
        QCOMPARE(f.readFile(QStringLiteral("履歴.txt")), history);
        QCOMPARE(dataFolder(f.dir.path()), before);
    }

    // The real viewer behind the window: one help window for both presses, at the file's
    // default topic; Exit closes it and ends the program.
    void realViewerHelpTwiceThenExit()
    {
        WindowFixture f;
        f.writeFile(QStringLiteral("設定.txt"), "5,5,1\r\n");
        f.writeFile(QStringLiteral("履歴.txt"), "");
        QVERIFY(QFile::copy(QStringLiteral(TEST_CHM), f.path(QStringLiteral("zqHelp.chm"))));
        ChmHelpViewer viewer;
        frmMain w(QDir(f.dir.path()), f.clock, f.digits, viewer);
        QString error;
        QVERIFY(w.frmMain_Load(&error));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        w.cmdHelp->click();
        w.cmdHelp->click();
        const QList<ChmHelpWindow *> windows = w.findChildren<ChmHelpWindow *>();
        QCOMPARE(windows.size(), 1);
        const QPointer<ChmHelpWindow> help = windows.first();
        QVERIFY(help->isVisible());
        QCOMPARE(help->helpFile(), w.dataFile(QStringLiteral("zqHelp.chm")));
        QCOMPARE(help->browser()->source(), QUrl(QStringLiteral("chm:/pages/start.html")));

        QCOMPARE(runUntilExit([&w] { w.cmdEnd->click(); }), 0);
        QVERIFY(!help || !help->isVisible());
    }

    // Closing the main window by its close box ends the program, help window open or not.
    void closingMainWindowEndsProgram()
    {
        WindowFixture f;
        f.writeFile(QStringLiteral("設定.txt"), "5,5,1\r\n");
        f.writeFile(QStringLiteral("履歴.txt"), "");
        ChmHelpViewer viewer;
        frmMain w(QDir(f.dir.path()), f.clock, f.digits, viewer);
        QString error;
        QVERIFY(w.frmMain_Load(&error));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.cmdHelp->click(); // no help file here: the viewer's message shows instead
        const QPointer<ChmHelpWindow> help = w.findChild<ChmHelpWindow *>();
        QVERIFY(help && help->isVisible());

        QCOMPARE(runUntilExit([&w] { w.close(); }), 0);
        QVERIFY(!help || !help->isVisible());
    }
};

QTEST_MAIN(tst_HelpExit)
#include "tst_helpexit.moc"
