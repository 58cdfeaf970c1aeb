// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/WindowControls.h"
#include "drill/core/DrillState.h"

#include <QDir>
#include <QWidget>
#include <memory>

class AdaptiveDigitCount;
class Clock;
class DigitSource;
class Disk;
class Drill;
class DrillSession;
class HelpService;
class History;
class HistoryMenu;
class DrillLog;
class HistoryFile;
class ProgramPreferences;
class Settings;
class SettingsFile;

// The one window of the program. It owns every control (ui), the drill state, the two data files
// and the handlers of the drill, the settings and the history, and wires the controls' events to
// them. Each handler gets only what it works on.
//
// Names: the handlers of the controls' events carry the control's design name and the event,
// joined by an underscore (cmdStart_Click, tmrKt_Timer, txtKaitou_Change); so do the design's
// named procedures (frmMain_Load, InitRireki, LoadHistory, Save). Helpers of the program's own
// are ordinary camelCase (applyScrollRule, showValue).
class frmMain : public QWidget
{
    Q_OBJECT

public:
    // dataDir is where the settings, history and help files lie (the working directory when the
    // program runs). The clock, the digit source, the help viewer and the disk the data files
    // are written through are injected. The history file is read by frmMain_Load().
    frmMain(const QDir &dataDir, Clock &clock, DigitSource &digits, HelpService &help, Disk &disk,
            QWidget *parent = nullptr);
    // The same with the history file of dataDir given, its reading perhaps begun already
    // (HistoryFile::readAhead()): main() begins it before QApplication, so that a long history is
    // read beside the toolkit's own start and the making of the controls; it must then not
    // change before frmMain_Load().
    frmMain(const QDir &dataDir, std::unique_ptr<HistoryFile> historyFile, Clock &clock,
            DigitSource &digits, HelpService &help, Disk &disk, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up, run once before the window is first shown. Returns false with a message for the
    // player when a data file is missing or cannot be read; the window must then not be shown.
    bool frmMain_Load(QString *error);

    WindowControls ui;

    // The drill's state, kept by the drill session; read-only outside it.
    const DrillState &drillState() const { return m_state; }
    DrillSession &session() { return *m_session; }

    // Help and exit.
    void cmdHelp_Click();
    void cmdEnd_Click();

    History &history() { return *m_history; }
    // The history table's context menu and the window "成績グラフ" it opens.
    HistoryMenu &historyMenu() { return *m_historyMenu; }
    // 自動調整: the digit count following the player, when turned on.
    AdaptiveDigitCount &adaptiveDigitCount() { return *m_adaptive; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectEvents();
    void cmdHozon_Click();
    void showFocusCue();
    // Picks a digit count in 問題数 as the player picking it from the list does.
    void chooseDigitCount(int digitCount);

    QDir m_dataDir;
    HelpService &m_help;
    std::unique_ptr<SettingsFile> m_settingsFile;
    std::unique_ptr<HistoryFile> m_historyFile;
    std::unique_ptr<DrillLog> m_drillLog; // opened once the window is on screen
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<History> m_history;
    DrillState m_state;
    std::unique_ptr<DrillSession> m_session;
    std::unique_ptr<Drill> m_drill;
    Clock &m_clock;
    std::unique_ptr<ProgramPreferences> m_preferences; // what 設定.txt has no place for
    std::unique_ptr<AdaptiveDigitCount> m_adaptive;
    std::unique_ptr<HistoryMenu> m_historyMenu; // made at start-up, its window on request
    bool m_shown = false;
    bool m_activated = false;
};
