// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// A rectangle shape: an optional opaque background, a solid or diagonally cross-hatched fill and
// a one-pixel border. Its width is kept in twips, so the time bar can be narrowed to the exact
// width the drill computes and read back unchanged.
class Shape : public QWidget
{
    Q_OBJECT

public:
    enum class Fill
    {
        Solid,
        DiagonalCross
    };

    explicit Shape(QWidget *parent = nullptr);

    void setFill(Fill style, const QColor &color);
    void setBackColor(const QColor &color); // makes the shape opaque
    void setBorderColor(const QColor &color);

    // Keeps the left edge and changes the width, in twips.
    void setWidthTwips(int twips);
    int widthTwips() const { return m_widthTwips; }

    // Places the shape in its container, in twips.
    void setGeometryTwips(int left, int top, int width, int height);

    Fill fillStyle() const { return m_fill; }
    QColor fillColor() const { return m_fillColor; }
    QColor backColor() const { return m_backColor; }
    QColor borderColor() const { return m_borderColor; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Fill m_fill = Fill::Solid;
    QColor m_fillColor = Qt::black;
    QColor m_backColor; // invalid: transparent
    QColor m_borderColor = Qt::black;
    int m_widthTwips = 0;
};
