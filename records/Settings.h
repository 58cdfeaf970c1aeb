// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/SettingsControls.h"

#include <QString>

class SettingsFile;
struct DrillState;

// The player's three choices and their controls: loading them at start-up, filling the two
// choice lists, and rewriting the settings file whenever the player changes one of them.
class Settings
{
public:
    Settings(const SettingsControls &ui, DrillState &state, SettingsFile &file);

    // Reads intMonsu, intJikan and intAs from the settings file and sets chkAs. Returns false
    // with a message for the player when the file is missing or unusable.
    bool LoadSettings(QString *error);

    // Fills cboMonsu with 1..15 and shows intMonsu.
    void FillMonsuList();
    // Fills cboJikan with 0..30 and shows intJikan.
    void FillJikanList();

    // Writes the three values as the whole new content of the settings file.
    void StoreSettings();

    void cboMonsu_Click(int index);
    void cboJikan_Click(int index);
    void chkAs_Click(bool checked);

private:
    SettingsControls m_ui;
    DrillState &m_state;
    SettingsFile &m_file;
};
