// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

class QPaintDevice;

// A large face's digits can be wider than the controls made for them (48 pt digits in slots of
// 37 pixels): rather than cut a stroke off at the edge, such text is drawn narrower, its face,
// height and centre kept.
namespace FittingFont {

// The font drawn narrower (a horizontal stretch, in steps of one per cent down to half its width)
// just enough that each of the texts, centred in a room `width` pixels wide, keeps its ink a
// pixel clear of the room's edges; the font as it is where they fit. Measured as drawn on device.
QFont narrowedToFit(QFont font, const QStringList &texts, qreal width, QPaintDevice *device);

// The ten digits, each a text of its own.
QStringList digits();

} // namespace FittingFont
