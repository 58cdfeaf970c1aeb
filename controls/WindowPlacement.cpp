// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowPlacement.h"

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
                                             const QRect &available)
{
    if (const std::optional<QRect> placed = beside(frame, owner, available))
        return *placed;
    // Too wide for either side: tried against each side of the owner and each edge of the
    // screen, both ways, kept on the screen.
    const int lefts[] = {owner.right() + 1 + gap, owner.left() - gap - frame.width(),
                         available.right() + 1 - frame.width(), available.left()};
    const int tops[] = {owner.top(), owner.bottom() + 1 + gap, owner.top() - gap - frame.height(),
                        available.bottom() + 1 - frame.height(), available.top()};
    QRect best;
    qint64 leastCovered = -1;
    for (const int top : tops) {
        for (const int left : lefts) {
            const QRect placed = onScreen(QRect(QPoint(left, top), frame), available);
            const qint64 covered = area(placed & owner);
            if (leastCovered < 0 || covered < leastCovered) {
                best = placed;
                leastCovered = covered;
            }
        }
    }
    return best;
}
