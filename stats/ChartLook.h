// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QChart;
class QFont;
class QPalette;

// Dresses a chart in the desktop's colours and the window's font, so it looks like the rest of
// the program in a light or a dark desktop alike: the chart's own themes do not follow the
// palette.
namespace ChartLook {

void apply(QChart *chart, const QPalette &palette, const QFont &font);

} // namespace ChartLook
