// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/AnswerBox.h"

#include "controls/FittingFont.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>

AnswerBox::AnswerBox(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false); // see inputMethodQuery()
    setFocusPolicy(Qt::StrongFocus);
    m_givenFont = font();
    fitToDigits();
}

void AnswerBox::fitToDigits()
{
    const QScopedValueRollback fitting(m_fitting, true);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QFont fitted =
        FittingFont::narrowedToFit(m_givenFont, FittingFont::digits(), width() - 2 * frame, this);
    if (fitted != font())
        setFont(fitted);
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
    // QLineEdit centres a text only where it fits together with its caret (a pixel, and one
    // more after it); a wider one it scrolls instead. The area spills over the margins by as much,
    // an odd pixel on the left, the side away from the caret's.
    constexpr int caretRoom = 2;
    const int need = qMax(0, qRound(widest) + caretRoom - room);
    const int spillRight = need / 2, spillLeft = need - spillRight;
    // QLineEdit centres the text together with the caret's pixel after it, half a pixel left of
    // the middle: the area moves one pixel right to make up for it.
    const int caretShift = need > 0 ? 1 : 0;
    setTextMargins(-spillLeft + caretShift, 0, -spillRight - caretShift, 0);
}

void AnswerBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (m_fitting)
        return;
    if (event->type() == QEvent::FontChange)
        m_givenFont = font();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitToDigits();
}

void AnswerBox::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    fitToDigits();
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

// The input method stays out of the box: with a Japanese input method on, a digit would otherwise
// wait in the box as uncommitted text, the box would not move on, and what came at last would be
// a full-width digit, which is not the digit shown. Input methods ask the focused widget whether
// it takes their input, and QLineEdit answers yes whenever it is enabled and editable, whatever
// Qt::WA_InputMethodEnabled says: the box answers no, so its keys arrive as plain keys.
QVariant AnswerBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
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
