// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FailingDisk.h"
#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDigits.h"
#include "app/QtJapanese.h"
#include "app/frmMain.h"
#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/CommandButton.h"
#include "controls/ValueLabel.h"

#include <QFile>
#include <QMetaObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>

// The real window on a temporary data folder, with a fake clock, scripted digits (or any other
// digit source) and a disk that fails when a test asks it to, started up like the program does. A
// null settings or history content leaves that file out; an empty one is an empty file. Its two
// timers are stopped: a test ticks them itself with tick(), so nothing happens behind its back.
class TestWindow
{
public:
    explicit TestWindow(const QByteArray &settings = "5,5,0\r\n",
                        const QByteArray &history = QByteArray(""),
                        DigitSource *digitSource = nullptr)
    {
        QtJapanese::install(); // the texts the player sees, from Qt's own buttons and menus too
        writeFile(QStringLiteral("設定.txt"), settings);
        writeFile(QStringLiteral("履歴.txt"), history);
        m_digitSource = digitSource ? digitSource : &digits;
        restart();
    }

    // Starts the program afresh on the same data folder, as its next run would, and loads
    // whatever the folder holds now. Returns whether start-up succeeded.
    bool restart()
    {
        form.reset();
        form = std::make_unique<frmMain>(QDir(dir.path()), clock, *m_digitSource, help, disk);
        form->ui.tmrStart->stop();
        form->ui.tmrKt->stop();
        error.clear();
        loaded = form->frmMain_Load(&error);
        return loaded;
    }

    frmMain &w() { return *form; }
    frmMain *operator->() { return form.get(); }

    // Shows the window and makes it active, so that focus moves are real.
    bool showActive()
    {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    // Fires a timer once, through its timeout signal as the running program would.
    static void tick(QTimer *timer) { QMetaObject::invokeMethod(timer, "timeout"); }

    // Plays a drill of the digits shown (each 0..8) through the controls, with the answers typed
    // one character a box, and presses Answer; with auto-save on, the window saves it too. A
    // digit count other than the one chosen is picked in 問題数 first, as the player would. The
    // wall clock stands still meanwhile, so a saved line carries the time the test set.
    void score(const QString &shown, const QString &typed)
    {
        const QDateTime wallClock = clock.localNow();
        if (form->drillState().intMonsu != shown.size())
            form->ui.cboMonsu->choose(form->ui.cboMonsu->findText(QString::number(shown.size())));
        QList<int> row;
        for (QChar c : shown)
            row.append(c.digitValue());
        digits.setDigits(row);
        form->ui.cmdStart->click();
        for (int step = 1; step <= 3; ++step)
            tick(form->ui.tmrStart);
        for (int n = 0; n <= 31 && form->drillState().blnDisplay; ++n) {
            tick(form->ui.tmrKt);
            clock.advance(1);
        }
        for (int i = 1; i <= shown.size(); ++i)
            form->ui.txtKaitou(i)->setText(typed.mid(i - 1, 1));
        clock.setLocalNow(wallClock);
        form->ui.cmdKaitou->click();
    }

    QString dataFile(const QString &name) const { return dir.filePath(name); }

    QByteArray readFile(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    FakeClock clock;
    ScriptedDigits digits;
    RecordingHelp help;
    FailingDisk disk;
    std::unique_ptr<frmMain> form;
    bool loaded = false;
    QString error;

private:
    DigitSource *m_digitSource = nullptr;

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        if (bytes.isNull())
            return;
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};
