// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/Settings.h"

#include "controls/ChoiceCombo.h"
#include "records/WriteWarning.h"
#include "records/core/SettingsFile.h"

#include <QToolButton>

Settings::Settings(const SettingsControls &ui, SettingsFile &file) : m_ui(ui), m_file(file) {}

bool Settings::LoadSettings(QString *error)
{
    DrillSettings value;
    if (!m_file.read(&value, error))
        return false;
    m_ui.chkAs->setChecked(value.autoSave);
    m_value = value;
    Q_EMIT changed(m_value);
    return true;
}

void Settings::FillMonsuList()
{
    for (int n = SettingsFile::minDigitCount; n <= SettingsFile::maxDigitCount; ++n)
        m_ui.cboMonsu->addItem(QString::number(n));
    m_ui.cboMonsu->showValue(QString::number(m_value.digitCount));
}

void Settings::FillJikanList()
{
    for (int n = SettingsFile::minDisplaySeconds; n <= SettingsFile::maxDisplaySeconds; ++n)
        m_ui.cboJikan->addItem(QString::number(n));
    m_ui.cboJikan->showValue(QString::number(m_value.displaySeconds));
}

void Settings::StoreSettings()
{
    QString error;
    if (!m_file.write(m_value, &error)) {
        warnNotWritten(
            m_ui.form, error,
            QStringLiteral("選んだ値はこのまま使いますが、次回の起動時には元に戻ります。"));
    }
}

// A choice takes effect at once, and the file is rewritten; a failed write keeps the choice for
// this run.
void Settings::change(const DrillSettings &value)
{
    m_value = value;
    Q_EMIT changed(m_value);
    StoreSettings();
}

void Settings::cboMonsu_Click(int index)
{
    DrillSettings value = m_value;
    value.digitCount = static_cast<int16_t>(m_ui.cboMonsu->itemText(index).toShort());
    change(value);
}

void Settings::cboJikan_Click(int index)
{
    DrillSettings value = m_value;
    value.displaySeconds = static_cast<int16_t>(m_ui.cboJikan->itemText(index).toShort());
    change(value);
}

void Settings::chkAs_Click(bool checked)
{
    DrillSettings value = m_value;
    value.autoSave = checked;
    change(value);
}
