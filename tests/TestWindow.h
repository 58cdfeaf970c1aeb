// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FailingDisk.h"
#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDigits.h"
#include "app/QtJapanese.h"
#include "controls/AnswerBox.h"
#include "controls/CommandButton.h"
#include "controls/ValueLabel.h"
#include "app/frmMain.h"

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

    // Scores a drill of the digits shown against the answers typed, one character a slot, as the
    // Answer button does after a drill of that many digits; nothing is saved, whatever the
    // auto-save setting.
    void score(const QString &shown, const QString &typed)
    {
        DrillState &st = form->state;
        st.intMonsu = static_cast<int16_t>(shown.size());
        for (int i = 1; i <= shown.size(); ++i) {
            form->ui.lblMondai(i)->setText(shown.mid(i - 1, 1));
            form->ui.txtKaitou(i)->setText(typed.mid(i - 1, 1));
        }
        const int16_t autoSave = std::exchange(st.intAs, int16_t(0));
        form->ui.cmdKaitou->click();
        st.intAs = autoSave;
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
