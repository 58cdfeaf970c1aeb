// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// One answer box: a single line with centred text and the input method switched off, whose
// background colour tells right from wrong after scoring. It reports the player's clicks.
//
// A box never hides what it holds: when the focus arrives otherwise than by a click on the box
// (the advance from the box before, Tab, the window coming back to the front), its answer is
// selected, so the character typed replaces it instead of joining it; and once the focus has
// left, a text too wide for the box shows its start, so "44" cannot pass for "4". Where the font's
// digits are wider than the box, they are drawn narrower, never cut off.
class AnswerBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit AnswerBox(QWidget *parent = nullptr);

    void setBackColor(const QColor &color);
    QColor backColor() const;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    void clicked();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void fitToDigits();
    void fitTextAreaToDigits();

    QFont m_givenFont; // the font set on the box, before narrowing
    bool m_fitting = false;
};
