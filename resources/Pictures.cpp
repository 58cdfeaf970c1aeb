#include "resources/Pictures.h"

#include <QFile>

static void initPictureResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(done);
}

QString Pictures::resourceName(Icon which)
{
    switch (which) {
    case Icon::Bolt:
        return QStringLiteral("bolt");
    case Icon::Notebook:
        return QStringLiteral("notebook");
    case Icon::Floppy:
        return QStringLiteral("floppy");
    case Icon::Sheets:
        return QStringLiteral("sheets");
    case Icon::Question:
        return QStringLiteral("question");
    case Icon::Exit:
        return QStringLiteral("exit");
    case Icon::LightRed:
        return QStringLiteral("light-red");
    case Icon::LightYellow:
        return QStringLiteral("light-yellow");
    case Icon::LightGreen:
        return QStringLiteral("light-green");
    }
    return {};
}

static QPixmap loadPicture(const QString &path)
{
    initPictureResources();
    return QFile::exists(path) ? QPixmap(path) : QPixmap();
}

QIcon Pictures::icon(Icon which)
{
    QIcon result;
    for (const int size : {32, 16}) {
        const QPixmap pixmap =
            loadPicture(QStringLiteral(":/pictures/%1-%2.xpm").arg(resourceName(which)).arg(size));
        if (!pixmap.isNull())
            result.addPixmap(pixmap);
    }
    return result;
}

QPixmap Pictures::icon32(Icon which)
{
    return loadPicture(QStringLiteral(":/pictures/%1-32.xpm").arg(resourceName(which)));
}

QPixmap Pictures::autoSave()
{
    return loadPicture(QStringLiteral(":/pictures/autosave.xpm"));
}

QPixmap Pictures::logo()
{
    return loadPicture(QStringLiteral(":/pictures/logo.png"));
}
