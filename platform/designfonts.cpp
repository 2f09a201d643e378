#include "platform/designfonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace qxm {

void InstallFontSubstitutes()
{
    const QStringList sansSerif{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arimo"), QStringLiteral("Arial")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sansSerif);
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    // Windows' own dialog font, which Qt makes the windows' standard font
    // there. Wine names it too but ships it in a package of its own
    // (fonts-wine); without it, Qt would fall back to a serif face.
    for (const char *dialogFont : {"MS Shell Dlg 2", "MS Shell Dlg", "Tahoma"})
        QFont::insertSubstitutions(QString::fromLatin1(dialogFont), sansSerif);
}

} // namespace qxm
