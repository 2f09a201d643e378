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
}

} // namespace qxm
