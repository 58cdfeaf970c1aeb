// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// An editable drop-down list of which only a real choice counts: an entry picked from the
// drop-down list with the mouse or the keyboard, or a step through the list with the arrow or
// page keys. Text typed into
// the edit field never counts, not even when it matches an entry and the player presses Return
// or leaves with Tab (QComboBox reports those through activated() as well), and neither does
// the mouse wheel, which is ignored so that the field never shows a value nobody chose.
class ChoiceCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit ChoiceCombo(QWidget *parent = nullptr);

    // Shows entry text as the current value, as if it had been chosen, without emitting chosen().
    void showValue(const QString &text);

    void showPopup() override;
    void hidePopup() override;

Q_SIGNALS:
    // The player chose the entry at index.
    void chosen(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onActivated(int index);

    bool m_fromList = false;
};
