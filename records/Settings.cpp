// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/Settings.h"

#include "controls/ChoiceCombo.h"
#include "drill/core/DrillState.h"
#include "records/WriteWarning.h"
#include "records/core/SettingsFile.h"

#include <QToolButton>

Settings::Settings(const SettingsControls &ui, DrillState &state, SettingsFile &file)
    : m_ui(ui), m_state(state), m_file(file)
{
}

bool Settings::LoadSettings(QString *error)
{
    SettingsFile::Values values;
    if (!m_file.read(&values, error))
        return false;
    m_state.intMonsu = values.monsu;
    m_state.intJikan = values.jikan;
    m_state.intAs = values.as;
    m_ui.chkAs->setChecked(m_state.intAs == 1);
    return true;
}

void Settings::FillMonsuList()
{
    for (int n = SettingsFile::minMonsu; n <= SettingsFile::maxMonsu; ++n)
        m_ui.cboMonsu->addItem(QString::number(n));
    m_ui.cboMonsu->showValue(QString::number(m_state.intMonsu));
}

void Settings::FillJikanList()
{
    for (int n = SettingsFile::minJikan; n <= SettingsFile::maxJikan; ++n)
        m_ui.cboJikan->addItem(QString::number(n));
    m_ui.cboJikan->showValue(QString::number(m_state.intJikan));
}

void Settings::StoreSettings()
{
    QString error;
    if (!m_file.write({m_state.intMonsu, m_state.intJikan, m_state.intAs}, &error)) {
        warnNotWritten(
            m_ui.form, error,
            QStringLiteral("選んだ値はこのまま使いますが、次回の起動時には元に戻ります。"));
    }
}

void Settings::cboMonsu_Click(int index)
{
    m_state.intMonsu = static_cast<int16_t>(m_ui.cboMonsu->itemText(index).toShort());
    StoreSettings();
}

void Settings::cboJikan_Click(int index)
{
    m_state.intJikan = static_cast<int16_t>(m_ui.cboJikan->itemText(index).toShort());
    StoreSettings();
}

void Settings::chkAs_Click(bool checked)
{
    m_state.intAs = checked ? 1 : 0;
    StoreSettings();
}
