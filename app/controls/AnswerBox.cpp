#include "app/controls/AnswerBox.h"

#include <QMouseEvent>

AnswerBox::AnswerBox(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
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
