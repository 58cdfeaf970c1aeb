// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QProxyStyle>

// The application's own style with another colour for the lines between a table's cells. A
// style sheet could set that colour too, but it would switch the whole table to the much
// slower style-sheet style; this changes the one hint the table asks for and nothing else.
class GridLineStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit GridLineStyle(const QColor &gridLines, QObject *parent = nullptr);

    QColor gridLineColor() const { return m_gridLines; }

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

private:
    QColor m_gridLines;
};
