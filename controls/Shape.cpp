// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Shape.h"

#include "controls/Twips.h"

#include <QPainter>

Shape::Shape(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::setFill(Fill style, const QColor &color)
{
    m_fill = style;
    m_fillColor = color;
    update();
}

void Shape::setBackColor(const QColor &color)
{
    m_backColor = color;
    setAttribute(Qt::WA_OpaquePaintEvent, color.isValid());
    update();
}

void Shape::setBorderColor(const QColor &color)
{
    m_borderColor = color;
    update();
}

void Shape::setWidthTwips(int twips)
{
    m_widthTwips = twips;
    resize(Twips::toPixels(qMax(0, twips)), height());
}

void Shape::setGeometryTwips(int left, int top, int width, int height)
{
    m_widthTwips = width;
    setGeometry(Twips::rect(left, top, width, height));
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    if (m_backColor.isValid())
        p.fillRect(r, m_backColor);
    p.fillRect(
        r, QBrush(m_fillColor, m_fill == Fill::Solid ? Qt::SolidPattern : Qt::DiagCrossPattern));
    p.setPen(QPen(m_borderColor, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}
