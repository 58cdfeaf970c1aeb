// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// An editable drop-down list of which only a real choice counts: an entry picked from the
// drop-down list with the mouse or the keyboard, or a step through the list with the arrow or
// page keys. Text typed into
// the edit field never counts, not even when it matches an entry and the player presses Return
// or leaves with Tab (QComboBox reports those through activated() as well), and neither does
// the mouse wheel, which is ignored so that the field never shows a value nobody chose. For the
// same reason, typed text does not stay: Return, or the focus leaving the field, puts the value
// in use back. The field takes no input method: its entries are plain half-width numbers.
class ChoiceCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit ChoiceCombo(QWidget *parent = nullptr);

    // Shows entry text as the current value, as if it had been chosen, without emitting chosen().
    void showValue(const QString &text);

    // Picks the entry at index as the player picking it from the list does (chosen() included).
    void choose(int index);

    void showPopup() override;
    void hidePopup() override;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The player chose the entry at index.
    void chosen(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void onActivated(int index);
    void showValueInUse();

    bool listMade() const;

    bool m_fromList = false;
    mutable bool m_sized = false; // a size hint was asked for, and QComboBox keeps it
    QString m_valueInUse;         // the value last shown or chosen
};
