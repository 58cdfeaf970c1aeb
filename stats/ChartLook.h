// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DateTicks;
class QAbstractAxis;
class QCategoryAxis;
class QAbstractBarSeries;
class QBarSet;
class QChart;
class QChartView;
class QFont;
class QPalette;
class QString;
class QValueAxis;

// Dresses a chart in the desktop's colours and the window's font, so it looks like the rest of
// the program in a light or a dark desktop alike: the chart's own themes do not follow the
// palette.
namespace ChartLook {

void apply(QChart *chart, const QPalette &palette, const QFont &font);

// The view as every chart of the window has it: smooth lines, no frame of its own.
void setUpView(QChartView *view);
// Puts the axes at the bottom and the left of the chart and ties every series to both.
void addAxes(QChart *chart, QAbstractAxis *x, QAbstractAxis *y);
// Adds bars of one set to the chart, each labelled with its value as a percent at the bar's
// base, where no label is ever cut off by the plot's edge however short or long the bar is, and
// hides the legend: the axis says what the bars are. The values are whole percents.
void addLabelledBars(QChart *chart, QAbstractBarSeries *bars, QBarSet *set);
// Colours bars of one set as the palette has them, their labels readable on the bar and off it.
void colourBars(QBarSet *set, const QPalette &palette, const QFont &font);
// An axis of percentages, 0 to 100 in steps of 20, under a title; room (in percent) is left
// beyond either end, so that points at 0 and 100 are drawn whole.
QValueAxis *percentAxis(const QString &title, double room = 0);
// A time axis (of milliseconds since the epoch) made an axis of whole days, weeks or months.
QCategoryAxis *timeAxis();
void setTimeTicks(QCategoryAxis *axis, const DateTicks &ticks);

} // namespace ChartLook
