// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/GridLineStyle.h"

GridLineStyle::GridLineStyle(const QColor &gridLines, QObject *parent) : m_gridLines(gridLines)
{
    setParent(parent);
}

int GridLineStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                             QStyleHintReturn *returnData) const
{
    if (hint == SH_Table_GridLineColor)
        return static_cast<int>(m_gridLines.rgba());
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
