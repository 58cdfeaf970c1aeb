// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The player's preferences that the settings file "設定.txt" has no place for (its three values
// and their format stay as they are): a Qt settings file in the user's configuration folder,
// shared by every data folder. A missing or unreadable file means every preference is off.
class ProgramPreferences
{
public:
    // The file at path; made, with its folder, on the first change.
    explicit ProgramPreferences(QString path);

    // "ketamori/ketamori.conf" in the user's configuration folder ($XDG_CONFIG_HOME, ~/.config).
    static QString defaultPath();

    // 自動調整: the digit count follows the player drill by drill. Off unless turned on.
    bool adaptiveDigitCount() const { return m_adaptiveDigitCount; }
    // Remembers the choice, which holds for this run whatever happens; false with a message for
    // the player when it could not be written.
    bool setAdaptiveDigitCount(bool on, QString *error);

private:
    QString m_path;
    bool m_adaptiveDigitCount = false;
};
