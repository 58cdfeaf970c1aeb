#pragma once

#include "app/DrillState.h"
#include "app/controls/ControlArray.h"

#include <QDir>
#include <QWidget>
#include <memory>

class AnswerBox;
class ChoiceCombo;
class Clock;
class CommandButton;
class DigitSource;
class Drill;
class HelpService;
class History;
class HistoryMenu;
class QFrame;
class QLabel;
class QTableView;
class QTimer;
class QToolButton;
class Settings;
class Shape;

// The one window of the program. It owns every control, the drill state and the handlers of
// the drill, the settings and the history, and wires the controls' events to them. Controls
// carry their design names, so a handler reads lblMondai(i) or cmdStart as the design does.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    // dataDir is where the settings, history and help files lie (the working directory when the
    // program runs). The clock, the digit source and the help viewer are injected.
    frmMain(const QDir &dataDir, Clock &clock, DigitSource &digits, HelpService &help,
            QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up, run once before the window is first shown. Returns false with a message for the
    // player when a data file is missing or cannot be read; the window must then not be shown.
    bool frmMain_Load(QString *error);

    QString dataFile(const QString &name) const { return m_dataDir.filePath(name); }

    DrillState state;

    // The header band.
    CommandButton *cmdStart = nullptr;
    CommandButton *cmdKaitou = nullptr;
    CommandButton *cmdHozon = nullptr;
    CommandButton *cmdClear = nullptr;
    CommandButton *cmdHelp = nullptr;
    CommandButton *cmdEnd = nullptr;
    QLabel *Image1 = nullptr;
    ControlArray<QWidget, 0, 1> Line1;

    // Frame1: settings and results row, time bar, digit row, answer row, history table.
    QFrame *Frame1 = nullptr;
    QToolButton *chkAs = nullptr;
    QFrame *Frame2 = nullptr;
    QTimer *tmrStart = nullptr;
    QTimer *tmrKt = nullptr;
    ChoiceCombo *cboMonsu = nullptr;
    ChoiceCombo *cboJikan = nullptr;
    ControlArray<AnswerBox, 1, 15> txtKaitou;
    QTableView *msgRireki = nullptr;
    ControlArray<QLabel, 0, 1> Label1;
    Shape *shpWaku = nullptr;
    ControlArray<QLabel, 1, 3> imgStart;
    Shape *shpJikanK = nullptr;
    ControlArray<QLabel, 1, 15> lblMondai;
    Shape *shpJikanB = nullptr;

    // Frame2: the results.
    QLabel *lblOk = nullptr;
    QLabel *lblNg = nullptr;
    QLabel *lblRitu = nullptr;

    History &history() { return *m_history; }
    // The history table's context menu and the window "成績グラフ" it opens.
    HistoryMenu &historyMenu() { return *m_historyMenu; }

    // Help and exit.
    void cmdHelp_Click();
    void cmdEnd_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void setTabOrder();
    void connectEvents();

    QDir m_dataDir;
    HelpService &m_help;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<History> m_history;
    std::unique_ptr<Drill> m_drill;
    Clock &m_clock;
    std::unique_ptr<HistoryMenu> m_historyMenu;
    bool m_centred = false;
};
