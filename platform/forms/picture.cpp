#include "platform/forms/picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QString>

namespace qxm {

QPixmap LoadPicture(const QString &path)
{
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1) {
        QString twice = path;
        twice.insert(path.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        // The reader takes the device pixel ratio 2 from the name.
        if (QFile::exists(twice))
            return QPixmap(twice);
    }
    return QPixmap(path);
}

} // namespace qxm
