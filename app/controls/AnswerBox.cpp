// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controls/AnswerBox.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

AnswerBox::AnswerBox(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    fitTextAreaToDigits();
}

void AnswerBox::fitTextAreaToDigits()
{
    // QLineEdit keeps a fixed two pixels free on either side of its text area, inside the frame.
    constexpr int lineEditMargin = 2;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const int room = contents.width() - 2 * lineEditMargin;
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = qMax(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
    const int spill = qMax(0, int(std::ceil((widest - room) / 2)));
    // QLineEdit centres the text together with the caret's pixel after it, half a pixel left of
    // the middle: the area moves one pixel right to make up for it.
    const int caretShift = spill > 0 ? 1 : 0;
    setTextMargins(-spill + caretShift, 0, -spill - caretShift, 0);
}

void AnswerBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitTextAreaToDigits();
}

void AnswerBox::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    fitTextAreaToDigits();
}

void AnswerBox::setBackColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}

QColor AnswerBox::backColor() const
{
    return palette().color(QPalette::Base);
}

void AnswerBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void AnswerBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // A click on the box empties it (the drill's Click handler): nothing to select then. Back
    // from the box's own context menu, the selection made there stays.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason && !text().isEmpty())
        setSelection(int(text().size()), -int(text().size())); // caret at the start, in view
}

void AnswerBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu or another window taking the focus for a moment leaves the box as it is.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        setCursorPosition(0);
}
