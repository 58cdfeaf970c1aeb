#pragma once

#include <QHeaderView>

// The fixed header row of a grid: cells in the button-face colour, their captions centred, and
// black lines between them, as a grid draws its fixed cells.
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit GridHeader(QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};
