// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowPlacement.h"

#include <QList>
#include <QtGlobal>

namespace {

qint64 area(const QRect &rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

} // namespace

QRect WindowPlacement::inDevicePixels(const QRect &available, qreal ratio)
{
    if (ratio == qRound(ratio))
        return available;
    return available.adjusted(0, 0, -1, -1);
}

QRect WindowPlacement::onScreen(QRect frame, const QRect &available)
{
    frame.setWidth(qMin(frame.width(), available.width()));
    frame.setHeight(qMin(frame.height(), available.height()));
    frame.moveLeft(qBound(available.left(), frame.left(), available.right() + 1 - frame.width()));
    frame.moveTop(qBound(available.top(), frame.top(), available.bottom() + 1 - frame.height()));
    return frame;
}

std::optional<QRect> WindowPlacement::beside(const QSize &frame, const QRect &owner,
                                             const QRect &available)
{
    QRect placed(QPoint(owner.right() + 1 + gap, owner.top()), frame);
    if (placed.right() > available.right())
        placed.moveRight(owner.left() - 1 - gap);
    if (placed.left() < available.left())
        return std::nullopt;
    return onScreen(placed, available);
}

QRect WindowPlacement::besideOrCoveringLeast(const QSize &frame, const QRect &owner,
                                             const QRect &available, const QRect &keepClear)
{
    if (const std::optional<QRect> placed = beside(frame, owner, available))
        return *placed;
    // A frame clear of a rectangle lies wholly above, below, left or right of it: those four
    // parts of the screen are the rooms tried, or the whole screen when nothing is kept clear.
    QList<QRect> rooms;
    if (keepClear.isEmpty()) {
        rooms.append(available);
    } else {
        QRect above = available, below = available, left = available, right = available;
        above.setBottom(keepClear.top() - 1 - gap);
        below.setTop(keepClear.bottom() + 1 + gap);
        left.setRight(keepClear.left() - 1 - gap);
        right.setLeft(keepClear.right() + 1 + gap);
        for (const QRect &room : {above, below, left, right}) {
            if (!room.isEmpty())
                rooms.append(room);
        }
    }
    // Tried against each side of the owner and each edge of the room, both ways, kept in it.
    QRect best;
    qint64 mostKept = -1;
    qint64 leastCovered = -1;
    for (const QRect &room : rooms) {
        const QSize size = frame.boundedTo(room.size());
        const int lefts[] = {owner.right() + 1 + gap, owner.left() - gap - size.width(),
                             room.right() + 1 - size.width(), room.left()};
        const int tops[] = {owner.top(), owner.bottom() + 1 + gap,
                            owner.top() - gap - size.height(), room.bottom() + 1 - size.height(),
                            room.top()};
        const qint64 kept = qint64(size.width()) * size.height();
        for (const int top : tops) {
            for (const int left : lefts) {
                const QRect placed = onScreen(QRect(QPoint(left, top), size), room);
                const qint64 covered = area(placed & owner);
                if (kept > mostKept || (kept == mostKept && covered < leastCovered)) {
                    best = placed;
                    mostKept = kept;
                    leastCovered = covered;
                }
            }
        }
    }
    return best.isNull() ? onScreen(QRect(available.topLeft(), frame), available) : best;
}
