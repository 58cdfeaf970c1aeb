// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The window's pictures. The icons and the auto-save picture are 16-colour pixel art kept as XPM
// files and compiled in with the Qt resource system: an icon is made of a 32x32 and a 16x16
// image, ":/pictures/<name>-32.xpm" and ":/pictures/<name>-16.xpm". The three traffic lights
// share one housing, ":/pictures/light-32.xpm" and "-16.xpm", of which one lamp is lit. The
// title logo is drawn from the window caption.
//
// Every piece of pixel art is drawn twice: as above for 100 %, and with twice the pixels each way
// for 200 % ("<name>@2x.xpm", the same design in finer steps, drawn by
// scripts/scale2x-pictures.py). Everything comes ready for the screen: on a high-density screen
// (a device pixel ratio above 1) the finer drawing is shown, and the logo is drawn at the
// screen's resolution. A picture that cannot be loaded gives a null icon, image or pixmap.
class Pictures
{
public:
    enum class Icon
    {
        Bolt,        // window icon, cmdStart
        Notebook,    // cmdKaitou
        Floppy,      // cmdHozon
        Sheets,      // cmdClear
        Question,    // cmdHelp
        Exit,        // cmdEnd
        LightRed,    // imgStart(1)
        LightYellow, // imgStart(2)
        LightGreen,  // imgStart(3)
    };
    static constexpr int iconCount = 9;

    // Both images of an icon, for 100 %, 200 % and the screen's own ratio.
    static QIcon icon(Icon which);
    // The 32x32 image of an icon, as the buttons and the traffic lights show it.
    static QPixmap icon32(Icon which);
    // The auto-save switch's 16x16 picture.
    static QPixmap autoSave();
    // The 264x66 title logo, on a transparent background. The program carries it drawn ahead at
    // 100 % and 200 % (drawing it takes as long as the rest of the window), and draws it at any
    // other ratio, or where it carries none, when asked.
    static QPixmap logo();
    static constexpr QSize logoSize{264, 66};
    // The logo drawn at a device pixel ratio, as logo() shows it; the build bakes these.
    static QImage drawnLogo(qreal ratio);
    // The logo as baked for that ratio (the bytes of drawnLogo() in the resource
    // ":/logo/logo-<ratio>.argb"), or a null image where there is none.
    static QImage bakedLogo(qreal ratio);

    // One image of an icon as drawn, size 32 or 16, for a scale of 1 (100 %) or 2 (200 %, twice
    // the pixels each way): one image pixel to a pixel.
    static QImage image(Icon which, int size, int scale = 1);
    // The auto-save picture as drawn for a scale of 1 or 2.
    static QImage autoSaveImage(int scale = 1);

    // Decodes every icon image and the auto-save picture once, so that the calls above only
    // copy them. Needs no QGuiApplication: the program has StartupWarmUp run it on its thread,
    // before the window exists; the calls above wait for that thread (StartupWarmUp::wait()).
    static void decodeAhead();

    static QString resourceName(Icon which);
};
