// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMain.h"

#include "app/AdaptiveDigitCount.h"
#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/CommandButton.h"
#include "controls/Shape.h"
#include "drill/Drill.h"
#include "drill/core/DrillSession.h"
#include "help/HelpService.h"
#include "records/History.h"
#include "records/HistoryStore.h"
#include "records/Settings.h"
#include "records/core/DrillLog.h"
#include "records/core/HistoryFile.h"
#include "records/core/ProgramPreferences.h"
#include "records/core/SettingsFile.h"
#include "stats/HistoryMenu.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

frmMain::frmMain(const QDir &dataDir, Clock &clock, DigitSource &digits, HelpService &help,
                 Disk &disk, QWidget *parent)
    : frmMain(dataDir,
              std::make_unique<HistoryFile>(dataDir.filePath(HistoryFile::fileName()), disk), clock,
              digits, help, disk, parent)
{
}

frmMain::frmMain(const QDir &dataDir, std::unique_ptr<HistoryFile> historyFile, Clock &clock,
                 DigitSource &digits, HelpService &help, Disk &disk, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_dataDir(dataDir), m_help(help), m_historyFile(std::move(historyFile)), m_clock(clock)
{
    m_settingsFile =
        std::make_unique<SettingsFile>(m_dataDir.filePath(SettingsFile::fileName()), disk);
    ui.setupUi(this);
    // Each handler is handed the controls it works on, and no others.
    m_settings = std::make_unique<Settings>(
        SettingsControls{ui.cboMonsu, ui.cboJikan, ui.chkAs, this}, *m_settingsFile);
    // The drill reads the choices from its state record, kept in step with their owner.
    connect(m_settings.get(), &Settings::changed, this, [this](const DrillSettings &value) {
        m_state.intMonsu = value.digitCount;
        m_state.intJikan = value.displaySeconds;
        m_state.intAs = value.autoSave ? 1 : 0;
    });
    m_drillLog = std::make_unique<DrillLog>(m_dataDir.filePath(DrillLog::fileName()));
    m_history =
        std::make_unique<History>(*ui.msgRireki, *this, *m_historyFile, clock, m_drillLog.get());
    m_session = std::make_unique<DrillSession>(m_state, clock, digits);
    m_drill = std::make_unique<Drill>(
        DrillControls{ui.cmdStart, ui.cmdKaitou, ui.imgStart, ui.shpWaku, ui.shpJikanK,
                      ui.lblMondai, ui.txtKaitou, ui.lblOk, ui.lblNg, ui.lblRitu, ui.tmrKt},
        m_state, *m_session);
    // Every scoring is saved when auto-save is on.
    connect(m_session.get(), &DrillSession::scored, this, [this](const DrillResult &result) {
        if (m_state.intAs == 1)
            m_history->Save(result);
    });
    m_preferences = std::make_unique<ProgramPreferences>(ProgramPreferences::defaultPath());
    m_adaptive = std::make_unique<AdaptiveDigitCount>(
        *m_session, *m_preferences, *ui.Image1, *ui.cboMonsu,
        [this](int digitCount) { chooseDigitCount(digitCount); });
    connectEvents();

    ui.tmrStart->start();
    ui.tmrKt->start();
    ui.cmdStart->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::connectEvents()
{
    connect(ui.cmdStart, &QToolButton::clicked, this, [this] {
        m_adaptive->beforeStart();
        m_drill->cmdStart_Click();
    });
    connect(ui.cmdKaitou, &QToolButton::clicked, this, [this] { m_drill->cmdKaitou_Click(); });
    connect(ui.cmdHozon, &QToolButton::clicked, this, &frmMain::cmdHozon_Click);
    connect(ui.cmdClear, &QToolButton::clicked, this, [this] { m_history->ClearHistory(); });
    connect(ui.cmdHelp, &QToolButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(ui.cmdEnd, &QToolButton::clicked, this, &frmMain::cmdEnd_Click);
    connect(ui.cboMonsu, &ChoiceCombo::chosen, this,
            [this](int index) { m_settings->cboMonsu_Click(index); });
    connect(ui.cboJikan, &ChoiceCombo::chosen, this,
            [this](int index) { m_settings->cboJikan_Click(index); });
    // clicked() comes from the player only; start-up's setChecked() does not store anything.
    connect(ui.chkAs, &QToolButton::clicked, this,
            [this](bool checked) { m_settings->chkAs_Click(checked); });
    for (int i = 1; i <= DigitSlots::count; ++i) {
        connect(ui.txtKaitou(i), &QLineEdit::textChanged, this,
                [this, i] { m_drill->txtKaitou_Change(i); });
        connect(ui.txtKaitou(i), &AnswerBox::clicked, this,
                [this, i] { m_drill->txtKaitou_Click(i); });
    }
    connect(ui.tmrStart, &QTimer::timeout, this, [this] { m_drill->tmrStart_Timer(); });
    connect(ui.tmrKt, &QTimer::timeout, this, [this] { m_drill->tmrKt_Timer(); });
}

bool frmMain::frmMain_Load(QString *error)
{
    m_state.strHelpFile = QStringLiteral(KETAMORI_HELP_FILE_NAME);

    m_history->InitRireki();
    // 成績グラフ's suggested digit count is picked in 問題数 as the player would pick it.
    m_historyMenu = std::make_unique<HistoryMenu>(
        *ui.msgRireki, m_history->model(), m_clock, *this,
        [this](int digitCount) { chooseDigitCount(digitCount); },
        [this] { return int(m_state.intMonsu); });
    // The window from its top (buttons, choices, digits) down to the last of the fifteen answer
    // boxes: 成績グラフ keeps clear of it when it cannot stand beside, covering at most the
    // history table below.
    m_historyMenu->setDrillArea([this] {
        const QWidget *last = ui.txtKaitou(DigitSlots::count);
        const QRect frame = frameGeometry();
        const int bottom = last->mapToGlobal(QPoint(0, last->height() - 1)).y();
        return QRect(frame.left(), frame.top(), frame.width(), bottom - frame.top() + 1);
    });
    m_historyMenu->setAdaptiveDigitCount([this] { return m_adaptive->isOn(); },
                                         [this](bool on) { m_adaptive->setOn(on); });
    connect(m_adaptive.get(), &AdaptiveDigitCount::switched, m_historyMenu.get(),
            &HistoryMenu::adaptiveSwitched);
    m_historyMenu->exporter().useDrillLog(m_history->store(), *m_drillLog);
    // 成績グラフ's pages of errors and recall read the log when the window asks for them.
    m_historyMenu->setLoggedDrills([this] {
        QString unread; // the pages then show no drills
        const std::optional<DrillLog::Contents> contents =
            m_drillLog->read(m_history->store().lineCount(), &unread);
        return contents ? contents->drills : QList<LoggedDrill>();
    });
    if (!m_history->LoadHistory(error))
        return false;

    if (!m_settings->LoadSettings(error))
        return false;

    for (int i = 1; i <= DigitSlots::count; ++i) {
        ui.lblMondai(i)->setVisible(false);
        ui.lblMondai(i)->setText(QString());
        ui.txtKaitou(i)->setVisible(false);
        ui.txtKaitou(i)->setText(QString());
    }

    m_settings->FillMonsuList();
    for (int i = 1; i <= m_state.intMonsu; ++i)
        ui.lblMondai(i)->setVisible(true); // empty, and under the cover
    m_settings->FillJikanList();

    m_state.intBarWidth = static_cast<int16_t>(ui.shpJikanK->widthTwips());

    ui.lblOk->setText(QString());
    ui.lblNg->setText(QString());
    ui.lblRitu->setText(QString());
    return true;
}

// Save records the last scored result; before the first scoring and while a drill runs there
// is none to record.
void frmMain::cmdHozon_Click()
{
    if (const DrillResult *result = m_session->resultToSave())
        m_history->Save(*result);
}

void frmMain::chooseDigitCount(int digitCount)
{
    ui.cboMonsu->choose(ui.cboMonsu->findText(QString::number(digitCount)));
}

void frmMain::cmdHelp_Click()
{
    m_help.displayTopic(this, m_dataDir.filePath(m_state.strHelpFile));
}

void frmMain::cmdEnd_Click()
{
    m_help.closeAll();
    if (m_historyMenu)
        m_historyMenu->closeStatsWindow();
    // Ends at once: no timer tick or other handler runs after this, and nothing is saved.
    ui.tmrStart->stop();
    ui.tmrKt->stop();
    hide();
    QCoreApplication::exit(0);
}

void frmMain::showEvent(QShowEvent *event)
{
    const bool firstShow = !m_shown;
    if (firstShow) {
        m_shown = true;
        if (const QScreen *screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
    if (firstShow) {
        m_history->tableShown();
        showFocusCue();
    }
}

// The focus shows from the first screen on (a focus rectangle on スタート), not only after the
// first Tab: a player may start with the keyboard as well as with the mouse. Set before the
// window is on screen, the cue does not survive its first activation, so it is set on showing
// and again once the window is first active.
void frmMain::showFocusCue()
{
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (QWidget *focused = focusWidget())
        focused->update();
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activated) {
        m_activated = true;
        showFocusCue();
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    m_help.closeAll();
    if (m_historyMenu)
        m_historyMenu->closeStatsWindow();
    QWidget::closeEvent(event);
}
