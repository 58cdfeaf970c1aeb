// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/SettingsControls.h"
#include "records/core/DrillSettings.h"

#include <QObject>
#include <QString>

class SettingsFile;

// The player's three choices, their one owner, and their controls: loading them at start-up,
// filling the two choice lists, and rewriting the settings file whenever the player changes one
// of them. Every change, the first load included, is told through changed().
class Settings : public QObject
{
    Q_OBJECT

public:
    Settings(const SettingsControls &ui, SettingsFile &file);

    const DrillSettings &value() const { return m_value; }

    // Reads the three choices from the settings file and sets chkAs. Returns false with a
    // message for the player when the file is missing or unusable.
    bool LoadSettings(QString *error);

    // Fills cboMonsu with 1..15 and shows the digit count.
    void FillMonsuList();
    // Fills cboJikan with 0..30 and shows the display seconds.
    void FillJikanList();

    // Writes the three choices as the whole new content of the settings file.
    void StoreSettings();

    void cboMonsu_Click(int index);
    void cboJikan_Click(int index);
    void chkAs_Click(bool checked);

Q_SIGNALS:
    void changed(const DrillSettings &value);

private:
    void change(const DrillSettings &value);

    SettingsControls m_ui;
    SettingsFile &m_file;
    DrillSettings m_value;
};
