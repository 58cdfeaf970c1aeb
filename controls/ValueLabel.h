// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label whose text is a value the window sets: a digit slot, a count, the rate. A screen reader
// reads it by its caption followed by the value ("正解の数：3"), hears of every new value, and
// still has the caption to read while the label is empty (ValueLabelAccessible, which the
// window's controls install). A value too wide for the label is drawn narrower, never cut off.
class ValueLabel : public QLabel
{
    Q_OBJECT

public:
    ValueLabel(const QString &caption, const QString &text, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }

    // What a screen reader reads: the caption, and the value after it when there is one.
    QString spokenName() const;

    // Sets the value and tells screen readers that the name they read changed. QLabel itself
    // stays silent about a new text, so the window's code sets values through this one: the
    // controls struct holds these labels by this type.
    void setText(const QString &text);

    // The font the value is drawn in: the label's own, narrowed where the value or any single
    // digit would not fit.
    QFont drawnFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
