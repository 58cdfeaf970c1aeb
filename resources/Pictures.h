#pragma once

#include <QIcon>
#include <QPixmap>

// The window's pictures, compiled in with the Qt resource system. An icon is made of a 32x32
// and a 16x16 image, ":/pictures/<name>-32.xpm" and ":/pictures/<name>-16.xpm"; a picture that
// is not there yet gives a null icon or pixmap, and its control shows its caption alone.
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

    static QIcon icon(Icon which);
    // The 32x32 image of an icon, as the buttons and the traffic lights show it.
    static QPixmap icon32(Icon which);
    // The auto-save switch's 16x16 picture.
    static QPixmap autoSave();
    // The 264x66 title logo.
    static QPixmap logo();

    static QString resourceName(Icon which);
};
